#pragma once

// The list of windows that the GNOME Shell extension and the KWin script send over the session
// bus, as JSON: [{"appId": "org.gnome.Nautilus.desktop", "title": "Home", "pid": 4242,
// "focused": true}, …]. Both write it from their desktop's window list, so the adapters read one
// shape. Bad text gives an empty list; entries that are no objects are left out, fields of the
// wrong type read as absent, and only the first kMaximumWindows entries count; a text longer than
// kMaximumBytes is not read at all.

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
