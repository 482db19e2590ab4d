#pragma once

// Pointer travel this session and the state of the DPI calibration run.

#include <cstdint>
#include <optional>

namespace tarn::input {

struct PointerCalibrationSnapshot {
    double sessionPixelsTraveled = 0;
    // The same travel at the nominal DPI.
    double sessionDistanceCm = 0;
    double sessionDistanceMeters = 0;
    double nominalDPI = 0;
    bool isCalibrating = false;
    // The physical distance the user is asked to move.
    double calibrationTargetCm = 0;
    // Straight-line pixel distance of the current run.
    double calibrationDeltaPixels = 0;
    // Pixel length of the current run's path.
    double calibrationPathPixels = 0;
    // From the last finished run; absent before one.
    std::optional<std::int64_t> measuredEffectiveDPI;
    std::int64_t sessionClicks = 0;
    std::int64_t blockedGhostDoubleClicks = 0;

    bool operator==(const PointerCalibrationSnapshot&) const = default;
};

} // namespace tarn::input
