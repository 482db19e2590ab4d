#pragma once

// How often the mouse reports motion: the current, peak and average rate in Hz, from the motion
// events of the last second. `recordEvent` runs for every mouse report (up to 8000 a second), so
// the storage is allocated once, at construction, and never again.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

class PollingRateCalculator {
public:
    static constexpr std::int64_t kMaximumHz = 8000;
    static constexpr std::size_t kMaximumSamples = 40;
    // Twice what the fastest mouse sends in a second; beyond it the rate is capped anyway.
    static constexpr std::size_t kWindowCapacity = 16384;

    PollingRateCalculator();

    // Returns the current rate.
    std::int64_t recordEvent(EngineTime now);
    // Everything back to the initial values; keeps the storage.
    void reset();

    std::int64_t currentHz() const { return m_currentHz; }
    std::int64_t peakHz() const { return m_peakHz; }
    // Truncating mean of the recent samples, or the current rate before the first sample.
    std::int64_t averageHz() const;
    // The samples in the order they were taken (tests and diagnostics).
    std::vector<std::int64_t> hzSamples() const;

private:
    // Motion times within the last second, a ring of `kWindowCapacity`.
    std::vector<EngineTime> m_timestamps;
    std::size_t m_first = 0;
    std::size_t m_count = 0;
    std::int64_t m_currentHz = 0;
    std::int64_t m_peakHz = 0;
    std::array<std::int64_t, kMaximumSamples> m_hzSamples {};
    std::size_t m_firstSample = 0;
    std::size_t m_sampleCount = 0;
    EngineTime m_lastSampledWindowEnd {};
};

} // namespace tarn::input
