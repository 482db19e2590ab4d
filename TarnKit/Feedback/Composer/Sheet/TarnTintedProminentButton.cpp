#include "TarnKit/Feedback/Composer/Sheet/TarnTintedProminentButton.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QVariantAnimation>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {
namespace {

constexpr int kTurnMs = 900;

} // namespace

TarnTintedProminentButton::TarnTintedProminentButton(const QString& text, QColor tint, QWidget* parent)
    : QPushButton(text, parent)
    , m_tint(std::move(tint))
    , m_spin(new QVariantAnimation(this))
{
    setFont(TarnTextStyles::font(TarnTextStyle::callout, QFont::DemiBold));
    setCursor(Qt::PointingHandCursor);
    m_spin->setStartValue(0.0);
    m_spin->setEndValue(360.0);
    m_spin->setDuration(kTurnMs);
    m_spin->setLoopCount(-1);
    connect(m_spin, &QVariantAnimation::valueChanged, this, [this] { update(); });
}

void TarnTintedProminentButton::setBusy(bool busy)
{
    if (busy == m_busy) {
        return;
    }
    m_busy = busy;
    if (busy) {
        m_spin->start();
    } else {
        m_spin->stop();
    }
    updateGeometry();
    update();
}

double TarnTintedProminentButton::ringSide() const
{
    return std::ceil(QFontMetricsF(font(), this).ascent());
}

QSize TarnTintedProminentButton::sizeHint() const
{
    const QFontMetricsF metrics(font(), this);
    const double label
        = metrics.horizontalAdvance(TarnTextStyles::oneLine(text())) + (m_busy ? ringSide() + kSpacing : 0.0);
    return {static_cast<int>(std::ceil(label + 2 * kHorizontalPadding)),
        static_cast<int>(std::ceil(metrics.height() + 2 * kVerticalPadding))};
}

QSize TarnTintedProminentButton::minimumSizeHint() const
{
    return sizeHint();
}

void TarnTintedProminentButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (!isEnabled()) {
        painter.setOpacity(kDisabledOpacity);
    }
    const QRectF bounds(rect());
    TarnContinuousShape::paintRoundedRect(
        painter, bounds, kCornerRadius, isDown() ? m_tint.darker(125) : m_tint, Qt::transparent);

    const QFontMetricsF metrics(font(), this);
    const QRectF area = bounds.adjusted(kHorizontalPadding, 0, -kHorizontalPadding, 0);
    if (!m_busy) {
        TarnTextStyles::drawCentredLine(painter, area, text(), metrics, font(), Qt::white);
        return;
    }
    // The ring leads the text, on its right in a right-to-left layout.
    const double side = ringSide();
    const QString line = TarnTextStyles::singleLine(text(), metrics, std::max(0.0, area.width() - side - kSpacing));
    const double textWidth = metrics.horizontalAdvance(line);
    const double left = area.left() + std::max(0.0, (area.width() - side - kSpacing - textWidth) / 2.0);
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const QRectF ring(rightToLeft ? left + textWidth + kSpacing : left, area.center().y() - side / 2.0, side, side);
    const QRectF textArea(rightToLeft ? left : left + side + kSpacing, area.top(), textWidth + 1, area.height());
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1.6));
    painter.drawEllipse(ring.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    const int start = static_cast<int>(-m_spin->currentValue().toDouble() * 16);
    painter.drawArc(ring.adjusted(1, 1, -1, -1), start, 100 * 16);
    TarnTextStyles::drawCentredLine(painter, textArea, line, metrics, font(), Qt::white);
}

} // namespace tarn
