#include "TarnInput/Overlays/OverlayScreenLayout.h"

namespace tarn::input {

namespace {

// Half-open, so that the shared edge of two screens side by side belongs to one of them only: the
// one whose left (or top) edge it is.
bool containsPoint(const QRectF& rect, QPointF point)
{
    return point.x() >= rect.left() && point.x() < rect.right() && point.y() >= rect.top() && point.y() < rect.bottom();
}

QRectF logicalGeometry(const OverlayScreen& screen)
{
    return QRectF(screen.geometry.topLeft(), QSizeF(screen.geometry.size()));
}

// One conversion for both directions: `scale` is the ratio from the point's space to the result's.
QPointF scaledAbout(QPointF point, QPointF origin, double scale)
{
    return origin + (point - origin) * scale;
}

} // namespace

QRectF OverlayScreen::deviceGeometry() const
{
    return QRectF(geometry.topLeft(), QSizeF(geometry.size()) * devicePixelRatio);
}

const OverlayScreen* OverlayScreenLayout::screenFor(QPointF logicalPoint) const
{
    for (const OverlayScreen& screen : screens) {
        if (containsPoint(logicalGeometry(screen), logicalPoint)) {
            return &screen;
        }
    }
    if (primaryIndex && *primaryIndex < screens.size()) {
        return &screens[*primaryIndex];
    }
    return screens.empty() ? nullptr : &screens.front();
}

QPointF OverlayScreenLayout::logicalFromDevice(QPointF devicePoint) const
{
    for (const OverlayScreen& screen : screens) {
        if (containsPoint(screen.deviceGeometry(), devicePoint) && screen.devicePixelRatio > 0) {
            return scaledAbout(devicePoint, QPointF(screen.geometry.topLeft()), 1.0 / screen.devicePixelRatio);
        }
    }
    return devicePoint;
}

QPointF OverlayScreenLayout::deviceFromLogical(QPointF logicalPoint) const
{
    for (const OverlayScreen& screen : screens) {
        if (containsPoint(logicalGeometry(screen), logicalPoint)) {
            return scaledAbout(logicalPoint, QPointF(screen.geometry.topLeft()), screen.devicePixelRatio);
        }
    }
    return logicalPoint;
}

} // namespace tarn::input
