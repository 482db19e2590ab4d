#pragma once

// Chooses the workspace adapter for the desktop session the program runs in:
//   an X11 session                       X11Workspace
//   a compositor that lists its windows  WlrootsWorkspace (sway, Hyprland, labwc, river …)
//   GNOME on Wayland                     GnomeShellWorkspace (needs the program's shell extension)
//   KDE Plasma on Wayland                KWinWorkspace
// Any other Wayland session gets X11Workspace, which says once in the log that it cannot tell
// which application is in front.

#include <memory>

#include "TarnInputCore/Engine/Ports/Workspace.h"
#include "TarnKit/Foundation/Identity/Environment.h"
#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn::input {

class SessionWorkspace {
public:
    SessionWorkspace() = delete;

    static std::unique_ptr<Workspace> choose(LogSink& log, const EnvironmentLookup& environment = processEnvironment);
};

} // namespace tarn::input
