#pragma once

// Where the window's own three buttons (close, minimise, zoom) sit, published so that a header can
// start to their right and a sidebar below them. All lengths are logical pixels from the window's
// top-left corner.

namespace tarn {

enum class TarnUnifiedTitlebarMode { unifiedHeader, fullHeightSidebar };

struct TarnUnifiedTitlebarMetrics {
    static constexpr double kStandardHeight = 52;
    static constexpr double kFallbackLeadingClearance = 93;
    static constexpr double kFullscreenLeadingMargin = 16;
    static constexpr double kTrafficLightGap = 14;
    static constexpr double kSidebarTrafficLightVerticalGap = 14;

    // The values a view sees outside any titlebar window. Their bottom is 33, not the 23 that the
    // calculation falls back to; the sidebar clearance 37 is 23 + 14.
    double leadingClearance = 93;
    double trafficLightCenterY = 26;
    double trafficLightBottomY = 33;
    double sidebarTopClearance = 37;
    bool isFullScreen = false;

    // From raw measurements; a measurement that is not greater than 0 (NaN included) counts as
    // missing and takes its fall-back. A full-screen window has no buttons to clear.
    static TarnUnifiedTitlebarMetrics calculate(double buttonsMaxX, double buttonsCenterY, double buttonsBottomY,
        bool isFullScreen, double fullscreenLeading, double gap, double sidebarVerticalGap);

    bool operator==(const TarnUnifiedTitlebarMetrics&) const = default;
};

} // namespace tarn
