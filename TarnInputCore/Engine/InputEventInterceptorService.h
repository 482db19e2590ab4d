#pragma once

// The engine: it owns the session event tap, runs every per-event rule in one fixed order, posts
// the program's own (marked) events and reports through callbacks. Each rule is a small object
// that owns its state (press ledger, bounce guard, gesture, polling rate, calibration, key HUD
// tokens); the service keeps the ports, the snapshot and the dispatch.
//
// Threads: events arrive on the tap thread, and the tap thread alone touches rule state. Other
// threads never lock it: what they change goes out as a request (`EngineRequest`) through a
// lock-free ring that the tap thread empties before each event and on a wake-up of the tap, or
// that the owner empties itself while no tap runs. What an event reads (the settings and the
// resolution for the frontmost application) is one immutable snapshot, published by the thread
// that learns of a change, which also reports the new resolution; the calibration state goes the
// other way, published by the tap thread for the owner to read. The smooth-scroll travel is the
// frame tick's, fed wheel steps through a ring (`SmoothScroller`); window drags and bound macros
// go to the executor through lock-free rings too, and the tap thread gives back a drag's clicks
// itself. No lock of the engine's is taken on an event's way: arming an executor task takes only
// the executor's wake mutex, and only to wake a sleeping worker, which holds it just to read one
// flag. Given a poster of its own (`EnginePorts::executorPoster`), the executor never holds the
// lock of the poster the tap thread posts through. The tap thread allocates nothing for any event.
// Lifetime: the tap refers to the service without owning it, so the destructor stops the tap and
// waits for any event in progress before the service goes away.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "TarnInputCore/Engine/EngineSnapshot.h"
#include "TarnInputCore/Engine/KeyHUDTokenizer.h"
#include "TarnInputCore/Engine/Macros/MacroPlaybackService.h"
#include "TarnInputCore/Engine/Pointer/PointerCalibrationTracker.h"
#include "TarnInputCore/Engine/Pointer/PollingRateCalculator.h"
#include "TarnInputCore/Engine/Pointer/SmoothScroller.h"
#include "TarnInputCore/Engine/Ports/EngineCallbacks.h"
#include "TarnInputCore/Engine/Ports/EnginePorts.h"
#include "TarnInputCore/Engine/Requests/BoundedRequestQueue.h"
#include "TarnInputCore/Engine/Requests/EngineRequest.h"
#include "TarnInputCore/Engine/Requests/LatestValue.h"
#include "TarnInputCore/Engine/Rules/DoubleClickDebounceGuard.h"
#include "TarnInputCore/Engine/Rules/MouseGestureRecognizer.h"
#include "TarnInputCore/Engine/Rules/PressReleaseLedger.h"
#include "TarnInputCore/Engine/Rules/WindowDragQueue.h"
#include "TarnInputCore/Engine/Rules/WindowDragSession.h"
#include "TarnInputCore/Engine/SnapshotPublisher.h"
#include "TarnInputCore/Engine/TapEvent.h"
#include "TarnInputCore/Model/Macros/InputMacro.h"
#include "TarnInputCore/Model/Profiles/EffectiveInputResolution.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnKit/Foundation/Basics/Subscription.h"

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

    // The public operations belong to the owner's thread. The calibration and diagnostics ones,
    // and the rules' part of `updateSettings`, are requests: carried out before the tap's next
    // event (at once while no tap runs), they report from the tap thread then.

    // Each resolves on the caller's thread and publishes a new snapshot for the tap thread.
    // `updateSettings` also asks the rules to follow (nominal DPI, gestures switched off) and
    // reports a calibration snapshot once they have.
    void updateSettings(const InputSettings& settings);
    // The same without a copy: the value is shared with whoever else holds it, unchanged.
    void updateSettings(std::shared_ptr<const InputSettings> settings);
    // For the application the workspace has in front now; no older answer is left published
    // after a newer one, whichever threads call it. The activation notices and `start` call it
    // too; it does nothing while that application is already the one resolved for.
    void followFrontmostApplication();
    EffectiveInputResolution updateActiveApplication(FrontmostApplication application);
    // May wait for an update in progress: not for the tap thread.
    EffectiveInputResolution currentResolution() const;
    // Hands the macro to playback; reports "Macro: <name> (<source>)" when it was accepted.
    bool playMacro(const InputMacro& macro, std::string_view source);

    // The global secure-input state the key HUD consults. Assign before `start()`; without one,
    // secure input is never reported.
    void setSecureInputState(const SecureInputState& state);

    // Guided DPI measurement and the diagnostics session. Each reports a calibration snapshot.
    void startDPICalibration(double targetCm);
    // The measurement, from the travel the tap thread last published (it publishes every move of
    // a calibration run); the run ends with the same figure.
    std::optional<std::int64_t> stopDPICalibration();
    void resetCalibrationSession();
    // As the tap thread last published it. Owner's thread only.
    PointerCalibrationSnapshot currentCalibrationSnapshot() const;
    // Polling rates, bounce counts, the last button and the calibration session back to zero;
    // reports a telemetry snapshot, then a calibration snapshot.
    void resetDiagnostics();

    // The first enabled macro of the settings with this identity.
    static const InputMacro* findEnabledMacro(const std::optional<Uuid>& id, const InputSettings& settings);

