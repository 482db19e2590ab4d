// Motion telemetry and the guided DPI measurement. Every move or drag feeds the polling-rate
// calculator and the calibration tracker; telemetry and calibration snapshots go out at most every
// 140 ms and 220 ms (60 ms while calibrating). This path runs for every mouse report (up to 8000 a
// second) and allocates nothing unless a snapshot is due.

#include <fmt/format.h>

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnKit/Foundation/NumberText.h"

namespace tarn::input {

namespace {

using namespace std::chrono_literals;

constexpr auto kTelemetryInterval = 140ms;
constexpr auto kCalibrationInterval = 220ms;
constexpr auto kCalibratingInterval = 60ms;
constexpr std::string_view kNoButtonLabel = "—";

} // namespace

void InputEventInterceptorService::recordPointerMotion(const TapEvent& event)
{
    const auto now = m_ports.clock.now();
    bool telemetryDue = false;
    bool calibrationDue = false;
    {
        std::lock_guard lock(m_mutex);
        (void)m_pollingCalculator.recordEvent(now);
        if (event.mouseDeltaX != 0 || event.mouseDeltaY != 0) {
            m_calibrationTracker.recordPointerDelta(event.mouseDeltaX, event.mouseDeltaY);
            m_calibrationTracker.notePointerLocation(event.location);
        } else {
            m_calibrationTracker.recordPointerMove(event.location);
        }
        telemetryDue = now - m_lastTelemetryEmitTime >= kTelemetryInterval;
        calibrationDue = now - m_lastCalibrationEmitTime
            >= (m_calibrationTracker.isCalibrating() ? kCalibratingInterval : kCalibrationInterval);
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

void InputEventInterceptorService::startDPICalibration(double targetCm)
{
    PointerCalibrationSnapshot snapshot;
    {
        std::lock_guard lock(m_mutex);
        m_calibrationTracker.startCalibration(std::nullopt, targetCm);
        m_lastCalibrationEmitTime = m_ports.clock.now();
        snapshot = m_calibrationTracker.snapshot();
    }
    m_ports.log.log(TarnLogLevel::info, "calibration",
        fmt::format("Started guided {} cm DPI calibration test", NumberText::roundedWhole(targetCm)));
    if (m_callbacks.onCalibrationSnapshot) {
        m_callbacks.onCalibrationSnapshot(snapshot);
    }
}

std::optional<std::int64_t> InputEventInterceptorService::stopDPICalibration()
{
    std::optional<std::int64_t> result;
    PointerCalibrationSnapshot snapshot;
    {
        std::lock_guard lock(m_mutex);
        result = m_calibrationTracker.finishCalibration(std::nullopt);
        m_lastCalibrationEmitTime = m_ports.clock.now();
        snapshot = m_calibrationTracker.snapshot();
    }
    if (result) {
        m_ports.log.log(TarnLogLevel::info, "calibration",
            fmt::format("Completed DPI calibration: measured {} DPI across {} px", *result,
                NumberText::roundedWhole(snapshot.calibrationDeltaPixels)));
    } else {
        m_ports.log.log(
            TarnLogLevel::info, "calibration", "Stopped DPI calibration with insufficient cursor displacement");
    }
    if (m_callbacks.onCalibrationSnapshot) {
        m_callbacks.onCalibrationSnapshot(snapshot);
    }
    return result;
}

void InputEventInterceptorService::resetCalibrationSession()
{
    PointerCalibrationSnapshot snapshot;
    {
        std::lock_guard lock(m_mutex);
        m_calibrationTracker.resetSession();
        m_lastCalibrationEmitTime = m_ports.clock.now();
        snapshot = m_calibrationTracker.snapshot();
    }
    if (m_callbacks.onCalibrationSnapshot) {
        m_callbacks.onCalibrationSnapshot(snapshot);
    }
}

PointerCalibrationSnapshot InputEventInterceptorService::currentCalibrationSnapshot() const
{
    std::lock_guard lock(m_mutex);
    return m_calibrationTracker.snapshot();
}

void InputEventInterceptorService::resetDiagnostics()
{
    PointerTelemetrySnapshot telemetry;
    PointerCalibrationSnapshot calibration;
    {
        std::lock_guard lock(m_mutex);
        m_pollingCalculator.reset();
        m_debounceGuard.reset();
        m_calibrationTracker.resetSession();
        m_lastButtonLabel = kNoButtonLabel;
        telemetry.lastButtonLabel = kNoButtonLabel;
        calibration = m_calibrationTracker.snapshot();
    }
    if (m_callbacks.onPointerTelemetry) {
        m_callbacks.onPointerTelemetry(telemetry);
    }
    if (m_callbacks.onCalibrationSnapshot) {
        m_callbacks.onCalibrationSnapshot(calibration);
    }
}

} // namespace tarn::input
