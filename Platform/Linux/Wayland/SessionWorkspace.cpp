#include "Platform/Linux/Wayland/SessionWorkspace.h"

#include <string>
#include <string_view>

#include <fmt/format.h>

#include "Platform/Linux/Wayland/GnomeShellWorkspace.h"
#include "Platform/Linux/Wayland/KWinWorkspace.h"
#include "Platform/Linux/Wayland/WlrootsWorkspace.h"
#include "Platform/Linux/X11/X11Workspace.h"

namespace tarn::input {

namespace {

bool isWaylandSession(const EnvironmentLookup& environment)
{
    const auto sessionType = environment("XDG_SESSION_TYPE");
    const auto display = environment("WAYLAND_DISPLAY");
    return (sessionType && *sessionType == "wayland") || (display && !display->empty());
}

// XDG_CURRENT_DESKTOP is a colon-separated list: "ubuntu:GNOME", "KDE".
bool isDesktop(const EnvironmentLookup& environment, std::string_view name)
{
    const std::string desktops = ":" + environment("XDG_CURRENT_DESKTOP").value_or("") + ":";
    return desktops.find(":" + std::string(name) + ":") != std::string::npos;
}

} // namespace

std::unique_ptr<Workspace> SessionWorkspace::choose(LogSink& log, const EnvironmentLookup& environment)
{
    if (!isWaylandSession(environment)) {
        return std::make_unique<X11Workspace>(log, environment);
    }
    std::string whyNot;
    if (auto workspace = WlrootsWorkspace::connect(environment, whyNot)) {
        return workspace;
    }
    if (isDesktop(environment, "GNOME")) {
        if (auto workspace = GnomeShellWorkspace::connect(log, environment, whyNot)) {
            return workspace;
        }
    } else if (isDesktop(environment, "KDE")) {
        if (auto workspace = KWinWorkspace::connect(environment, whyNot)) {
            return workspace;
        }
    }
    log.log(TarnLogLevel::info, "platform", fmt::format("No window list in this Wayland session: {}", whyNot));
    return std::make_unique<X11Workspace>(log, environment);
}

} // namespace tarn::input