private:
    // The threads that read the published snapshot, one slot each.
    enum SnapshotReader : std::size_t { kTapThreadReader, kTimerReader, kSnapshotReaders };

    // Requests waiting in the ring at once: more wait for the tap thread to catch up, and a full
    // ring (a tap thread stuck for that long) drops the request with a log line.
    static constexpr std::size_t kRequestCapacity = 64;

    // Owner's thread: queues the request and wakes the tap, or carries it out when no tap runs.
    void request(const EngineRequest& request);
    // The tap thread, or the owner while no tap runs.
    void carryOutRequests();
    void carryOut(const EngineRequest& request);

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
    // The executor's answers: a press that found no window after its button went up is given
    // back whole, and a drag that found its window gets the pointer positions taken meanwhile.
    void takeDragAnswers();
    // Presses without a window whose button is up already, as whole clicks.
    void giveBackDragClicks();
    // Hands the drag's newest pointer position, when it moved, to the executor.
    void sendDragMove();
    // On the executor: looks up the window of each press sent, answers the tap thread, then applies
    // the newest pointer position to the window being dragged.
    void runWindowDrag();

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
    void sleepSmoothScrollTick();
    void handleKeyHUD(const TapEvent& event, const InputSettings& settings);
    void recordPointerMotion(const TapEvent& event);

    // Writers of the snapshot hold m_publishMutex, never taken on the tap thread. Reports the
    // new resolution.
    void publish(std::unique_ptr<const EngineSnapshot> next);
    // Resolves for the application unless it is the one resolved for already.
    void switchTo(const FrontmostApplication& frontmost);
    // After a change of application or profile was published. Smoothing that no longer applies
    // needs nothing: the tick reads the snapshot.
    void logResolution(const EffectiveInputResolution& resolution);
    // The tap thread, or the owner while no tap runs. The calibration snapshot is also published
    // for `currentCalibrationSnapshot`. Inside a handler call the figures are gathered and sent
    // once the wake-up's frames are out (`sendWaitingReports`), so a click never waits for them.
    void emitTelemetry();
    void emitCalibration();
    void sendTelemetry();
    void sendCalibration();
    // Calls the callback, when set, and notes the report. A plain call: wrapping each callback in
    // another would add a heap block and a jump to every report, each a cache miss on a cold path.
    template <typename Callback, typename Value> void report(const Callback& callback, const Value& value)
    {
        if (callback) {
            callback(value);
            noteReport();
        }
    }
    // After every report: tells the owner of the callbacks at once, or, on the tap thread inside a
    // handler call, once that wake-up's frames are out (`sendWaitingReports`).
    void noteReport();
    void sendWaitingReports();
    // Tap thread only: joins the parts in a reused buffer, and only when someone listens. Plain
    // joining keeps this path small: it runs rarely, so it runs from cold caches.
    void reportFromTap(std::initializer_list<std::string_view> parts);

    EnginePorts m_ports;
    // The poster of the executor's tasks: the smoothing tick and macro playback.
    EventPoster& m_executorPoster;
    EngineCallbacks m_callbacks;
    // Tap thread only: what this wake-up of the tap thread has to report once its frames are out.
    bool m_telemetryWaiting = false;
    bool m_calibrationWaiting = false;
    bool m_reportsWaiting = false;
    // Has its own lock; its steps touch only the poster and the log, never the state below.
    MacroPlaybackService m_macroPlayback;

    mutable std::mutex m_publishMutex;
    SnapshotPublisher<EngineSnapshot, kSnapshotReaders> m_snapshots;

    // Set by the owner around the tap's life; read by the tap thread for its own notices.
    std::atomic<bool> m_running {false};
    BoundedRequestQueue<EngineRequest, kRequestCapacity> m_requests;

    // The rules' state: the tap thread's alone (the owner's while no tap runs).
    MouseGestureRecognizer m_gestureRecognizer;
    PollingRateCalculator m_pollingCalculator;
    DoubleClickDebounceGuard m_debounceGuard;
    PointerCalibrationTracker m_calibrationTracker;
    EngineTime m_lastTelemetryEmitTime {};
    EngineTime m_lastCalibrationEmitTime {};
    std::string m_lastButtonLabel;
    PressReleaseLedger m_pressLedger;
    KeyHUDTokenizer m_keyHUD;
    // Written by the tap thread (the owner while no tap runs), read by the owner.
    LatestValue<PointerCalibrationSnapshot> m_publishedCalibration;

    // The tick's travel, fed by the tap thread.
    SmoothScroller m_scroller;

    // The tap thread's alone. The executor is sent what to look up and where the drag is, and sends
    // back whether a window was found, all through lock-free hand-overs.
    struct DragAnswer {
        std::uint64_t generation = 0;
        bool windowFound = false;
    };
    struct DragMove {
        std::uint64_t number = 0;
        WindowDragQueue::DragStep step;
    };
    static constexpr std::size_t kDragHandOverCapacity = 8;
    static_assert(kDragHandOverCapacity >= WindowDragQueue::kCapacity, "one cell for every waiting press");
    WindowDragQueue m_windowDrags;
    BoundedRequestQueue<WindowDragQueue::Lookup, kDragHandOverCapacity> m_dragLookups;
    BoundedRequestQueue<DragAnswer, kDragHandOverCapacity> m_dragAnswers;
    LatestValue<DragMove> m_dragMoves {DragMove {}};
    std::uint64_t m_dragMoveCount = 0;
    // The executor's own view of the drag being carried out (executor only).
    std::uint64_t m_appliedDragMove = 0;
    std::uint64_t m_draggedGeneration = 0;
    std::optional<WindowDragSession> m_draggedWindow;

    // Made by `start()` before the tap is enabled, forgotten by `stop()` once it is gone. Both
    // dormant while nothing is to be done: an idle engine costs no wake-ups.
    std::optional<EngineExecutor::TaskId> m_smoothTimer;
    std::optional<EngineExecutor::TaskId> m_windowDragTask;

    // Reused on the tap thread so that reporting allocates nothing.
    std::string m_tapLine;
    PointerTelemetrySnapshot m_tapTelemetry;
    std::string m_tapLogLine;

    // Last: activation notices stop before anything they touch goes away.
    Subscription m_activation;
};

} // namespace tarn::input
