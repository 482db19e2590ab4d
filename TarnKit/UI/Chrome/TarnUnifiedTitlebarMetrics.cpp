#include "TarnKit/UI/Chrome/TarnUnifiedTitlebarMetrics.h"

#include <cmath>

namespace tarn {

TarnUnifiedTitlebarMetrics TarnUnifiedTitlebarMetrics::calculate(double buttonsMaxX, double buttonsCenterY,
    double buttonsBottomY, bool isFullScreen, double fullscreenLeading, double gap, double sidebarVerticalGap)
{
    if (isFullScreen) {
        return {fullscreenLeading, 26, 0, fullscreenLeading, true};
    }
    // `!(x > 0)` rather than `x <= 0`, so that NaN takes the fall-back too.
    const double leading = !(buttonsMaxX > 0) ? kFallbackLeadingClearance : std::ceil(buttonsMaxX + gap);
    const double centerY = !(buttonsCenterY > 0) ? 26 : buttonsCenterY;
    const double bottomY = !(buttonsBottomY > 0) ? 23 : buttonsBottomY;
    return {leading, centerY, bottomY, std::ceil(bottomY + sidebarVerticalGap), false};
}

} // namespace tarn
