#pragma once

// Which application a top-level window belongs to, from what the window says of itself. The id is
// the desktop-file id when one can be found: the GTK application id, the KDE desktop file, or a
// desktop entry matching the window's WM_CLASS; else the WM_CLASS class. Well-known ids then take
// the identifier profiles know them by (LinuxApplicationAliases). The name is the desktop entry's
// localised Name, else the application part of the window title, else the WM_CLASS class, else
// the whole title.

#include <string>
#include <string_view>
#include <vector>

#include "Platform/Linux/Desktop/DesktopEntryIndex.h"
#include "TarnInputCore/Engine/Ports/FrontmostApplication.h"
#include "TarnInputCore/Model/Profiles/RunningApplication.h"

namespace tarn::input {

// The window's own properties; empty when it does not set one.
struct WindowClassHints {
    std::string gtkApplicationID; // _GTK_APPLICATION_ID
    std::string kdeDesktopFile; // _KDE_NET_WM_DESKTOP_FILE
    std::string wmInstance; // WM_CLASS, first part
    std::string wmClass; // WM_CLASS, second part
    std::string title; // _NET_WM_NAME, else WM_NAME
};

class WindowApplicationIdentity {
public:
    WindowApplicationIdentity() = delete;

    // Both fields absent when the window says nothing that names an application.
    static FrontmostApplication resolve(const WindowClassHints& hints, DesktopEntryIndex& entries);
    // A Wayland window's application id stands where X11 has WM_CLASS: most are desktop-file
    // ids (GNOME Shell adds ".desktop"), some only match an entry's StartupWMClass, a few match
    // nothing and stand for themselves.
    static FrontmostApplication resolveAppID(
        std::string_view appID, std::string_view title, DesktopEntryIndex& entries);

    // "Report.odt — LibreOffice Writer" gives "LibreOffice Writer": the part after the last dash
    // that stands between spaces. Empty for a title without one ("user@host: ~" names no
    // application).
    static std::string titleApplicationPart(std::string_view title);

    // Lists a window's application among the running ones once, under its name (its id when it
    // has none); a window that names no application adds nothing.
    static void listOnce(std::vector<RunningApplication>& running, const FrontmostApplication& application);
};

} // namespace tarn::input
