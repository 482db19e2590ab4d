#pragma once

// A clock that moves only when a test says so. Monotonic time starts at an arbitrary fixed point,
// wall time at `setWallStart` (default 2025-12-06); both move together.

#include <atomic>

#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn {

class FakeClock final : public Clock {
public:
    MonotonicTime now() const override { return MonotonicTime(std::chrono::hours(1) + elapsed()); }
    WallTime wallNow() const override
    {
        return m_wallStart + std::chrono::duration_cast<WallTime::duration>(elapsed());
    }

    void advance(std::chrono::nanoseconds step) { m_elapsedNs += step.count(); }
    void setWallStart(WallTime start) { m_wallStart = start; }

private:
    std::chrono::nanoseconds elapsed() const { return std::chrono::nanoseconds(m_elapsedNs.load()); }

    // Read from other threads (timers, players), so the count is atomic.
    std::atomic<std::int64_t> m_elapsedNs {0};
    WallTime m_wallStart = WallTime(std::chrono::seconds(1'765'000'000));
};

} // namespace tarn
