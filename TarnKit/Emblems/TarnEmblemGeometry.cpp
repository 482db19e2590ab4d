#include "TarnKit/Emblems/TarnEmblemGeometry.h"

namespace tarn {

QPainterPath arcArrowHead(QPointF centre, double radius, double endRadians, double size)
{
    const QPointF end = onCircle(centre, radius, endRadians);
    // Onwards along increasing angles, and outwards from the centre.
    const QPointF onwards(-std::sin(endRadians), std::cos(endRadians));
    const QPointF outwards(std::cos(endRadians), std::sin(endRadians));
    QPainterPath head;
    head.setFillRule(Qt::WindingFill);
    head.moveTo(end + onwards * size);
    head.lineTo(end + outwards * (size * 0.9));
    head.lineTo(end - outwards * (size * 0.9));
    head.closeSubpath();
    return head;
}

} // namespace tarn
