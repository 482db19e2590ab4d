#pragma once

// Keeps a file the program could not read: before a fresh file replaces it, it is renamed to
// "<name>.unreadable-<UTC date and time>" in the same folder, so nothing the user made is lost.
// Only a regular file of this user's own or a symbolic link is moved; a link is moved as the link
// (whatever it points to stays where it is and as it is). Anything else (a device node, a FIFO, a
// folder, another user's file) is not the program's to move.

#include <filesystem>
#include <optional>

#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn {

class UnreadableFile {
public:
    // The new path, or absent when nothing is at the path, it may not be moved, or the rename fails.
    static std::optional<std::filesystem::path> setAside(const std::filesystem::path& path, WallTime when);
};

} // namespace tarn
