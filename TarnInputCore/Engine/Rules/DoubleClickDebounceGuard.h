#pragma once

// Swallows a second press of the same button that follows the last accepted press too soon: a
// worn switch bounces, and the bounce reads as a double click. Each button has its own reference;
// a blocked press does not move it, so a burst of bounces is measured against the same accepted
// press.
//
//   accepted ─── 30 ms: blocked ─── 60 ms: accepted (new reference)   (threshold 45 ms)

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

class DoubleClickDebounceGuard {
public:
    using Milliseconds = std::chrono::duration<double, std::milli>;

    static constexpr Milliseconds kMinimumThreshold {15};
    static constexpr Milliseconds kMaximumThreshold {110};

    // The threshold is clamped to [15, 110] ms. Buttons outside 0..31 are never blocked (the
    // engine only asks for the left and right buttons).
    [[nodiscard]] bool shouldBlockBounce(std::int64_t buttonNumber, EngineTime now, Milliseconds threshold);
    void reset();

    std::int64_t blockedCount() const { return m_blockedCount; }
    // From the last accepted press to the latest press of the same button; none until known.
    std::optional<double> lastIntervalMs() const { return m_lastIntervalMs; }

private:
    static constexpr std::size_t kTrackedButtons = 32;

    std::array<std::optional<EngineTime>, kTrackedButtons> m_lastAcceptedDown {};
    std::int64_t m_blockedCount = 0;
    std::optional<double> m_lastIntervalMs;
};

} // namespace tarn::input
