#pragma once

#include <string>

namespace tarn::input {

// One running application with a window the user can switch to.
struct RunningApplication {
    std::string bundleID;
    std::string name;
    bool operator==(const RunningApplication&) const = default;
};

} // namespace tarn::input
