#pragma once

// Which application a top-level window belongs to, from what the window says of itself. The id is
// the desktop-file id when one can be found: the GTK application id, the KDE desktop file, or a
// desktop entry matching the window's WM_CLASS; else the WM_CLASS class. Well-known ids then take
// the identifier profiles know them by (LinuxApplicationAliases). The name is the desktop entry's
// localised Name, else the application part of the window title, else the WM_CLASS class, else
// the whole title.

#include <string>
#include <string_view>

#include "Platform/Linux/Desktop/DesktopEntryIndex.h"
#include "TarnInputCore/Engine/Ports/FrontmostApplication.h"

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

    // "Report.odt — LibreOffice Writer" gives "LibreOffice Writer": the part after the last dash
    // that stands between spaces. Empty for a title without one ("user@host: ~" names no
    // application).
    static std::string titleApplicationPart(std::string_view title);
};

} // namespace tarn::input
