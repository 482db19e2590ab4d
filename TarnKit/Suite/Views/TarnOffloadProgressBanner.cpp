#include "TarnKit/Suite/Views/TarnOffloadProgressBanner.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/Suite/Views/SuiteViewPainting.h"
#include "TarnKit/UI/Buttons/TarnGlassButtonStyle.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

namespace {

// Sizes of one of the two layouts.
struct Metrics {
    double spacing;
    double padX;
    double padY;
    double radius;
    double sealSize;
    double tagSize;
    double titleSize;
    double bytesSize;
    double percentSize;
    double buttonSize;
    double barHeight;
    double detailSize;
    int detailLines;
};

constexpr Metrics kCompact {6, 10, 8, 10, 12, 9, 11, 9.5, 10.5, 9.5, 5, 9.5, 2};
constexpr Metrics kFull {8, 14, 10, 11, 14, 9.5, 12.5, 10.5, 11.5, 10.5, 7, 10.5, 1};
constexpr double kHeaderSpacing = 8;
constexpr double kPillMinWidth = 135;
constexpr double kPillSpacing = 6;
constexpr double kPillHeight = 20;

QFont viewFont(double size, QFont::Weight weight, TarnFontDesign design = TarnFontDesign::standard)
{
    return TarnTextStyles::systemFont(size, weight, design);
}

double lineHeight(const QFont& font)
{
    return QFontMetricsF(font).height();
}

// Tall enough for the title line and the Cancel button.
double headerHeight(const Metrics& m)
{
    return std::max(lineHeight(viewFont(m.titleSize, QFont::DemiBold)), m.buttonSize * 1.3 + 12);
}

} // namespace

TarnOffloadProgressBanner::TarnOffloadProgressBanner(const TarnMemoryOffloadLiveProgress& progress,
    TarnLanguage language, bool compact, std::function<void()> onCancel, std::function<void()> onDismiss,
    QWidget* parent)
    : QWidget(parent)
    , m_presentation(TarnOffloadProgressBannerPresentation::present(
          progress, language, compact, static_cast<bool>(onCancel), static_cast<bool>(onDismiss)))
    , m_compact(compact)
    , m_onCancel(std::move(onCancel))
    , m_onDismiss(std::move(onDismiss))
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

double TarnOffloadProgressBanner::pillRows(double contentWidth) const
{
    if (m_presentation.pills.empty()) {
        return 0;
    }
    const int columns = std::max(1, static_cast<int>((contentWidth + kPillSpacing) / (kPillMinWidth + kPillSpacing)));
    return std::ceil(static_cast<double>(m_presentation.pills.size()) / columns);
}

int TarnOffloadProgressBanner::detailLines(double contentWidth) const
{
    const Metrics& m = m_compact ? kCompact : kFull;
    if (!m_presentation.detail) {
        return 0;
    }
    const QFontMetricsF metrics(viewFont(m.detailSize, QFont::Normal, TarnFontDesign::monospaced));
    return metrics.horizontalAdvance(toQString(*m_presentation.detail)) > contentWidth ? m.detailLines : 1;
}

int TarnOffloadProgressBanner::heightForWidth(int width) const
{
    const Metrics& m = m_compact ? kCompact : kFull;
    const double header = headerHeight(m);
    double height = m.padY * 2 + header + m.spacing + m.barHeight;
    if (m_presentation.detail) {
        height += m.spacing
            + lineHeight(viewFont(m.detailSize, QFont::Normal, TarnFontDesign::monospaced)) * m.detailLines;
    }
    const double rows = pillRows(width - m.padX * 2);
    if (rows > 0) {
        height += m.spacing + rows * kPillHeight + (rows - 1) * kPillSpacing;
    }
    return static_cast<int>(std::ceil(height));
}

QSize TarnOffloadProgressBanner::sizeHint() const
{
    const int width = m_compact ? 320 : 600;
    return {width, heightForWidth(width)};
}

QSize TarnOffloadProgressBanner::minimumSizeHint() const
{
    return {220, heightForWidth(220)};
}

