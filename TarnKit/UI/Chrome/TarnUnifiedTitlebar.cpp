#include "TarnKit/UI/Chrome/TarnUnifiedTitlebar.h"

#include <algorithm>
#include <array>

namespace tarn {

void TarnUnifiedTitlebar::configure(WindowChrome& window, TarnUnifiedTitlebarMode mode)
{
    if (!window.hasFullSizeContent()) {
        window.addFullSizeContent();
    }
    window.hideTitle();
    window.makeTitlebarTransparent();
    window.removeTitlebarSeparator();
    const bool hasOurs = window.toolbarIdentifier() == std::string(kToolbarIdentifier);
    if (mode == TarnUnifiedTitlebarMode::fullHeightSidebar) {
        if (hasOurs) {
            window.removeToolbar();
        }
        return;
    }
    if (!hasOurs) {
        window.installToolbar(kToolbarIdentifier);
    }
    window.setUnifiedToolbarStyle();
}

TarnUnifiedTitlebarMetrics TarnUnifiedTitlebar::measure(
    const WindowChrome& window, double fullscreenLeading, double gap)
{
    const double sidebarGap = TarnUnifiedTitlebarMetrics::kSidebarTrafficLightVerticalGap;
    if (window.isFullScreen()) {
        return TarnUnifiedTitlebarMetrics::calculate(0, 0, 0, true, fullscreenLeading, gap, sidebarGap);
    }
    double maxX = 0;
    double centerY = 0;
    double bottomY = 0;
    for (const WindowButton button : {WindowButton::close, WindowButton::minimize, WindowButton::zoom}) {
        const auto frame = window.buttonFrame(button);
        if (!frame || !(frame->width > 0) || !(frame->height > 0)) {
            continue;
        }
        const double bottom = frame->y + frame->height;
        centerY = (frame->y + bottom) / 2.0; // the last button measured wins
        maxX = std::max(maxX, frame->x + frame->width);
        bottomY = std::max(bottomY, bottom);
    }
    return TarnUnifiedTitlebarMetrics::calculate(maxX, centerY, bottomY, false, fullscreenLeading, gap, sidebarGap);
}

TitlebarDoubleClickAction TarnUnifiedTitlebar::doubleClickAction(const std::optional<std::string>& preference)
{
    if (preference == "Minimize") {
        return TitlebarDoubleClickAction::minimize;
    }
    if (preference == "None") {
        return TitlebarDoubleClickAction::none;
    }
    return TitlebarDoubleClickAction::zoom;
}

void TarnUnifiedTitlebar::performDoubleClick(WindowChrome& window, const std::optional<std::string>& preference)
{
    switch (doubleClickAction(preference)) {
    case TitlebarDoubleClickAction::minimize:
        window.minimize();
        break;
    case TitlebarDoubleClickAction::none:
        break;
    case TitlebarDoubleClickAction::zoom:
        window.zoom();
        break;
    }
}

void TarnTitlebarMetricsReporter::report(const TarnUnifiedTitlebarMetrics& metrics)
{
    if (m_lastReported == metrics) {
        return;
    }
    m_lastReported = metrics;
    if (m_callback) {
        m_callback(metrics);
    }
}

} // namespace tarn
