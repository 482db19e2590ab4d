#pragma once

// The engine's one stateful object: it owns the session event tap, keeps its own copy of the
// settings and of the resolution for the frontmost application, runs every per-event rule in one
// fixed order, posts the program's own (marked) events and reports through callbacks.
//
// Threads and locking: events arrive on the tap thread, timers on the executor, the public
// operations on the owner's thread. One mutex guards all engine state; it is held only to read or
// update that state, never while posting, logging, touching a window or calling back.
// Lifetime: the tap refers to the service without owning it, so the destructor stops the tap and
// waits for any event in progress before the service goes away.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "TarnInputCore/Engine/EngineCallbacks.h"
#include "TarnInputCore/Engine/EnginePorts.h"
#include "TarnInputCore/Engine/MacroPlaybackService.h"
#include "TarnInputCore/Engine/PointerCalibrationTracker.h"
#include "TarnInputCore/Engine/PollingRateCalculator.h"
#include "TarnInputCore/Engine/Rules/DoubleClickDebounceGuard.h"
#include "TarnInputCore/Engine/Rules/MouseGestureRecognizer.h"
#include "TarnInputCore/Engine/Rules/PressReleaseLedger.h"
#include "TarnInputCore/Engine/Rules/WindowDragSession.h"
#include "TarnInputCore/Engine/SecureInputState.h"
#include "TarnInputCore/Engine/SmoothScrollPhysics.h"
#include "TarnInputCore/Engine/TapEvent.h"
#include "TarnInputCore/Model/EffectiveInputResolution.h"
#include "TarnInputCore/Model/InputMacro.h"
#include "TarnInputCore/Model/InputSettings.h"

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

    void updateSettings(const InputSettings& settings);
    EffectiveInputResolution updateActiveApplication(
        std::optional<std::string> bundleID, std::optional<std::string> appName);
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
    using SettingsPtr = std::shared_ptr<const InputSettings>;
    using ResolutionPtr = std::shared_ptr<const EffectiveInputResolution>;

    TapVerdict handleTapEvent(TapEvent& event) override;

    // Left and right buttons: window drag, double-click guard, counting, ripples.
    TapVerdict handleClickDown(const TapEvent& event, const InputSettings& settings);
    TapVerdict handleClickUp(const TapEvent& event);
    bool beginEasyWindowDrag(EventPoint point, bool resize);
    bool updateEasyWindowDrag(EventPoint point);

    // Middle and side buttons: gestures, macros, action shortcuts.
    TapVerdict handleOtherMouseDown(const TapEvent& event, const SettingsPtr& settings);
    TapVerdict handleOtherMouseUp(const TapEvent& event, const SettingsPtr& settings);
    TapVerdict handleOtherMouseDragged(const TapEvent& event, const InputSettings& settings);
    void finishGesture(const TapEvent& event, const SettingsPtr& settings, std::optional<GestureDirection> direction);
    // Plays the bound macro or dispatches the action of button n, as a press does. False when the
    // button has neither (it keeps its own behaviour).
    bool actOnButton(
        std::int64_t buttonNumber, const SettingsPtr& settings, const EffectiveInputResolution& resolution);
    void dispatchAction(MouseButtonAction action);
    void postButtonClick(const TapEvent& release);

    // Scrolling, key HUD and motion telemetry (each in its own source file).
    TapVerdict handleScrollWheel(TapEvent& event, const SettingsPtr& settings);
    void emitSmoothScrollTick();
    void handleKeyHUD(const TapEvent& event, const InputSettings& settings);
    void recordPointerMotion(const TapEvent& event);

    SettingsPtr settingsSnapshot() const;
    ResolutionPtr resolveLiveResolution(const SettingsPtr& settings);
    // Both take the lock themselves; call them without it.
    void emitTelemetry();
    void emitCalibration();
    void reportTelemetryEvent(const std::string& line) const;

    EnginePorts m_ports;
    EngineCallbacks m_callbacks;
    const SecureInputState* m_secureInput;
    // Has its own lock; its steps touch only the poster and the log, never the state below.
    MacroPlaybackService m_macroPlayback;

    mutable std::mutex m_mutex;
    SettingsPtr m_settings;
    std::optional<std::string> m_activeFrontmostBundleID;
    std::optional<std::string> m_activeFrontmostAppName;
    ResolutionPtr m_activeResolution;
    SmoothScrollPhysics m_physics;
    MouseGestureRecognizer m_gestureRecognizer;
    PollingRateCalculator m_pollingCalculator;
    DoubleClickDebounceGuard m_debounceGuard;
    PointerCalibrationTracker m_calibrationTracker;
    EngineTime m_lastTelemetryEmitTime {};
    EngineTime m_lastCalibrationEmitTime {};
    std::string m_lastButtonLabel;
    std::optional<WindowDragSession> m_windowDrag;
    PressReleaseLedger m_pressLedger;
    bool m_tapExists = false;
    std::optional<EngineExecutor::TaskId> m_smoothTimer;
};

} // namespace tarn::input
