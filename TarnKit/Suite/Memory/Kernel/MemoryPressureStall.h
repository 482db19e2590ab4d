#pragma once

// The memory pressure level from the kernel's pressure-stall information (/proc/pressure/memory):
//   some avg10=<percent> avg60=... avg300=... total=...
//   full avg10=<percent> avg60=... avg300=... total=...
// "some" is the share of the last ten seconds in which at least one task waited for memory,
// "full" the share in which every runnable task did. The levels:
//   critical  full avg10 >= 10   (the whole machine stalled for a tenth of the time)
//   warning   some avg10 >= 10   (tasks are being slowed by reclaim or swap-in)
//   normal    otherwise
// A missing "full" line counts as 0 (older kernels write only "some"); a text without a "some"
// figure (an empty or garbled file) gives no level at all.

#include <optional>
#include <string>
#include <string_view>

namespace tarn {

class MemoryPressureStall {
public:
    static constexpr double kWarningSomePercent = 10.0;
    static constexpr double kCriticalFullPercent = 10.0;

    // "normal", "warning" or "critical" for the text of the pressure file; none when it holds
    // no "some" figure.
    static std::optional<std::string> level(std::string_view text);
};

} // namespace tarn
