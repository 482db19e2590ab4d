#pragma once

// The screens as the overlays see them, and the two questions asked of them: which screen a point
// is on, and where a point of the input engine lies in Qt's coordinates.
//
// Qt places windows in logical pixels, y downward; the engine reports the pointer in the display
// server's device pixels (X11 root coordinates), also y downward. A screen keeps its top-left
// corner in both and is devicePixelRatio times larger in device pixels, so a point converts by
// the scale of the screen it lies on.

#include <optional>
#include <vector>

#include <QPointF>
#include <QRect>

namespace tarn::input {

struct OverlayScreen {
    // Logical pixels.
    QRect geometry;
    // Without panels and docks.
    QRect availableGeometry;
    double devicePixelRatio = 1.0;

    QRectF deviceGeometry() const;
};

struct OverlayScreenLayout {
    // In the system's order.
    std::vector<OverlayScreen> screens;
    std::optional<std::size_t> primaryIndex;
    // The mouse pointer, logical pixels.
    QPointF cursor;

    // The first screen that contains `point`; else the primary screen; else the first; none when
    // there are no screens.
    const OverlayScreen* screenFor(QPointF logicalPoint) const;

    // A point in device pixels, in logical pixels. A point on no screen is taken as it is.
    QPointF logicalFromDevice(QPointF devicePoint) const;
    QPointF deviceFromLogical(QPointF logicalPoint) const;
};

} // namespace tarn::input
