#pragma once

// The dock application's two drop areas, and the test that decides which of them a dragged
// window is over. The dock publishes the frames of its mini panel and studio window in its live
// status; an application dragging a window asks detectDockDropTarget() and tells the dock the
// answer through the telemetry bus's hover notice.

#include <optional>
#include <string_view>

#include "TarnKit/Suite/Records/TarnScreenRect.h"

namespace tarn {

enum class TarnDockDropArea {
    mini,
    studio,
};

// "mini" or "studio": the text the hover notice carries.
std::string_view rawValue(TarnDockDropArea area);
// Exact, case-sensitive match of the whole text; "none" and anything else is no area.
std::optional<TarnDockDropArea> tarnDockDropAreaFromRawValue(std::string_view raw);

// The first target, mini before studio, that the dragged frame hits; all in screen points. A
// target hits when it is present, both rectangles are wider and taller than 1.0 point, and the
// target contains the dragged frame's centre (its minimum edges inside, its maximum edges not)
// or the overlap covers at least kDockDropMinimumOverlap of the dragged frame's area. Negative
// widths and heights count by their size, as if the rectangle were standardised.
inline constexpr double kDockDropMinimumOverlap = 0.22;
std::optional<TarnDockDropArea> detectDockDropTarget(const TarnScreenRect& draggedFrame,
    const std::optional<TarnScreenRect>& miniTarget, const std::optional<TarnScreenRect>& studioTarget);

} // namespace tarn
