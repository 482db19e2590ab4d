#pragma once

// SHA-256 of a whole file read in chunks, and a cheap fingerprint of a large file from its size
// and its first and last bytes. Both return 64 lower-case hexadecimal digits, or the system's
// file error.

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

class TarnChecksum {
public:
    // Holds one chunk in memory at a time; a chunk size below 1 reads 64 KiB chunks.
    static Result<std::string, std::error_code> sha256(
        const std::filesystem::path& file, std::ptrdiff_t chunkSize = 1 << 20);
    // Hashes the 8 size bytes (host order), the first `sampleBytes` bytes and, when the file is
    // larger than the sample, the last `sampleBytes` bytes.
    static Result<std::string, std::error_code> partialFingerprint(
        const std::filesystem::path& file, std::ptrdiff_t sampleBytes);
};

} // namespace tarn
