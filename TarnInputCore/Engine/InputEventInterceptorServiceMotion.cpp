// Motion telemetry: every move or drag feeds the polling-rate calculator; telemetry and calibration
// snapshots go out at most every 140 ms and 220 ms (60 ms while calibrating).
// This path runs for every mouse report (up to 8000 a second) and allocates nothing.

#include "TarnInputCore/Engine/InputEventInterceptorService.h"

namespace tarn::input {

void InputEventInterceptorService::recordPointerMotion(const TapEvent& /*event*/)
{
    using namespace std::chrono_literals;
    const auto now = m_ports.clock.now();
    bool telemetryDue = false;
    bool calibrationDue = false;
    {
        std::lock_guard lock(m_mutex);
        (void)m_pollingCalculator.recordEvent(now);
        telemetryDue = now - m_lastTelemetryEmitTime >= 140ms;
        calibrationDue = now - m_lastCalibrationEmitTime >= (m_calibrationTracker.isCalibrating() ? 60ms : 220ms);
        if (telemetryDue) {
            m_lastTelemetryEmitTime = now;
        }
        if (calibrationDue) {
            m_lastCalibrationEmitTime = now;
        }
    }
    if (telemetryDue) {
        emitTelemetry();
    }
    if (calibrationDue) {
        emitCalibration();
    }
}

} // namespace tarn::input
