#pragma once

// Port: the desktop's clipboard.

#include <string>

namespace tarn::input {

class Pasteboard {
public:
    virtual ~Pasteboard() = default;
    // Replaces whatever the clipboard held with this plain UTF-8 text.
    virtual void setText(const std::string& text) = 0;
};

} // namespace tarn::input
