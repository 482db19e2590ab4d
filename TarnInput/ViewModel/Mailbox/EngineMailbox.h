#pragma once

// What the engine tells the interface, carried from the input thread without allocating or
// waiting: the newest telemetry and calibration figures in latest-value slots, HUD tokens, click
// ripples and event lines in bounded queues, and at most one wake-up of the interface thread
// outstanding however many reports arrive before it drains. The resolution for the frontmost
// application, which never comes from the input thread, has a latest-value slot too. The wake-up
// waits until the engine says its reports are ready, which on the input thread is once the frames
// they came with are out: a click never waits for the interface thread to be woken.

#include <atomic>
#include <functional>
#include <optional>

#include "TarnInput/ViewModel/FixedText.h"
#include "TarnInput/ViewModel/Mailbox/LatestValueSlot.h"
#include "TarnInput/ViewModel/Mailbox/MailboxRing.h"
#include "TarnInputCore/Engine/Ports/EngineCallbacks.h"

namespace tarn::input {

// The interface-thread side of the mailbox: called by drain, in this order, with the reports
// waiting since the last drain.
class EngineMailboxReceiver {
public:
    virtual ~EngineMailboxReceiver() = default;

    virtual void receiveActiveResolution(const EffectiveInputResolution& resolution) = 0;
    virtual void receivePointerTelemetry(const PointerTelemetrySnapshot& snapshot) = 0;
    virtual void receiveCalibration(const PointerCalibrationSnapshot& snapshot) = 0;
    virtual void receiveKeystrokeToken(const KeyHUDToken& token) = 0;
    virtual void receiveClickRipple(const ClickRippleEvent& event) = 0;
    virtual void appendTelemetry(const std::string& line) = 0;
};

class EngineMailbox {
public:
    // `wake` runs on the reporting thread when the first reports after a drain are ready; it asks
    // the interface thread to call drain once.
    explicit EngineMailbox(std::function<void()> wake);

    // The engine's callbacks writing into this mailbox; valid while the mailbox lives.
    EngineCallbacks callbacks();

    // Interface thread only.
    void drain(EngineMailboxReceiver& receiver);

    // Reports lost because a queue was full while the interface thread did not drain.
    std::uint64_t droppedReports() const;

private:
    static constexpr std::size_t kLabelBytes = 48;
    static constexpr std::size_t kTokenBytes = 64;
    static constexpr std::size_t kLineBytes = 192;
    static constexpr std::size_t kTokenSlots = 64;
    static constexpr std::size_t kRippleSlots = 64;
    static constexpr std::size_t kLineSlots = 64;

    struct TelemetryFigures {
        std::int64_t currentHz = 0;
        std::int64_t peakHz = 0;
        std::int64_t averageHz = 0;
        std::int64_t blockedDoubleClicks = 0;
        FixedText<kLabelBytes> lastButtonLabel;
        std::optional<double> lastClickIntervalMs;
    };

    struct TokenEntry {
        Uuid id;
        FixedText<kTokenBytes> text;
        bool isShortcut = false;
        WallTime timestamp;
    };

    void postResolution(const EffectiveInputResolution& resolution);
    void postTelemetry(const PointerTelemetrySnapshot& snapshot);
    void postCalibration(const PointerCalibrationSnapshot& snapshot);
    void postToken(const KeyHUDToken& token);
    void postRipple(const ClickRippleEvent& event);
    void postLine(const std::string& line);
    void requestWake();

    std::function<void()> m_wake;
    std::atomic<bool> m_wakePending {false};
    // Written by one engine thread at a time (the engine's writers' lock), so never dropped.
    LatestValueSlot<EffectiveInputResolution> m_resolution;
    LatestValueSlot<TelemetryFigures> m_telemetry;
    LatestValueSlot<PointerCalibrationSnapshot> m_calibration;
    MailboxRing<TokenEntry, kTokenSlots> m_tokens;
    MailboxRing<ClickRippleEvent, kRippleSlots> m_ripples;
    MailboxRing<FixedText<kLineBytes>, kLineSlots> m_lines;
};

} // namespace tarn::input
