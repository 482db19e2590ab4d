#pragma once

// The engine's one stateful object: it owns the session event tap, keeps its own copy of the
// settings and of the resolution for the frontmost application, runs every per-event rule in one
// fixed order, posts the program's own (marked) events and reports through callbacks.
//
// Threads and locking: events arrive on the tap thread, timers and window moves on the executor,
// activation notices on the workspace's thread, the public operations on the owner's thread. What
// an event reads (the settings and the resolution for the frontmost application) is one immutable
// snapshot, published by the thread that learns of a change and read without a lock; replaced
// snapshots are freed on the publishing thread, which also reports the new resolution. One mutex guards the rest of the
// engine state; it is held only to read or update that state, never while logging, touching a window, resolving or
// calling back, and never while posting but for one click the window drag gives back from the
// executor (its order against the tap thread's own presses depends on it). The tap thread
// allocates nothing for any event, a bound macro's included. Lifetime: the tap refers to the
// service without owning it, so the destructor stops the tap and waits for any event in progress
// before the service goes away.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "TarnInputCore/Engine/EngineCallbacks.h"
#include "TarnInputCore/Engine/EnginePorts.h"
#include "TarnInputCore/Engine/EngineSnapshot.h"
#include "TarnInputCore/Engine/MacroPlaybackService.h"
#include "TarnInputCore/Engine/PointerCalibrationTracker.h"
#include "TarnInputCore/Engine/PollingRateCalculator.h"
#include "TarnInputCore/Engine/Rules/DoubleClickDebounceGuard.h"
#include "TarnInputCore/Engine/Rules/MouseGestureRecognizer.h"
#include "TarnInputCore/Engine/Rules/PressReleaseLedger.h"
#include "TarnInputCore/Engine/Rules/WindowDragQueue.h"
#include "TarnInputCore/Engine/Rules/WindowDragSession.h"
#include "TarnInputCore/Engine/SecureInputState.h"
#include "TarnInputCore/Engine/SmoothScrollPhysics.h"
#include "TarnInputCore/Engine/SnapshotPublisher.h"
#include "TarnInputCore/Engine/TapEvent.h"
#include "TarnInputCore/Engine/UuidSequence.h"
#include "TarnInputCore/Model/EffectiveInputResolution.h"
#include "TarnInputCore/Model/InputMacro.h"
#include "TarnInputCore/Model/InputSettings.h"
#include "TarnKit/Foundation/Subscription.h"

namespace tarn::input {

class InputEventInterceptorService final : private EventTapHandler {
public:
    static constexpr std::int64_t kSyntheticMagicTag = tarn::input::kSyntheticMagicTag;

    // Copies the settings and resolves for no application. Does not create the tap.
    InputEventInterceptorService(const InputSettings& settings, EnginePorts ports);
    // Stops the tap first: no event reaches a destroyed service.
    ~InputEventInterceptorService();
    InputEventInterceptorService(const InputEventInterceptorService&) = delete;
    InputEventInterceptorService& operator=(const InputEventInterceptorService&) = delete;

    // Assign once, before `start()`.
    void setCallbacks(EngineCallbacks callbacks);

    // True when a tap exists afterwards. A running service answers true and does nothing.
    [[nodiscard]] bool start();
    // Cancels the smoothing timer and any playing macro, ends a gesture or window drag, removes the
    // tap. Nothing happens on a stopped service.
    void stop();
    bool isRunning() const;

    // Each resolves on the caller's thread and publishes a new snapshot for the tap thread.
    void updateSettings(const InputSettings& settings);
    // The same without a copy: the value is shared with whoever else holds it, unchanged.
    void updateSettings(std::shared_ptr<const InputSettings> settings);
    // For the application the workspace has in front now; no older answer is left published
    // after a newer one, whichever threads call it. The activation notices and `start` call it
    // too; it does nothing while that application is already the one resolved for.
    void followFrontmostApplication();
    EffectiveInputResolution updateActiveApplication(
        std::optional<std::string> bundleID, std::optional<std::string> appName);
    // May wait for an update in progress: not for the tap thread.
    EffectiveInputResolution currentResolution() const;
    // Hands the macro to playback; reports "Macro: <name> (<source>)" when it was accepted.
    bool playMacro(const InputMacro& macro, std::string_view source);

    // The global secure-input state the key HUD consults. Assign before `start()`; without one,
    // secure input is never reported.
    void setSecureInputState(const SecureInputState& state);

    // Guided DPI measurement and the diagnostics session. Each reports a calibration snapshot.
    void startDPICalibration(double targetCm);
    std::optional<std::int64_t> stopDPICalibration();
    void resetCalibrationSession();
    PointerCalibrationSnapshot currentCalibrationSnapshot() const;
    // Polling rates, bounce counts, the last button and the calibration session back to zero;
    // reports a telemetry snapshot, then a calibration snapshot.
    void resetDiagnostics();

    // The first enabled macro of the settings with this identity.
    static const InputMacro* findEnabledMacro(const std::optional<Uuid>& id, const InputSettings& settings);

private:
    // The threads that read the published snapshot, one slot each.
    enum SnapshotReader : std::size_t { kTapThreadReader, kTimerReader, kSnapshotReaders };