QRectF TarnOffloadProgressBanner::actionRect() const
{
    const Metrics& m = m_compact ? kCompact : kFull;
    const double header = headerHeight(m);
    const double right = width() - m.padX;
    switch (m_presentation.action) {
    case TarnOffloadBannerAction::cancel: {
        const QFont label = viewFont(m.buttonSize, QFont::DemiBold);
        const QSizeF size
            = TarnGlassButtonStyle::idealSize(QFontMetricsF(label), toQString(m_presentation.cancelTitle));
        return {right - size.width(), m.padY + (header - size.height()) / 2, size.width(), size.height()};
    }
    case TarnOffloadBannerAction::dismiss:
        return {right - 16, m.padY + (header - 16) / 2, 16, 16};
    case TarnOffloadBannerAction::none:
        break;
    }
    return {};
}

void TarnOffloadProgressBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Metrics& m = m_compact ? kCompact : kFull;
    const QColor& accent = m_presentation.accent;
    TarnContinuousShape::paintRoundedRect(
        painter, QRectF(rect()), m.radius, suiteviews::withAlpha(accent, 0.12), suiteviews::withAlpha(accent, 0.4));

    const double contentWidth = width() - m.padX * 2;
    const double header = headerHeight(m);
    const double centreY = m.padY + header / 2;
    double x = m.padX;

    // Status sign: a still picture of the activity indicator while running.
    if (m_presentation.showsActivity) {
        const double side = m.sealSize;
        painter.setPen(QPen(TarnGlassTokens::textSecondary(), 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(x + 1, centreY - side / 2 + 1, side - 2, side - 2), 90 * 16, 270 * 16);
        x += side + kHeaderSpacing;
    } else {
        const suiteviews::LabelRun seal {"checkmark.seal.fill", {}, viewFont(m.sealSize, QFont::Normal), {}, 0};
        x = suiteviews::paint(painter, seal, x, centreY, TarnGlassTokens::success()) + kHeaderSpacing;
    }

    // Step tag.
    const QFont tagFont = viewFont(m.tagSize, QFont::Bold, TarnFontDesign::monospaced);
    const QString tag = toQString(m_presentation.stepTag);
    const double tagWidth = QFontMetricsF(tagFont).horizontalAdvance(tag) + 12;
    const double tagHeight = lineHeight(tagFont) + 4;
    TarnContinuousShape::paintCapsule(painter, QRectF(x, centreY - tagHeight / 2, tagWidth, tagHeight),
        suiteviews::withAlpha(accent, 0.24), Qt::transparent);
    suiteviews::paint(painter, {{}, tag, {}, tagFont, 0}, x + 6, centreY, accent);
    x += tagWidth + kHeaderSpacing;

    // Trailing items, from the right edge inwards.
    double right = width() - m.padX;
    const QRectF action = actionRect();
    if (m_presentation.action == TarnOffloadBannerAction::cancel) {
        const QFont label = viewFont(m.buttonSize, QFont::DemiBold);
        TarnGlassButtonStyle(false).paint(
            painter, action, toQString(m_presentation.cancelTitle), QFontMetricsF(label), false, {}, label);
    } else if (m_presentation.action == TarnOffloadBannerAction::dismiss) {
        suiteviews::paint(painter, {"xmark", {}, viewFont(9.5, QFont::Bold), {}, 0}, action.left() + 2, centreY,
            TarnGlassTokens::textMuted());
    }
    if (!action.isEmpty()) {
        right = action.left() - kHeaderSpacing;
    }
    const QFont percentFont = viewFont(m.percentSize, QFont::Bold, TarnFontDesign::monospaced);
    const QString percent = toQString(m_presentation.percentText);
    right -= QFontMetricsF(percentFont).horizontalAdvance(percent);
    suiteviews::paint(painter, {{}, percent, {}, percentFont, 0}, right, centreY, accent);
    if (m_presentation.bytesText) {
        const QFont bytesFont = viewFont(m.bytesSize, QFont::DemiBold, TarnFontDesign::monospaced);
        const QString bytes = toQString(*m_presentation.bytesText);
        right -= kHeaderSpacing + QFontMetricsF(bytesFont).horizontalAdvance(bytes);
        suiteviews::paint(painter, {{}, bytes, {}, bytesFont, 0}, right, centreY, TarnGlassTokens::textSecondary());
    }

    // Phase title, cut to the room left before the trailing items.
    const QFont titleFont = viewFont(m.titleSize, QFont::DemiBold);
    const double titleRoom = std::max(0.0, right - 4 - x);
    const QString title
        = TarnTextStyles::singleLine(toQString(m_presentation.phaseTitle), QFontMetricsF(titleFont), titleRoom);
    suiteviews::paint(painter, {{}, title, {}, titleFont, 0}, x, centreY, TarnGlassTokens::textPrimary());

    // Bar.
    double y = m.padY + header + m.spacing;
    const QRectF track(m.padX, y, contentWidth, m.barHeight);
    TarnContinuousShape::paintCapsule(painter, track, QColor(255, 255, 255, 26), Qt::transparent);
    const double minimum = m_presentation.fraction > 0 ? TarnOffloadProgressBannerPresentation::kMinimumFillWidth : 0;
    const double fillWidth = std::min(contentWidth, std::max(minimum, m_presentation.fraction * contentWidth));
    if (fillWidth > 0) {
        QLinearGradient gradient(track.topLeft(), QPointF(track.left() + fillWidth, track.top()));
        gradient.setColorAt(0, suiteviews::withAlpha(accent, 0.75));
        gradient.setColorAt(1, accent);
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawPath(TarnContinuousShape::capsule(QRectF(track.left(), y, fillWidth, m.barHeight)));
    }
    y += m.barHeight;

    // Detail, cut at the tail.
    if (m_presentation.detail) {
        const QFont detailFont = viewFont(m.detailSize, QFont::Normal, TarnFontDesign::monospaced);
        const double height = lineHeight(detailFont) * detailLines(contentWidth);
        const QRectF box(m.padX, y + m.spacing, contentWidth, height);
        const QString text
            = QFontMetricsF(detailFont)
                  .elidedText(toQString(*m_presentation.detail), Qt::ElideRight, contentWidth * m.detailLines);
        painter.setFont(detailFont);
        painter.setPen(TarnGlassTokens::textSecondary());
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, text);
        y += m.spacing + height;
    }

    // Step pills in an adaptive grid.
    if (!m_presentation.pills.empty()) {
        y += m.spacing;
        const int columns
            = std::max(1, static_cast<int>((contentWidth + kPillSpacing) / (kPillMinWidth + kPillSpacing)));
        const double cell = (contentWidth - (columns - 1) * kPillSpacing) / columns;
        for (std::size_t i = 0; i < m_presentation.pills.size(); ++i) {
            const auto& pill = m_presentation.pills[i];
            const double px = m.padX + static_cast<double>(i % columns) * (cell + kPillSpacing);
            const double py = y + static_cast<double>(i / columns) * (kPillHeight + kPillSpacing);
            const QRectF box(px, py, cell, kPillHeight);
            TarnContinuousShape::paintCapsule(
                painter, box, suiteviews::withAlpha(pill.color, pill.fillOpacity), Qt::transparent);
            const suiteviews::LabelRun run {pill.symbol,
                TarnTextStyles::singleLine(
                    toQString(pill.title), QFontMetricsF(viewFont(9.5, QFont::Normal)), cell - 30),
                viewFont(9.5, QFont::Normal), viewFont(9.5, pill.semibold ? QFont::DemiBold : QFont::Normal), 4};
            const double runWidth = suiteviews::measure(run).width();
            suiteviews::paint(painter, run, box.center().x() - runWidth / 2, box.center().y(), pill.color);
        }
    }
}

void TarnOffloadProgressBanner::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !actionRect().contains(event->position())) {
        return;
    }
    if (m_presentation.action == TarnOffloadBannerAction::cancel && m_onCancel) {
        m_onCancel();
    } else if (m_presentation.action == TarnOffloadBannerAction::dismiss && m_onDismiss) {
        m_onDismiss();
    }
}

} // namespace tarn
