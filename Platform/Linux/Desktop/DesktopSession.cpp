#include "Platform/Linux/Desktop/DesktopSession.h"

namespace tarn::input {

DesktopSession DesktopSession::fromEnvironment(const EnvironmentLookup& lookup)
{
    const auto sessionType = lookup("XDG_SESSION_TYPE");
    const auto waylandDisplay = lookup("WAYLAND_DISPLAY");
    if ((sessionType && *sessionType == "wayland") || (waylandDisplay && !waylandDisplay->empty())) {
        return {std::nullopt, "Wayland session"};
    }
    auto display = lookup("DISPLAY");
    if (!display || display->empty()) {
        return {std::nullopt, "no X11 display"};
    }
    return {std::move(display), {}};
}

} // namespace tarn::input
