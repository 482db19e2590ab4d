#include "TarnInputCore/Engine/InputEventInterceptorService.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include <fmt/format.h>

#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"

namespace tarn::input {

namespace {

constexpr std::string_view kNoButtonLabel = "—";
// Longer than any button label ("Mouse Button " and 19 digits) and than most event lines.
constexpr std::size_t kLabelCapacity = 64;
constexpr std::size_t kLineCapacity = 256;
constexpr auto kSmoothFramePeriod = std::chrono::milliseconds(8);

// Whether this thread is the tap thread inside a handler call: its reports are announced once the
// frames of its wake-up are out.
thread_local bool t_inTapHandler = false;

class TapHandlerScope {
public:
    TapHandlerScope() { t_inTapHandler = true; }
    ~TapHandlerScope() { t_inTapHandler = false; }
    TapHandlerScope(const TapHandlerScope&) = delete;
    TapHandlerScope& operator=(const TapHandlerScope&) = delete;
};

std::string_view displayOrNone(const std::optional<std::string>& text, std::string_view fallback)
{
    return text ? std::string_view(*text) : fallback;
}

} // namespace

InputEventInterceptorService::InputEventInterceptorService(const InputSettings& settings, EnginePorts ports)
    : m_ports(ports)
    , m_executorPoster(ports.executorPoster != nullptr ? *ports.executorPoster : ports.poster)
    , m_macroPlayback(kSyntheticMagicTag, ports.log, m_executorPoster, ports.executor)
    , m_snapshots(EngineSnapshot::make(std::make_shared<const InputSettings>(settings), FrontmostApplication {}))
    , m_calibrationTracker(settings.nominalPointerDPI)
    , m_publishedCalibration(m_calibrationTracker.snapshot())
{
    // Room for every label and most lines, so that filling them on the tap thread never allocates.
    m_lastButtonLabel.reserve(kLabelCapacity);
    m_lastButtonLabel = kNoButtonLabel;
    m_tapTelemetry.lastButtonLabel.reserve(kLabelCapacity);
    m_tapLine.reserve(kLineCapacity);
    m_tapLogLine.reserve(kLineCapacity);
    m_activation
        = m_ports.workspace.subscribeActivation([this](const FrontmostApplication&) { followFrontmostApplication(); });
}

InputEventInterceptorService::~InputEventInterceptorService()
{
    m_activation.cancel();
    stop();
}

void InputEventInterceptorService::setCallbacks(EngineCallbacks callbacks)
{
    m_callbacks = std::move(callbacks);
}

void InputEventInterceptorService::noteReport()
{
    if (t_inTapHandler) {
        m_reportsWaiting = true;
    } else if (m_callbacks.onReportsReady) {
        m_callbacks.onReportsReady();
    }
}

void InputEventInterceptorService::sendWaitingReports()
{
    {
        const TapHandlerScope scope;
        if (std::exchange(m_telemetryWaiting, false)) {
            sendTelemetry();
        }
        if (std::exchange(m_calibrationWaiting, false)) {
            sendCalibration();
        }
    }
    if (std::exchange(m_reportsWaiting, false) && m_callbacks.onReportsReady) {
        m_callbacks.onReportsReady();
    }
}

// MARK: Lifecycle

bool InputEventInterceptorService::start()
{
    if (m_running) {
        return true;
    }
    // The last requests of a stopped engine are its own to carry out; from now on the tap thread's.
    carryOutRequests();
    if (!m_ports.tap.create(kTappedEventMask, *this)) {
        m_ports.log.log(TarnLogLevel::error, "tap",
            "Failed to open the input devices (read access to /dev/input and write access to /dev/uinput required)");
        return false;
    }
    // Catch up with an application that came to the front while no tap ran.
    followFrontmostApplication();
    // Made here, where allocating is fine; events only arm them.
    m_smoothTimer = m_ports.executor.addDormant(kSmoothFramePeriod, [this] { emitSmoothScrollTick(); });
    m_windowDragTask = m_ports.executor.addDormant(std::chrono::nanoseconds {0}, [this] { runWindowDrag(); });
    m_running = true;
    m_ports.tap.enable();
    m_ports.log.log(TarnLogLevel::info, "tap", "Listening to the input devices on the input thread");
    return true;
}

void InputEventInterceptorService::stop()
{
    const bool tapExisted = m_running;
    m_macroPlayback.cancel();
    if (tapExisted) {
        // Waits for an event in progress, so nothing reaches this service afterwards.
        m_ports.tap.destroy();
    }
    // Each waits for a run in progress.
    for (const auto& task : {m_smoothTimer, m_windowDragTask}) {
        if (task) {
            m_ports.executor.cancel(*task);
        }
    }
    m_smoothTimer.reset();
    m_windowDragTask.reset();
    // Again, for a macro that an event in progress started; a no-op otherwise.
    m_macroPlayback.cancel();
    // No tap thread and no executor task is left: the rules are this thread's now.
    m_running = false;
    m_scroller.clear();
    m_gestureRecognizer.cancel();
    m_windowDrags.clear();
    while (m_dragLookups.pop() || m_dragAnswers.pop()) { }
    m_draggedWindow.reset();
    // Releases after the tap is gone reach applications directly; none must inherit a verdict.
    m_pressLedger.clear();
    carryOutRequests();
    // What the last wake-up of the tap thread had left to report, had it not been stopped first.
    sendWaitingReports();
    if (tapExisted) {
        m_ports.log.log(TarnLogLevel::info, "tap", "Stopped listening to the input devices");
    }
}

bool InputEventInterceptorService::isRunning() const
{
    return m_running;
}

// MARK: Requests

void InputEventInterceptorService::request(const EngineRequest& request)
{
    if (!m_requests.push(request)) {
        m_ports.log.log(TarnLogLevel::warn, "tap", "Engine request dropped: the input thread is not keeping up");
    }
    if (m_running) {
        m_ports.tap.wake();
    } else {
        carryOutRequests();
    }
}

void InputEventInterceptorService::carryOutRequests()
{
    while (const auto next = m_requests.pop()) {
        carryOut(*next);
    }
}

void InputEventInterceptorService::carryOut(const EngineRequest& request)
{
    using enum EngineRequest::Kind;
    switch (request.kind) {
    case applySettings:
        m_calibrationTracker.setNominalDPI(request.amount);
        if (!request.gesturesEnabled) {
            m_gestureRecognizer.cancel();
        }
        break;
    case startCalibration:
        m_calibrationTracker.startCalibration(std::nullopt, request.amount);
        break;
    case stopCalibration:
        m_calibrationTracker.endCalibration(request.measurement);
        break;
    case resetCalibration:
        m_calibrationTracker.resetSession();
        break;
    case resetDiagnostics:
        m_pollingCalculator.reset();
        m_debounceGuard.reset();
        m_calibrationTracker.resetSession();
        m_lastButtonLabel = kNoButtonLabel;
        emitTelemetry();
        break;
    }
    emitCalibration();
}

// MARK: Settings and the frontmost application

void InputEventInterceptorService::updateSettings(const InputSettings& settings)
{
    updateSettings(std::make_shared<const InputSettings>(settings));
}

void InputEventInterceptorService::updateSettings(std::shared_ptr<const InputSettings> settings)
{
    // Read before the value is published: another writer may replace it, and free it, right after.
    // Smooth travel left over from before needs no request: the tick drops it once the snapshot
    // it reads says smoothing is off.
    const EngineRequest rulesFollow {.kind = EngineRequest::Kind::applySettings,
        .amount = settings->nominalPointerDPI,
        .gesturesEnabled = settings->gestureChordsEnabled};
    {
        // Resolved from the settings being published, under the writers' lock: a resolution built
        // from replaced settings can never be stored.
        std::lock_guard writer(m_publishMutex);
        publish(EngineSnapshot::make(std::move(settings), m_snapshots.current().frontmost));
    }
    request(rulesFollow);
}

EffectiveInputResolution InputEventInterceptorService::updateActiveApplication(FrontmostApplication application)
{
    EffectiveInputResolution resolution;
    bool changed = false;
    {
        std::lock_guard writer(m_publishMutex);
        const auto& current = m_snapshots.current();
        changed = current.frontmost.bundleID != application.bundleID;
        auto next = EngineSnapshot::make(current.settings, std::move(application));
        changed = changed || current.resolution.matchedProfileID != next->resolution.matchedProfileID;
        resolution = next->resolution;
        publish(std::move(next));
    }
    if (changed) {
        logResolution(resolution);
    }
    return resolution;
}

void InputEventInterceptorService::followFrontmostApplication()
{
    // Asked outside the writers' lock, so a notice of a newer application may be published in
    // between, by its own thread: asking again until the answer holds still leaves the newest
    // application as the last one published.
    auto frontmost = m_ports.workspace.frontmostApplication();
    for (;;) {
        switchTo(frontmost);
        auto again = m_ports.workspace.frontmostApplication();
        if (again == frontmost) {
            return;
        }
        frontmost = std::move(again);
    }
}

void InputEventInterceptorService::switchTo(const FrontmostApplication& frontmost)
{
    EffectiveInputResolution resolution;
    {
        std::lock_guard writer(m_publishMutex);
        const auto& current = m_snapshots.current();
        if (current.frontmost.bundleID == frontmost.bundleID) {
            return;
        }
        auto next = EngineSnapshot::make(current.settings, frontmost);
        resolution = next->resolution;
        publish(std::move(next));
    }
    logResolution(resolution);
}

void InputEventInterceptorService::logResolution(const EffectiveInputResolution& resolution)
{
    const auto& r = resolution;
    const std::string_view appLabel = r.frontmostAppName ? std::string_view(*r.frontmostAppName)
        : r.frontmostBundleID                            ? std::string_view(*r.frontmostBundleID)
                                                         : std::string_view("Desktop");
    m_ports.log.log(TarnLogLevel::info, "profile",
        fmt::format("Profile resolved for {} ({}) -> {} [reverse={}, smooth={}, speed={:.2f}x]", appLabel,
            displayOrNone(r.frontmostBundleID, "none"), displayOrNone(r.matchedProfileName, "Global Default"),
            r.reverseMouseWheel, r.smoothScrollEnabled, r.scrollSpeedMultiplier));
}

void InputEventInterceptorService::publish(std::unique_ptr<const EngineSnapshot> next)
{
    m_snapshots.publish(std::move(next));
    report(m_callbacks.onActiveResolution, m_snapshots.current().resolution);
}

EffectiveInputResolution InputEventInterceptorService::currentResolution() const
{
    std::lock_guard writer(m_publishMutex);
    return m_snapshots.current().resolution;
}

bool InputEventInterceptorService::playMacro(const InputMacro& macro, std::string_view source)
{
    const bool accepted = m_macroPlayback.play(macro, source);
    if (accepted && m_callbacks.onTelemetryEvent) {
        report(m_callbacks.onTelemetryEvent, fmt::format("Macro: {} ({})", macro.name, source));
    }
    return accepted;
}

const InputMacro* InputEventInterceptorService::findEnabledMacro(
    const std::optional<Uuid>& id, const InputSettings& settings)
{
    if (!id) {
        return nullptr;
    }
    for (const auto& macro : settings.macros) {
        if (macro.id == *id && macro.isEnabled) {
            return &macro;
        }
    }
    return nullptr;
}

// MARK: Dispatch

TapVerdict InputEventInterceptorService::handleTapEvent(TapEvent& event)
{
    using enum TapEventType;

    // 0. The wake-up's frames are out: now the figures are gathered and the interface is woken.
    if (event.type == tapFramesOut) {
        sendWaitingReports();
        return TapVerdict::pass;
    }

    // 1. What other threads asked for comes before this event; a wake-up is only for that. Their
    // reports go out at once: they answer the asker.
    carryOutRequests();
    takeDragAnswers();
    if (event.type == tapWoken) {
        return TapVerdict::pass;
    }

    // 2. The system switched the tap off: switch it straight back on.
    if (event.type == tapDisabledByTimeout || event.type == tapDisabledByUserInput) {
        if (m_running) {
            m_ports.tap.enable();
            m_ports.log.log(TarnLogLevel::warn, "tap",
                event.type == tapDisabledByTimeout ? "Mice grabbed again after the input thread stalled"
                                                   : "Mice grabbed again after the tap was switched off");
        }
        return TapVerdict::pass;
    }

    // 3. Our own events (shortcuts, clicks, scroll steps, macros) pass untouched.
    if (event.isSynthetic()) {
        return TapVerdict::pass;
    }

    // 4. Every decision for this event uses one snapshot, even if it is replaced meanwhile. What
    // the event has to report waits until the frames are out.
    const auto snapshot = m_snapshots.read(kTapThreadReader);
    const TapHandlerScope scope;
    return dispatch(event, *snapshot);
}

TapVerdict InputEventInterceptorService::dispatch(TapEvent& event, const EngineSnapshot& snapshot)
{
    using enum TapEventType;
    const InputSettings& settings = *snapshot.settings;

    // 5. By type.
    switch (event.type) {
    case leftMouseDown:
    case rightMouseDown:
        return handleClickDown(event, settings);
    case leftMouseUp:
    case rightMouseUp:
        return handleClickUp(event, settings);
    case mouseMoved:
        recordPointerMotion(event);
        return TapVerdict::pass;
    case leftMouseDragged:
    case rightMouseDragged:
        recordPointerMotion(event);
        return handleClickDragged(event, settings);
    case keyDown:
        // Key events are observed for the HUD, never changed or swallowed.
        if (settings.keyHUDEnabled) {
            handleKeyHUD(event, settings);
        }
        return TapVerdict::pass;
    case scrollWheel:
        return handleScrollWheel(event, snapshot);
    case otherMouseDown: {
        std::array<char, 24> digits {};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), event.buttonNumber + 1).ptr;
        m_lastButtonLabel.assign("Mouse Button ");
        m_lastButtonLabel.append(digits.data(), end);
        m_calibrationTracker.recordClick(false);
        emitTelemetry();
        emitCalibration();
        const auto verdict = handleOtherMouseDown(event, snapshot);
        m_pressLedger.recordPress(event.buttonNumber, verdict);
        return verdict;
    }
    case otherMouseUp:
        return handleOtherMouseUp(event, snapshot);
    case otherMouseDragged:
        recordPointerMotion(event);
        return handleOtherMouseDragged(event, settings);
    default:
        return TapVerdict::pass;
    }
}

