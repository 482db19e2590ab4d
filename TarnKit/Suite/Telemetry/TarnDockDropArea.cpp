#include "TarnKit/Suite/Telemetry/TarnDockDropArea.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn {
namespace {

constexpr EnumTable kAreas {std::to_array<EnumRawValue<TarnDockDropArea>>({
    {TarnDockDropArea::mini, "mini"},
    {TarnDockDropArea::studio, "studio"},
})};

// A rectangle with non-negative width and height, its origin moved to the minimum corner.
struct Standardised {
    double minX;
    double minY;
    double width;
    double height;

    explicit Standardised(const TarnScreenRect& rect)
        : minX(rect.width() < 0 ? rect.x() + rect.width() : rect.x())
        , minY(rect.height() < 0 ? rect.y() + rect.height() : rect.y())
        , width(std::fabs(rect.width()))
        , height(std::fabs(rect.height()))
    {
    }
    double maxX() const { return minX + width; }
    double maxY() const { return minY + height; }
    // NaN sizes compare false, so such a rectangle is never large enough.
    bool isLargeEnough() const { return width > 1.0 && height > 1.0; }
    bool contains(double x, double y) const { return x >= minX && x < maxX() && y >= minY && y < maxY(); }
};

bool hits(const Standardised& dragged, const std::optional<TarnScreenRect>& target)
{
    if (!target) {
        return false;
    }
    const Standardised area(*target);
    if (!dragged.isLargeEnough() || !area.isLargeEnough()) {
        return false;
    }
    if (area.contains(dragged.minX + dragged.width / 2, dragged.minY + dragged.height / 2)) {
        return true;
    }
    const double overlapWidth = std::min(dragged.maxX(), area.maxX()) - std::max(dragged.minX, area.minX);
    const double overlapHeight = std::min(dragged.maxY(), area.maxY()) - std::max(dragged.minY, area.minY);
    if (!(overlapWidth > 0) || !(overlapHeight > 0)) {
        return false;
    }
    return overlapWidth * overlapHeight / (dragged.width * dragged.height) >= kDockDropMinimumOverlap;
}

} // namespace

std::string_view rawValue(TarnDockDropArea area)
{
    return kAreas[area].raw;
}

std::optional<TarnDockDropArea> tarnDockDropAreaFromRawValue(std::string_view raw)
{
    return kAreas.fromRaw(raw);
}

std::optional<TarnDockDropArea> detectDockDropTarget(const TarnScreenRect& draggedFrame,
    const std::optional<TarnScreenRect>& miniTarget, const std::optional<TarnScreenRect>& studioTarget)
{
    const Standardised dragged(draggedFrame);
    if (hits(dragged, miniTarget)) {
        return TarnDockDropArea::mini;
    }
    if (hits(dragged, studioTarget)) {
        return TarnDockDropArea::studio;
    }
    return std::nullopt;
}

} // namespace tarn
