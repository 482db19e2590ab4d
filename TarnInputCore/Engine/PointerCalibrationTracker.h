#pragma once

// Pointer travel, click counts and the guided DPI measurement of one session.
// Minimal for now: clicks, bounces and the nominal DPI are kept; travel and the measurement come
// with the calibration work.

#include <cmath>
#include <cstdint>

#include "TarnInputCore/Model/PointerCalibrationSnapshot.h"

namespace tarn::input {

class PointerCalibrationTracker {
public:
    static constexpr double kDefaultCalibrationTargetCm = 10;

    explicit PointerCalibrationTracker(double nominalDPI)
        : m_nominalDPI(clampedDPI(nominalDPI))
    {
    }

    // Not finite → 1600; otherwise within [100, 32000].
    static double clampedDPI(double dpi)
    {
        if (!std::isfinite(dpi)) {
            return 1600;
        }
        return dpi < 100 ? 100 : (dpi > 32000 ? 32000 : dpi);
    }

    void setNominalDPI(double dpi) { m_nominalDPI = clampedDPI(dpi); }
    double nominalDPI() const { return m_nominalDPI; }

    void recordClick(bool wasBlockedBounce) { ++(wasBlockedBounce ? m_blockedGhostDoubleClicks : m_sessionClicks); }
    std::int64_t sessionClicks() const { return m_sessionClicks; }
    std::int64_t blockedGhostDoubleClicks() const { return m_blockedGhostDoubleClicks; }
    bool isCalibrating() const { return false; }

    PointerCalibrationSnapshot snapshot() const
    {
        PointerCalibrationSnapshot snapshot;
        snapshot.nominalDPI = m_nominalDPI;
        snapshot.calibrationTargetCm = kDefaultCalibrationTargetCm;
        snapshot.sessionClicks = m_sessionClicks;
        snapshot.blockedGhostDoubleClicks = m_blockedGhostDoubleClicks;
        return snapshot;
    }

private:
    double m_nominalDPI;
    std::int64_t m_sessionClicks = 0;
    std::int64_t m_blockedGhostDoubleClicks = 0;
};

} // namespace tarn::input
