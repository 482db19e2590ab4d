#pragma once

// One top-level window as a Wayland desktop describes it to the workspace adapters.

#include <cstdint>
#include <string>

namespace tarn::input {

struct DesktopWindow {
    std::string appID; // as the compositor gives it: a desktop-file id, with or without ".desktop"
    std::string title;
    std::int64_t pid = 0; // 0 (or less) when the desktop does not say
    bool focused = false;
    bool operator==(const DesktopWindow&) const = default;
};

} // namespace tarn::input
