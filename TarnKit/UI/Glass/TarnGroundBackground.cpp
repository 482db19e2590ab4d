#include "TarnKit/UI/Glass/TarnGroundBackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace tarn {

namespace {

constexpr double kGlowOpacity = 0.09;
constexpr double kGlowStartRadius = 20.0;
constexpr double kGlowEndRadius = 520.0;

} // namespace

TarnGroundBackground::TarnGroundBackground(TarnProductPalette palette, QWidget* parent)
    : QWidget(parent)
    , m_palette(palette)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TarnGroundBackground::setProductPalette(TarnProductPalette palette)
{
    if (palette == m_palette) {
        return;
    }
    m_palette = palette;
    update();
}

void TarnGroundBackground::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRectF bounds = rect();
    // "Leading" follows the writing direction: the glow and the light end of the ground sit where
    // a line of text starts.
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const QPointF leadingTop = rightToLeft ? bounds.topRight() : bounds.topLeft();
    const QPointF trailingBottom = rightToLeft ? bounds.bottomLeft() : bounds.bottomRight();

    const TarnGroundStops stops = groundStops(m_palette);
    QLinearGradient ground(leadingTop, trailingBottom);
    ground.setColorAt(0.0, stops.topLeft);
    ground.setColorAt(0.5, stops.middle);
    ground.setColorAt(1.0, stops.bottomRight);
    painter.fillRect(bounds, ground);

    // Full white fading to transparent white, so the fade never passes through grey.
    QColor glow(Qt::white);
    glow.setAlphaF(static_cast<float>(kGlowOpacity));
    QColor clear(Qt::white);
    clear.setAlpha(0);
    QRadialGradient corner(leadingTop, kGlowEndRadius, leadingTop, kGlowStartRadius);
    corner.setColorAt(0.0, glow);
    corner.setColorAt(1.0, clear);
    painter.fillRect(bounds, corner);
}

} // namespace tarn
