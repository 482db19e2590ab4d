#pragma once

// poll()'s timeout for sd-bus's next deadline (sd_bus_get_timeout: absolute, on the monotonic
// clock, in microseconds; UINT64_MAX for none): milliseconds, rounded up, at most a minute; -1
// for no deadline.

#include <algorithm>
#include <cstdint>

#include <time.h>

namespace tarn {

inline int sdBusPollTimeout(std::uint64_t deadlineMicroseconds)
{
    if (deadlineMicroseconds == UINT64_MAX) {
        return -1;
    }
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t nowMicroseconds
        = static_cast<std::uint64_t>(now.tv_sec) * 1'000'000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000;
    if (deadlineMicroseconds <= nowMicroseconds) {
        return 0;
    }
    return static_cast<int>(std::min<std::uint64_t>((deadlineMicroseconds - nowMicroseconds + 999) / 1000, 60'000));
}

} // namespace tarn