    TapVerdict handleTapEvent(TapEvent& event) override;
    TapVerdict dispatch(TapEvent& event, const EngineSnapshot& snapshot);

    // Left and right buttons: window drag, double-click guard, counting, ripples.
    TapVerdict handleClickDown(const TapEvent& event, const InputSettings& settings);
    TapVerdict countClick(const TapEvent& event, const InputSettings& settings);
    // The ledger keeps the press's verdict for its release.
    void recordClickPress(std::int64_t button, TapVerdict verdict);
    TapVerdict handleClickUp(const TapEvent& event, const InputSettings& settings);
    TapVerdict handleClickDragged(const TapEvent& event, const InputSettings& settings);
    // Control+Option presses that found no window while their button is still down reach
    // applications as ordinary presses, ahead of the event in hand.
    void giveBackDragPresses(const InputSettings& settings);
    // On the executor: looks up the window of each waiting press, gives back the clicks that found
    // none, then applies the newest pointer position to the window being dragged.
    void runWindowDrag();
    // With the lock held: presses without a window whose button is up already, as whole clicks.
    void giveBackDragClicksLocked();

    // Middle and side buttons: gestures, macros, action shortcuts.
    TapVerdict handleOtherMouseDown(const TapEvent& event, const EngineSnapshot& snapshot);
    TapVerdict handleOtherMouseUp(const TapEvent& event, const EngineSnapshot& snapshot);
    TapVerdict handleOtherMouseDragged(const TapEvent& event, const InputSettings& settings);
    // `pressVerdict`: what the ledger holds for the releasing button's press.
    void finishGesture(const TapEvent& event, const EngineSnapshot& snapshot, std::optional<GestureDirection> direction,
        std::optional<TapVerdict> pressVerdict);
    // Plays the bound macro or dispatches the action of button n, as a press does. False when the
    // button has neither (it keeps its own behaviour).
    bool actOnButton(std::int64_t buttonNumber, const EngineSnapshot& snapshot);
    void dispatchAction(MouseButtonAction action);
    void postButtonClick(const TapEvent& release);

    // Scrolling, key HUD and motion telemetry (each in its own source file).
    TapVerdict handleScrollWheel(TapEvent& event, const EngineSnapshot& snapshot);
    void emitSmoothScrollTick();
    void handleKeyHUD(const TapEvent& event, const InputSettings& settings);
    void recordPointerMotion(const TapEvent& event);

    // Writers of the snapshot hold m_publishMutex, never taken on the tap thread. Reports the
    // new resolution.
    void publish(std::unique_ptr<const EngineSnapshot> next);
    // Resolves for the application unless it is the one resolved for already.
    void switchTo(const FrontmostApplication& frontmost);
    // After another application's resolution was published: smoothing that no longer applies stops,
    // and a change of application or profile is logged.
    void settleSwitch(const EffectiveInputResolution& resolution, bool changed);
    // Both take the lock themselves; call them without it. Tap thread only.
    void emitTelemetry();
    void emitCalibration();
    // Tap thread only: joins the parts in a reused buffer, and only when someone listens. Plain
    // joining keeps this path small: it runs rarely, so it runs from cold caches.
    void reportFromTap(std::initializer_list<std::string_view> parts);

    EnginePorts m_ports;
    EngineCallbacks m_callbacks;
    const SecureInputState* m_secureInput;
    // Has its own lock; its steps touch only the poster and the log, never the state below.
    MacroPlaybackService m_macroPlayback;

    mutable std::mutex m_publishMutex;
    SnapshotPublisher<EngineSnapshot, kSnapshotReaders> m_snapshots;

    mutable std::mutex m_mutex;
    SmoothScrollPhysics m_physics;
    MouseGestureRecognizer m_gestureRecognizer;
    PollingRateCalculator m_pollingCalculator;
    DoubleClickDebounceGuard m_debounceGuard;
    PointerCalibrationTracker m_calibrationTracker;
    EngineTime m_lastTelemetryEmitTime {};
    EngineTime m_lastCalibrationEmitTime {};
    std::string m_lastButtonLabel;
    WindowDragQueue m_windowDrags;
    PressReleaseLedger m_pressLedger;
    bool m_tapExists = false;
    // Both dormant while nothing is to be done: an idle engine costs no wake-ups.
    std::optional<EngineExecutor::TaskId> m_smoothTimer;
    bool m_smoothTimerArmed = false;
    std::optional<EngineExecutor::TaskId> m_windowDragTask;

    // The executor's own view of the drag being carried out (executor only).
    std::uint64_t m_draggedGeneration = 0;
    std::optional<WindowDragSession> m_draggedWindow;

    // Reused on the tap thread so that reporting allocates nothing.
    std::string m_tapLine;
    PointerTelemetrySnapshot m_tapTelemetry;
    KeyHUDToken m_tapToken;
    UuidSequence m_tokenIds;
    std::string m_tapLogLine;

    // Last: activation notices stop before anything they touch goes away.
    Subscription m_activation;
};

} // namespace tarn::input
