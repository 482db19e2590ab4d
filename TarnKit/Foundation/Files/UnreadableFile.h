#pragma once

// Keeps a file the program could not read: before a fresh file replaces it, it is renamed to
// "<name>.unreadable-<UTC date and time>" in the same folder, so nothing the user made is lost.
// A symbolic link at the path is renamed as the link.

#include <filesystem>
#include <optional>

#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn {

class UnreadableFile {
public:
    // The new path, or absent when the file does not exist or cannot be renamed.
    static std::optional<std::filesystem::path> setAside(const std::filesystem::path& path, WallTime when);
};

} // namespace tarn
