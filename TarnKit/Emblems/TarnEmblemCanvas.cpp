#include "TarnKit/Emblems/TarnEmblemCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPainter>
#include <QPen>

namespace tarn {

namespace {

double degrees(double radians)
{
    return radians * 180.0 / std::numbers::pi;
}

} // namespace

TarnEmblemCanvas::TarnEmblemCanvas(QPainter& painter, const TarnEmblemTone& tone)
    : m_painter(painter)
    , m_tone(tone)
{
}

QPainterPath TarnEmblemCanvas::roundedRect(double x, double y, double width, double height, double radius)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const double r = std::clamp(radius, 0.0, std::min(width, height) / 2.0);
    if (r <= 0.0) {
        path.addRect(x, y, width, height);
    } else {
        path.addRoundedRect(x, y, width, height, r, r);
    }
    return path;
}

QPainterPath TarnEmblemCanvas::ellipse(double x, double y, double width, double height)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addEllipse(x, y, width, height);
    return path;
}

QPainterPath TarnEmblemCanvas::polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path = polyline(points);
    path.closeSubpath();
    return path;
}

QPainterPath TarnEmblemCanvas::polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    bool first = true;
    for (const QPointF& point : points) {
        if (first) {
            path.moveTo(point);
            first = false;
        } else {
            path.lineTo(point);
        }
    }
    return path;
}

QPainterPath TarnEmblemCanvas::line(QPointF from, QPointF to)
{
    return polyline({from, to});
}

QPainterPath TarnEmblemCanvas::arc(QPointF centre, double radius, double startRadians, double endRadians)
{
    // Through increasing angles: an end below the start goes once more round the circle.
    double sweep = endRadians - startRadians;
    while (sweep < 0.0) {
        sweep += 2.0 * std::numbers::pi;
    }
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(centre + QPointF(radius * std::cos(startRadians), radius * std::sin(startRadians)));
    // Qt's arc angles turn towards -y in a y-down space, so both angles change sign here.
    path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2.0 * radius, 2.0 * radius), -degrees(startRadians),
        -degrees(sweep));
    return path;
}

void TarnEmblemCanvas::fill(const QPainterPath& path, const TarnFlatPaint& paint)
{
    m_painter.save();
    applyPaint(paint, false, 0.0);
    QPainterPath winding = path;
    winding.setFillRule(Qt::WindingFill);
    m_painter.drawPath(winding);
    m_painter.restore();
}

void TarnEmblemCanvas::stroke(const QPainterPath& path, double width, const TarnFlatPaint& paint)
{
    m_painter.save();
    applyPaint(paint, true, width);
    m_painter.drawPath(path);
    m_painter.restore();
}

void TarnEmblemCanvas::fillRoundedRect(
    double x, double y, double width, double height, double radius, const TarnFlatPaint& paint)
{
    fill(roundedRect(x, y, width, height, radius), paint);
}

void TarnEmblemCanvas::fillEllipse(double x, double y, double width, double height, const TarnFlatPaint& paint)
{
    fill(ellipse(x, y, width, height), paint);
}

void TarnEmblemCanvas::fillDisc(QPointF centre, double radius, const TarnFlatPaint& paint)
{
    fillEllipse(centre.x() - radius, centre.y() - radius, 2.0 * radius, 2.0 * radius, paint);
}

void TarnEmblemCanvas::strokeLine(QPointF from, QPointF to, double width, const TarnFlatPaint& paint)
{
    stroke(line(from, to), width, paint);
}

void TarnEmblemCanvas::separationGap(const QPainterPath& path)
{
    if (m_tone.isWhiteGlass) {
        fill(path, TarnFlatPaint::cutout(1.0));
    }
}

void TarnEmblemCanvas::beginRotation(QPointF pivot)
{
    m_painter.save();
    m_painter.translate(pivot);
    m_painter.rotate(-45.0);
}

void TarnEmblemCanvas::endRotation()
{
    m_painter.restore();
}

void TarnEmblemCanvas::applyPaint(const TarnFlatPaint& paint, bool forStroke, double width)
{
    QColor color;
    if (paint.kind() == TarnFlatPaint::Kind::cutout) {
        m_painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        color = QColor::fromRgbF(0.0F, 0.0F, 0.0F, static_cast<float>(paint.cutoutAlpha()));
    } else {
        color = paint.colorValue();
    }
    if (forStroke) {
        m_painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.setBrush(Qt::NoBrush);
    } else {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(color);
    }
}

} // namespace tarn
