#include "TarnKit/Suite/Views/SuiteViewParts.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::suiteviews {
namespace {

QFont gaugeTitleFont()
{
    return TarnTextStyles::font(TarnTextStyle::caption2, QFont::Bold);
}

QFont gaugeValueFont()
{
    return TarnTextStyles::systemFont(10.5, QFont::DemiBold, TarnFontDesign::monospaced);
}

constexpr double kBarHeight = 6;
constexpr double kGaugeSpacing = 5;
constexpr double kPillPadX = 9;
constexpr double kPillPadY = 7;
constexpr double kPillSpacing = 2;

QSize ceilSize(double width, double height)
{
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

QFont pillLabelFont()
{
    return TarnTextStyles::systemFont(9.5);
}

QFont pillValueFont()
{
    return TarnTextStyles::systemFont(10.5, QFont::Bold, TarnFontDesign::monospaced);
}

QFont pillDetailFont()
{
    return TarnTextStyles::systemFont(9, QFont::Normal, TarnFontDesign::monospaced);
}

} // namespace

RunBadge::RunBadge(LabelRun run, QColor foreground, QColor fill, double padX, double padY, QWidget* parent)
    : QWidget(parent)
    , m_run(std::move(run))
    , m_foreground(std::move(foreground))
    , m_fill(std::move(fill))
    , m_padX(padX)
    , m_padY(padY)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize RunBadge::sizeHint() const
{
    const QSizeF run = measure(m_run);
    return ceilSize(run.width() + m_padX * 2, run.height() + m_padY * 2);
}

void RunBadge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_fill.alpha() > 0) {
        TarnContinuousShape::paintCapsule(painter, QRectF(rect()), m_fill, Qt::transparent);
    }
    paint(painter, m_run, m_padX, height() / 2.0, m_foreground);
}

GaugeBar::GaugeBar(TarnVirtualMemoryGauge gauge, QWidget* parent)
    : QWidget(parent)
    , m_gauge(std::move(gauge))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize GaugeBar::sizeHint() const
{
    const double line = std::max(QFontMetricsF(gaugeTitleFont()).height(), QFontMetricsF(gaugeValueFont()).height());
    return ceilSize(256, line + kGaugeSpacing + kBarHeight);
}

QSize GaugeBar::minimumSizeHint() const
{
    return {120, sizeHint().height()};
}

void GaugeBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double line = std::max(QFontMetricsF(gaugeTitleFont()).height(), QFontMetricsF(gaugeValueFont()).height());
    const QString value = toQString(m_gauge.valueText);
    const double valueWidth = QFontMetricsF(gaugeValueFont()).horizontalAdvance(value);
    paint(
        painter, {{}, value, {}, gaugeValueFont(), 0}, width() - valueWidth, line / 2, TarnGlassTokens::textPrimary());
    const QString title = TarnTextStyles::singleLine(
        toQString(m_gauge.title), QFontMetricsF(gaugeTitleFont()), std::max(0.0, width() - valueWidth - 8));
    paint(painter, {{}, title, {}, gaugeTitleFont(), 0}, 0, line / 2, TarnGlassTokens::textSecondary());

    const QRectF track(0, line + kGaugeSpacing, width(), kBarHeight);
    TarnContinuousShape::paintCapsule(painter, track, QColor(255, 255, 255, 20), Qt::transparent);
    const double fill = TarnVirtualMemoryGaugeCardPresentation::fillWidth(m_gauge.fraction, track.width());
    if (fill > 0) {
        QLinearGradient gradient(track.topLeft(), QPointF(fill, track.top()));
        gradient.setColorAt(0, m_gauge.tint);
        gradient.setColorAt(1, withAlpha(m_gauge.tint, 0.55));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawPath(TarnContinuousShape::capsule(QRectF(track.left(), track.top(), fill, kBarHeight)));
    }
}

StatPill::StatPill(TarnVirtualMemoryStatPill pill, QWidget* parent)
    : QWidget(parent)
    , m_pill(std::move(pill))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

bool StatPill::hasDetail() const
{
    return m_pill.detail && !m_pill.detail->empty();
}

QSize StatPill::sizeHint() const
{
    double height = QFontMetricsF(pillLabelFont()).height() + kPillSpacing + QFontMetricsF(pillValueFont()).height();
    if (hasDetail()) {
        height += kPillSpacing + QFontMetricsF(pillDetailFont()).height();
    }
    return ceilSize(155, height + kPillPadY * 2);
}

QSize StatPill::minimumSizeHint() const
{
    return {100, sizeHint().height()};
}

void StatPill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    TarnContinuousShape::paintRoundedRect(painter, QRectF(rect()), 8, TarnGlassTokens::surface1(), Qt::transparent);
    const double room = width() - kPillPadX * 2;
    double y = kPillPadY;
    const QFontMetricsF label(pillLabelFont());
    paint(painter, {{}, TarnTextStyles::singleLine(toQString(m_pill.label), label, room), {}, pillLabelFont(), 0},
        kPillPadX, y + label.height() / 2, TarnGlassTokens::textMuted());
    y += label.height() + kPillSpacing;
    // The value may shrink to 0.8 of its size before it is cut.
    QFont valueFont = pillValueFont();
    const QString value = toQString(m_pill.value);
    const double natural = QFontMetricsF(valueFont).horizontalAdvance(value);
    if (natural > room && natural > 0) {
        valueFont.setPointSizeF(valueFont.pointSizeF() * std::max(0.8, room / natural));
    }
    const QFontMetricsF valueMetrics(valueFont);
    paint(painter, {{}, TarnTextStyles::singleLine(value, valueMetrics, room), {}, valueFont, 0}, kPillPadX,
        y + QFontMetricsF(pillValueFont()).height() / 2, m_pill.tint);
    y += QFontMetricsF(pillValueFont()).height() + kPillSpacing;
    if (hasDetail()) {
        const QFontMetricsF detail(pillDetailFont());
        const QString text = detail.elidedText(toQString(*m_pill.detail), Qt::ElideMiddle, room);
        paint(painter, {{}, text, {}, pillDetailFont(), 0}, kPillPadX, y + detail.height() / 2,
            TarnGlassTokens::textSecondary());
    }
}

} // namespace tarn::suiteviews
