#include "TarnKit/UI/Glass/TarnContinuousShape.h"

#include <algorithm>

#include <QPainter>
#include <QPen>

namespace tarn {

namespace {

// How far before the corner the curve leaves each edge, in radii.
constexpr double kCornerExtent = 1.28;
// Distance of the inner control points from the corner, as a share of that extent: chosen so the
// curve's midpoint lands on the midpoint of the circular arc of the same radius.
constexpr double kControlShare = 0.2766;

constexpr double kBorderWidth = 1.0;

void addCorner(
    QPainterPath& path, QPointF corner, QPointF towardsStart, QPointF towardsEnd, double startExtent, double endExtent)
{
    const QPointF start = corner + towardsStart * startExtent;
    const QPointF end = corner + towardsEnd * endExtent;
    path.lineTo(start);
    path.cubicTo(
        corner + towardsStart * (startExtent * kControlShare), corner + towardsEnd * (endExtent * kControlShare), end);
}

double capsuleRadius(const QRectF& rect)
{
    return std::min(rect.width(), rect.height()) / 2.0;
}

void strokeInside(QPainter& painter, const QPainterPath& path, const QColor& color)
{
    QPen pen(color, kBorderWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10.0);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void paintShape(QPainter& painter, const QRectF& rect, double radius, const QColor& fill, const QColor& border)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (fill.alpha() > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawPath(TarnContinuousShape::roundedRect(rect, radius));
    }
    if (border.alpha() > 0) {
        const double inset = kBorderWidth / 2.0;
        strokeInside(painter,
            TarnContinuousShape::roundedRect(
                rect.adjusted(inset, inset, -inset, -inset), std::max(0.0, radius - inset)),
            border);
    }
    painter.restore();
}

} // namespace

QPainterPath TarnContinuousShape::roundedRect(const QRectF& rect, double cornerRadius)
{
    QPainterPath path;
    const QRectF r = rect.normalized();
    if (cornerRadius <= 0.0 || r.isEmpty()) {
        path.addRect(r);
        return path;
    }
    // A radius too large for the rectangle shortens the corner along the short side only, so a
    // capsule keeps straight, tangent-continuous ends.
    const double extentX = std::min(cornerRadius * kCornerExtent, r.width() / 2.0);
    const double extentY = std::min(cornerRadius * kCornerExtent, r.height() / 2.0);
    const QPointF right(1, 0);
    const QPointF left(-1, 0);
    const QPointF down(0, 1);
    const QPointF up(0, -1);

    path.moveTo(r.left() + extentX, r.top());
    addCorner(path, r.topRight(), left, down, extentX, extentY);
    addCorner(path, r.bottomRight(), up, left, extentY, extentX);
    addCorner(path, r.bottomLeft(), right, up, extentX, extentY);
    addCorner(path, r.topLeft(), down, right, extentY, extentX);
    path.closeSubpath();
    return path;
}

QPainterPath TarnContinuousShape::capsule(const QRectF& rect)
{
    return roundedRect(rect, capsuleRadius(rect));
}

void TarnContinuousShape::paintRoundedRect(
    QPainter& painter, const QRectF& rect, double cornerRadius, const QColor& fill, const QColor& border)
{
    paintShape(painter, rect, cornerRadius, fill, border);
}

void TarnContinuousShape::paintCapsule(QPainter& painter, const QRectF& rect, const QColor& fill, const QColor& border)
{
    paintShape(painter, rect, capsuleRadius(rect), fill, border);
}

} // namespace tarn
