#pragma once

// Live pointer telemetry: polling rates, swallowed bounces and the last pressed button.

#include <cstdint>
#include <optional>
#include <string>

namespace tarn::input {

struct PointerTelemetrySnapshot {
    // Over the last second of pointer motion.
    std::int64_t currentHz = 0;
    // Highest since the last reset.
    std::int64_t peakHz = 0;
    // Mean of the recent samples.
    std::int64_t averageHz = 0;
    // Bounces the double-click guard swallowed since the last reset.
    std::int64_t blockedDoubleClicks = 0;
    // "Left Click (Btn 1)", "Right Click (Btn 2)", "Mouse Button <n+1>", or "—" before any press.
    std::string lastButtonLabel = "—";
    // From the last accepted press of a button to the latest press of the same button.
    std::optional<double> lastClickIntervalMs;

    bool operator==(const PointerTelemetrySnapshot&) const = default;
};

} // namespace tarn::input
