#pragma once

// The application in front, as the workspace reports it. Both fields are absent when nothing is
// in front (the desktop).

#include <optional>
#include <string>

namespace tarn::input {

struct FrontmostApplication {
    std::optional<std::string> bundleID;
    std::optional<std::string> name;
    bool operator==(const FrontmostApplication&) const = default;
};

} // namespace tarn::input
