// Motion telemetry and the guided DPI measurement. Every move or drag feeds the polling-rate
// calculator and the calibration tracker; telemetry and calibration snapshots go out at most every
// 140 ms and 220 ms (60 ms while calibrating). This path runs for every mouse report (up to 8000 a
// second) and allocates nothing unless a snapshot is due.

#include <fmt/format.h>

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnKit/Foundation/Text/NumberText.h"

namespace tarn::input {

namespace {

using namespace std::chrono_literals;

constexpr auto kTelemetryInterval = 140ms;
constexpr auto kCalibrationInterval = 220ms;
constexpr auto kCalibratingInterval = 60ms;

} // namespace

void InputEventInterceptorService::recordPointerMotion(const TapEvent& event)
{
    const auto now = m_ports.clock.now();
    (void)m_pollingCalculator.recordEvent(now);
    if (event.mouseDeltaX != 0 || event.mouseDeltaY != 0) {
        m_calibrationTracker.recordPointerDelta(event.mouseDeltaX, event.mouseDeltaY);
        m_calibrationTracker.notePointerLocation(event.location);
    } else {
        m_calibrationTracker.recordPointerMove(event.location);
    }
    if (now - m_lastTelemetryEmitTime >= kTelemetryInterval) {
        emitTelemetry();
    }
    const bool calibrating = m_calibrationTracker.isCalibrating();
    if (now - m_lastCalibrationEmitTime >= (calibrating ? kCalibratingInterval : kCalibrationInterval)) {
        emitCalibration();
    } else if (calibrating) {
        // Every move of a run, so that stopping measures what the tap thread has seen.
        m_publishedCalibration.publish(m_calibrationTracker.snapshot());
    }
}

void InputEventInterceptorService::startDPICalibration(double targetCm)
{
    m_ports.log.log(TarnLogLevel::info, "calibration",
        fmt::format("Started guided {} cm DPI calibration test", NumberText::roundedWhole(targetCm)));
    request({.kind = EngineRequest::Kind::startCalibration, .amount = targetCm});
}

std::optional<std::int64_t> InputEventInterceptorService::stopDPICalibration()
{
    const auto seen = m_publishedCalibration.read();
    const auto result = PointerCalibrationTracker::measurementAtStop(seen);
    request({.kind = EngineRequest::Kind::stopCalibration, .measurement = result});
    if (result) {
        m_ports.log.log(TarnLogLevel::info, "calibration",
            fmt::format("Completed DPI calibration: measured {} DPI across {} px", *result,
                NumberText::roundedWhole(seen.calibrationDeltaPixels)));
    } else {
        m_ports.log.log(
            TarnLogLevel::info, "calibration", "Stopped DPI calibration with insufficient cursor displacement");
    }
    return result;
}

void InputEventInterceptorService::resetCalibrationSession()
{
    request({.kind = EngineRequest::Kind::resetCalibration});
}

PointerCalibrationSnapshot InputEventInterceptorService::currentCalibrationSnapshot() const
{
    return m_publishedCalibration.read();
}

void InputEventInterceptorService::resetDiagnostics()
{
    request({.kind = EngineRequest::Kind::resetDiagnostics});
}

} // namespace tarn::input
