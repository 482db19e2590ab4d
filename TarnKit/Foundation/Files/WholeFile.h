#pragma once

// Reads a whole file into memory. Only a regular file is read (a FIFO or a device named like the
// file would block or never end), and only up to a size the caller names, so that a file someone
// else controls can neither stall the reader nor exhaust memory. Symbolic links are followed.

#include <cstdint>
#include <filesystem>
#include <string>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

class WholeFile {
public:
    enum class Failure {
        // Nothing is at the path (a dangling link included).
        missing,
        // A regular file larger than the limit: refused by its size before anything is read, or
        // grown past the limit while it was read.
        tooLarge,
        // Something is there but could not be read whole: not a regular file, or refused or
        // failed while reading.
        unusable,
    };

    static Result<std::string, Failure> read(const std::filesystem::path& path, std::uintmax_t maximumSize);
};

} // namespace tarn
