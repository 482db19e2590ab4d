#pragma once

// How often the mouse reports motion: the current, peak and average rate in Hz.
// Minimal for now: it records nothing and reports zero rates; the measurement comes with the
// telemetry work. `recordEvent` sits on the mouse-move path and must stay allocation-free.

#include <cstdint>

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

class PollingRateCalculator {
public:
    // Returns the current rate.
    std::int64_t recordEvent(EngineTime /*now*/) { return m_currentHz; }
    void reset() { *this = PollingRateCalculator {}; }

    std::int64_t currentHz() const { return m_currentHz; }
    std::int64_t peakHz() const { return m_peakHz; }
    std::int64_t averageHz() const { return m_currentHz; }

private:
    std::int64_t m_currentHz = 0;
    std::int64_t m_peakHz = 0;
};

} // namespace tarn::input
