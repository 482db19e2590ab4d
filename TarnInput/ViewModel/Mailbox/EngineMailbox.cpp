#include "TarnInput/ViewModel/Mailbox/EngineMailbox.h"

#include <utility>

namespace tarn::input {

EngineMailbox::EngineMailbox(std::function<void()> wake)
    : m_wake(std::move(wake))
{
}

EngineCallbacks EngineMailbox::callbacks()
{
    EngineCallbacks callbacks;
    callbacks.onKeystrokeToken = [this](const KeyHUDToken& token) { postToken(token); };
    callbacks.onClickRipple = [this](const ClickRippleEvent& event) { postRipple(event); };
    callbacks.onPointerTelemetry = [this](const PointerTelemetrySnapshot& snapshot) { postTelemetry(snapshot); };
    callbacks.onCalibrationSnapshot = [this](const PointerCalibrationSnapshot& snapshot) { postCalibration(snapshot); };
    callbacks.onTelemetryEvent = [this](const std::string& line) { postLine(line); };
    callbacks.onActiveResolution = [this](const EffectiveInputResolution& resolution) { postResolution(resolution); };
    callbacks.onReportsReady = [this] { requestWake(); };
    return callbacks;
}

void EngineMailbox::postResolution(const EffectiveInputResolution& resolution)
{
    (void)m_resolution.publish([&resolution](EffectiveInputResolution& slot) { slot = resolution; });
}

void EngineMailbox::postTelemetry(const PointerTelemetrySnapshot& snapshot)
{
    (void)m_telemetry.publish([&snapshot](TelemetryFigures& figures) {
        figures.currentHz = snapshot.currentHz;
        figures.peakHz = snapshot.peakHz;
        figures.averageHz = snapshot.averageHz;
        figures.blockedDoubleClicks = snapshot.blockedDoubleClicks;
        figures.lastButtonLabel.assign(snapshot.lastButtonLabel);
        figures.lastClickIntervalMs = snapshot.lastClickIntervalMs;
    });
}

void EngineMailbox::postCalibration(const PointerCalibrationSnapshot& snapshot)
{
    (void)m_calibration.publish([&snapshot](PointerCalibrationSnapshot& slot) { slot = snapshot; });
}

void EngineMailbox::postToken(const KeyHUDToken& token)
{
    (void)m_tokens.push([&token](TokenEntry& entry) {
        entry.id = token.id;
        entry.text.assign(token.text);
        entry.isShortcut = token.isShortcut;
        entry.timestamp = token.timestamp;
    });
}

void EngineMailbox::postRipple(const ClickRippleEvent& event)
{
    (void)m_ripples.push([&event](ClickRippleEvent& entry) { entry = event; });
}

void EngineMailbox::postLine(const std::string& line)
{
    (void)m_lines.push([&line](FixedText<kLineBytes>& entry) { entry.assign(line); });
}

void EngineMailbox::requestWake()
{
    if (!m_wakePending.exchange(true, std::memory_order_acq_rel)) {
        m_wake();
    }
}

void EngineMailbox::drain(EngineMailboxReceiver& receiver)
{
    // Cleared first: a report arriving while this drains wakes the interface once more.
    m_wakePending.store(false, std::memory_order_release);
    (void)m_resolution.take(
        [&receiver](const EffectiveInputResolution& resolution) { receiver.receiveActiveResolution(resolution); });
    (void)m_telemetry.take([&receiver](const TelemetryFigures& figures) {
        PointerTelemetrySnapshot snapshot;
        snapshot.currentHz = figures.currentHz;
        snapshot.peakHz = figures.peakHz;
        snapshot.averageHz = figures.averageHz;
        snapshot.blockedDoubleClicks = figures.blockedDoubleClicks;
        snapshot.lastButtonLabel = figures.lastButtonLabel.str();
        snapshot.lastClickIntervalMs = figures.lastClickIntervalMs;
        receiver.receivePointerTelemetry(snapshot);
    });
    (void)m_calibration.take(
        [&receiver](const PointerCalibrationSnapshot& snapshot) { receiver.receiveCalibration(snapshot); });
    m_tokens.drain([&receiver](const TokenEntry& entry) {
        receiver.receiveKeystrokeToken(KeyHUDToken {entry.id, entry.text.str(), entry.isShortcut, entry.timestamp});
    });
    m_ripples.drain([&receiver](const ClickRippleEvent& event) { receiver.receiveClickRipple(event); });
    m_lines.drain([&receiver](const FixedText<kLineBytes>& line) { receiver.appendTelemetry(line.str()); });
}

std::uint64_t EngineMailbox::droppedReports() const
{
    return m_tokens.dropped() + m_ripples.dropped() + m_lines.dropped();
}

} // namespace tarn::input
