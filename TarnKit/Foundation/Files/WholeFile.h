#pragma once

// Reads a whole file into memory. Only a regular file is read (a FIFO or a device named like the
// file would block, never end, or act on being opened: it is not even opened), and only up to a
// size the caller names, so that a file someone else controls can neither stall the reader nor
// exhaust memory.

#include <cstdint>
#include <filesystem>
#include <string>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

class WholeFile {
public:
    enum class Failure {
        // Nothing is at the path (a dangling link included, when links are followed).
        missing,
        // A regular file larger than the limit: refused by its size before anything is read, or
        // grown past the limit while it was read.
        tooLarge,
        // Something is there but could not be read whole: not a regular file, not one the access
        // allows, or refused or failed while reading.
        unusable,
    };

    enum class Access {
        // Through symbolic links, to any regular file this user may read.
        followingLinks,
        // Only a regular file of this user's own standing at the path itself: a symbolic link
        // there is not followed and another user's file is not read. For files in a folder others
        // could plant a link or a file in, which would otherwise hand the reader whatever they chose.
        ownFileOnly,
    };

    static Result<std::string, Failure> read(
        const std::filesystem::path& path, std::uintmax_t maximumSize, Access access = Access::followingLinks);
};

} // namespace tarn
