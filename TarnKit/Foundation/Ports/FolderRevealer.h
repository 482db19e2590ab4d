#pragma once

// Shows a file or a folder in the desktop's file manager, for "show the log files" and the like.
// Starting programs is the platform layer's business, so the kit asks through this port.

#include <filesystem>

namespace tarn {

class FolderRevealer {
public:
    virtual ~FolderRevealer() = default;

    // A folder is opened; anything else is shown selected in its folder. True when the file
    // manager (or its fall-back) was started; whether a window appeared is not known. Never
    // waits for the file manager.
    [[nodiscard]] virtual bool reveal(const std::filesystem::path& item) = 0;
};

} // namespace tarn
