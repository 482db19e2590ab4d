#pragma once

// Whether the desktop adapters can learn about windows: they need an X11 session. In a Wayland
// session XWayland shows only its own windows (a native window in front reads as "nothing in
// front"), so there the adapters report that they cannot tell rather than answer wrongly.

#include <optional>
#include <string>

#include "TarnKit/Foundation/Identity/Environment.h"

namespace tarn::input {

struct DesktopSession {
    // The X11 display to connect to; absent when there is none to use, with the reason in words.
    std::optional<std::string> display;
    std::string unavailableReason;

    static DesktopSession fromEnvironment(const EnvironmentLookup& lookup);
};

} // namespace tarn::input
