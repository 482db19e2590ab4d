#pragma once

// The desktop's choice of what a double click on a window's title bar does, in the kit's words:
// "Minimize", "None" or "Maximize". None when the desktop has no such preference.

#include <optional>
#include <string>

namespace tarn {

class TitlebarDoubleClickPreference {
public:
    virtual ~TitlebarDoubleClickPreference() = default;
    virtual std::optional<std::string> action() const = 0;
};

} // namespace tarn