// MARK: Reporting

void InputEventInterceptorService::emitTelemetry()
{
    if (t_inTapHandler) {
        m_telemetryWaiting = true;
    } else {
        sendTelemetry();
    }
}

void InputEventInterceptorService::sendTelemetry()
{
    m_lastTelemetryEmitTime = m_ports.clock.now();
    if (!m_callbacks.onPointerTelemetry) {
        return;
    }
    m_tapTelemetry.currentHz = m_pollingCalculator.currentHz();
    m_tapTelemetry.peakHz = m_pollingCalculator.peakHz();
    m_tapTelemetry.averageHz = m_pollingCalculator.averageHz();
    m_tapTelemetry.blockedDoubleClicks = m_debounceGuard.blockedCount();
    m_tapTelemetry.lastButtonLabel.assign(m_lastButtonLabel);
    m_tapTelemetry.lastClickIntervalMs = m_debounceGuard.lastIntervalMs();
    report(m_callbacks.onPointerTelemetry, m_tapTelemetry);
}

void InputEventInterceptorService::reportFromTap(std::initializer_list<std::string_view> parts)
{
    if (!m_callbacks.onTelemetryEvent) {
        return;
    }
    m_tapLine.clear();
    for (const auto part : parts) {
        m_tapLine.append(part);
    }
    report(m_callbacks.onTelemetryEvent, m_tapLine);
}

void InputEventInterceptorService::emitCalibration()
{
    if (t_inTapHandler) {
        m_calibrationWaiting = true;
    } else {
        sendCalibration();
    }
}

void InputEventInterceptorService::sendCalibration()
{
    m_lastCalibrationEmitTime = m_ports.clock.now();
    const auto snapshot = m_calibrationTracker.snapshot();
    m_publishedCalibration.publish(snapshot);
    report(m_callbacks.onCalibrationSnapshot, snapshot);
}

} // namespace tarn::input
