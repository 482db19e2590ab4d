#pragma once

// The list of windows that the GNOME Shell extension and the KWin script send over the session
// bus, as JSON: [{"appId": "org.gnome.Nautilus.desktop", "title": "Home", "pid": 4242,
// "focused": true}, …]. Both write it from their desktop's window list, so the adapters read one
// shape. It is read through the kit's strict JSON reader, with the depth and size limits of every
// other file: bad text, or text nested deeper or holding more values than those allow, gives an
// empty list; entries that are no objects are left out, fields of the wrong type read as absent,
// a pid that no process can have (not positive, beyond pid_t) reads as 0, and only the first
// kMaximumWindows entries count; a text longer than kMaximumBytes is not read at all.

#include <string_view>
#include <vector>

#include "Platform/Linux/Wayland/DesktopWindow.h"

namespace tarn::input {

class DesktopWindowJson {
public:
    DesktopWindowJson() = delete;

    static constexpr std::size_t kMaximumWindows = 1024;
    static constexpr std::size_t kMaximumBytes = 4 * 1024 * 1024;

    static std::vector<DesktopWindow> parseList(std::string_view text);
};

} // namespace tarn::input
