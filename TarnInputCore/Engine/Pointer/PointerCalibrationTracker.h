#pragma once

// Pointer travel, click counts and the guided DPI measurement of one session. The measurement
// compares the straight-line pixel displacement with the physical distance the user moved along a
// ruler; the path length is only shown. Motion methods run for every mouse report and allocate
// nothing.

#include <cstdint>
#include <optional>

#include "TarnInputCore/Engine/TapEvent.h"
#include "TarnInputCore/Model/Pointer/PointerCalibrationSnapshot.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

namespace tarn::input {

class PointerCalibrationTracker {
public:
    static constexpr double kCentimetersPerInch = 2.54;
    static constexpr double kDefaultCalibrationTargetCm = 10;
    static constexpr double kMinimumCalibrationTargetCm = 1;
    // Displacement needed before a live estimate is shown.
    static constexpr double kLiveEstimateMinimumPixels = 5;

    explicit PointerCalibrationTracker(double nominalDPI);

    // pixels ÷ DPI × 2.54, or 0 unless both are finite and positive.
    static double pixelsToCentimeters(double pixels, double nominalDPI);
    // pixels ÷ (cm ÷ 2.54), or 0 unless both are finite and positive.
    static double calculateEffectiveDPI(double deltaPixels, double distanceCm);

    // Bounded as the settings bound it.
    void setNominalDPI(double dpi) { m_nominalDPI = dpi; }
    double nominalDPI() const { return m_nominalDPI; }

    // Without a point the next absolute position only anchors the measurement.
    void startCalibration(std::optional<EventPoint> point, double targetCm);
    // What `finishCalibration` answers for the state in `snapshot`: the DPI of the run's
    // displacement, else the last measurement.
    static std::optional<std::int64_t> measurementAtStop(const PointerCalibrationSnapshot& snapshot);
    // The measured DPI, or nothing when the pointer did not move.
    std::optional<std::int64_t> finishCalibration(std::optional<EventPoint> point);
    // Ends the run with a measurement made from an earlier snapshot of it.
    void endCalibration(std::optional<std::int64_t> measurement);
    void recordPointerMove(EventPoint point);
    void recordPointerDelta(double dx, double dy);
    // Where a relative report left the pointer: keeps the next absolute position from measuring
    // again the travel its deltas already counted.
    void notePointerLocation(EventPoint point);
    void recordClick(bool wasBlockedBounce) { ++(wasBlockedBounce ? m_blockedGhostDoubleClicks : m_sessionClicks); }
    // Clears travel, clicks and the measurement; keeps the nominal DPI and the target.
    void resetSession();

    std::int64_t sessionClicks() const { return m_sessionClicks; }
    std::int64_t blockedGhostDoubleClicks() const { return m_blockedGhostDoubleClicks; }
    bool isCalibrating() const { return m_isCalibrating; }
    double sessionPixelsTraveled() const { return m_sessionPixelsTraveled; }
    double calibrationTargetCm() const { return m_calibrationTargetCm; }
    double calibrationPathPixels() const { return m_calibrationPathPixels; }
    double calibrationDeltaPixels() const;
    std::optional<std::int64_t> lastMeasuredDPI() const { return m_lastMeasuredDPI; }
    double sessionDistanceCm() const { return pixelsToCentimeters(m_sessionPixelsTraveled, m_nominalDPI); }
    double sessionDistanceMeters() const { return sessionDistanceCm() / 100; }

    PointerCalibrationSnapshot snapshot() const;

private:
    // The DPI for a displacement, or nothing when it is not finite and positive.
    static std::optional<std::int64_t> measuredDPI(double deltaPixels, double targetCm);

    InputSettings::PointerDPI m_nominalDPI;
    double m_sessionPixelsTraveled = 0;
    std::int64_t m_sessionClicks = 0;
    std::int64_t m_blockedGhostDoubleClicks = 0;
    bool m_isCalibrating = false;
    double m_calibrationTargetCm = kDefaultCalibrationTargetCm;
    double m_calibrationPathPixels = 0;
    std::optional<std::int64_t> m_lastMeasuredDPI;
    double m_calibrationDeltaX = 0;
    double m_calibrationDeltaY = 0;
    std::optional<EventPoint> m_lastPointerPoint;
    bool m_awaitingCalibrationAnchor = false;
};

} // namespace tarn::input
