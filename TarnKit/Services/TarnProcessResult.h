#pragma once

// What a finished child process left behind: its status and the captured bytes of both streams.

#include <cstdint>
#include <string>

namespace tarn {

struct TarnProcessResult {
    std::int32_t exitCode = 0;
    std::string stdoutBytes;
    std::string stderrBytes;

    // The bytes as UTF-8 text, every invalid sequence replaced by U+FFFD.
    std::string stdoutString() const;
    std::string stderrString() const;
};

} // namespace tarn
