#pragma once

// Replaces a file's contents all at once: the new bytes go to a temporary file in the same
// folder, are flushed to disk, and are renamed over the old file. Whatever fails, the old file
// is left as it was and no temporary file stays behind.

#include <filesystem>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Result.h"

namespace tarn {

class AtomicFileWriter {
public:
    // Creates missing parent folders. A new file gets mode 0644; a replaced file keeps its mode.
    // The error is a short English text naming the step and the system's reason.
    static Status<std::string> write(const std::filesystem::path& path, std::string_view contents);
};

} // namespace tarn
