#include "TarnInput/Overlays/Ripples/ClickRippleHaloView.h"

#include <cmath>

#include <QPainter>
#include <QPen>

namespace tarn::input {

namespace {

constexpr double kRadius = RippleAnimation::kHaloDiameter / 2.0;

QRect circleBounds(QPointF centre, double radius, bool roundOutward)
{
    const double r = roundOutward ? std::ceil(radius) : std::floor(radius);
    const int x = static_cast<int>(std::lround(centre.x() - r));
    const int y = static_cast<int>(std::lround(centre.y() - r));
    const int side = static_cast<int>(2.0 * r);
    return {x, y, side, side};
}

} // namespace

ClickRippleHaloView::ClickRippleHaloView(bool isRightClick, QWidget* parent)
    : QWidget(parent)
    , m_isRightClick(isRightClick)
    , m_frame(RippleAnimation::frameAt(std::chrono::nanoseconds::zero()))
{
    setObjectName(QStringLiteral("clickRippleHalo"));
    setFixedSize(RippleAnimation::kWindowSide, RippleAnimation::kWindowSide);
}

void ClickRippleHaloView::setIsRightClick(bool isRightClick)
{
    m_isRightClick = isRightClick;
    update();
}

void ClickRippleHaloView::setFrame(const RippleFrame& frame, bool compositing)
{
    m_frame = frame;
    m_compositing = compositing;
    update();
}

QRegion ClickRippleHaloView::ringRegion() const
{
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double outer = kRadius * m_frame.scale;
    const double inner = (kRadius - m_frame.ringLineWidth) * m_frame.scale;
    const QRegion outside(circleBounds(centre, outer, true), QRegion::Ellipse);
    if (inner <= 1.0) {
        return outside;
    }
    return outside.subtracted(QRegion(circleBounds(centre, inner, false), QRegion::Ellipse));
}

void ClickRippleHaloView::paintEvent(QPaintEvent*)
{
    const QColor color = RippleAnimation::color(m_isRightClick);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setOpacity(m_compositing ? m_frame.opacity : 1.0);
    painter.translate(width() / 2.0, height() / 2.0);
    // The scale applies to the line width too, as it would to a drawn picture of the ring.
    painter.scale(m_frame.scale, m_frame.scale);

    const QRectF circle(-kRadius, -kRadius, 2.0 * kRadius, 2.0 * kRadius);
    if (m_compositing) {
        QColor disc = color;
        disc.setAlphaF(static_cast<float>(m_frame.discOpacity));
        painter.setPen(Qt::NoPen);
        painter.setBrush(disc);
        painter.drawEllipse(circle);
    }
    // Stroked inside the circle: its centre line is half a line width in.
    const double inset = m_frame.ringLineWidth / 2.0;
    QPen pen(color, m_frame.ringLineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10.0);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(circle.adjusted(inset, inset, -inset, -inset));
}

} // namespace tarn::input
