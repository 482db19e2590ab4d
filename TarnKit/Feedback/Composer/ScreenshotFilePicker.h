#pragma once

// Asks the user for image files to attach: several files at once, no folders, offering PNG,
// JPEG, WebP and GIF. Modal: returns once the user has chosen or cancelled. Interface thread only.

#include <filesystem>
#include <optional>
#include <vector>

namespace tarn {

class ScreenshotFilePicker {
public:
    virtual ~ScreenshotFilePicker() = default;

    // The chosen files, in the picker's order; none when the user cancelled.
    virtual std::optional<std::vector<std::filesystem::path>> chooseImages() = 0;
};

} // namespace tarn
