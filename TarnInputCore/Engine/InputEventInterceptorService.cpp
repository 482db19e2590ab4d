#include "TarnInputCore/Engine/InputEventInterceptorService.h"

#include <utility>

#include <fmt/format.h>

#include "TarnInputCore/Model/AppInputProfileEngine.h"

namespace tarn::input {

namespace {

constexpr std::string_view kNoButtonLabel = "—";

std::string_view displayOrNone(const std::optional<std::string>& text, std::string_view fallback)
{
    return text ? std::string_view(*text) : fallback;
}

} // namespace

InputEventInterceptorService::InputEventInterceptorService(const InputSettings& settings, EnginePorts ports)
    : m_ports(ports)
    , m_secureInput(&SecureInputState::unknown())
    , m_macroPlayback(kSyntheticMagicTag, ports.log, ports.poster, ports.executor)
    , m_settings(std::make_shared<const InputSettings>(settings))
    , m_activeResolution(std::make_shared<const EffectiveInputResolution>(
          AppInputProfileEngine::resolve(std::nullopt, std::nullopt, settings)))
    , m_calibrationTracker(settings.nominalPointerDPI)
    , m_lastButtonLabel(kNoButtonLabel)
{
}

InputEventInterceptorService::~InputEventInterceptorService()
{
    stop();
}

void InputEventInterceptorService::setCallbacks(EngineCallbacks callbacks)
{
    m_callbacks = std::move(callbacks);
}

// MARK: Lifecycle

bool InputEventInterceptorService::start()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_tapExists) {
            return true;
        }
    }
    if (!m_ports.tap.create(kTappedEventMask, *this)) {
        m_ports.log.log(TarnLogLevel::error, "tap", "Failed to create CGEventTap (Accessibility permission required)");
        return false;
    }
    m_ports.tap.enable();
    {
        std::lock_guard lock(m_mutex);
        m_tapExists = true;
    }
    const auto timer = m_ports.executor.scheduleRepeating(
        std::chrono::milliseconds(8), std::chrono::milliseconds(8), [this] { emitSmoothScrollTick(); });
    {
        std::lock_guard lock(m_mutex);
        m_smoothTimer = timer;
    }
    m_ports.log.log(TarnLogLevel::info, "tap", "CGEventTap started and listening on main run loop");
    return true;
}

void InputEventInterceptorService::stop()
{
    bool tapExisted = false;
    std::optional<EngineExecutor::TaskId> timer;
    {
        std::lock_guard lock(m_mutex);
        tapExisted = m_tapExists;
        timer = std::exchange(m_smoothTimer, std::nullopt);
    }
    if (timer) {
        m_ports.executor.cancel(*timer);
    }
    m_macroPlayback.cancel();
    {
        std::lock_guard lock(m_mutex);
        m_tapExists = false;
        m_physics.reset();
        m_gestureRecognizer.cancel();
        m_windowDrag.reset();
        // Releases after the tap is gone reach applications directly; none must inherit a verdict.
        m_pressLedger.clear();
    }
    if (tapExisted) {
        // Waits for an event in progress, so nothing reaches this service afterwards.
        m_ports.tap.destroy();
        m_ports.log.log(TarnLogLevel::info, "tap", "CGEventTap stopped");
    }
}

bool InputEventInterceptorService::isRunning() const
{
    std::lock_guard lock(m_mutex);
    return m_tapExists;
}

// MARK: Settings and the frontmost application

void InputEventInterceptorService::updateSettings(const InputSettings& settings)
{
    auto copy = std::make_shared<const InputSettings>(settings);
    PointerCalibrationSnapshot snapshot;
    {
        std::lock_guard lock(m_mutex);
        m_settings = copy;
        m_calibrationTracker.setNominalDPI(settings.nominalPointerDPI);
        m_activeResolution = std::make_shared<const EffectiveInputResolution>(
            AppInputProfileEngine::resolve(m_activeFrontmostBundleID, m_activeFrontmostAppName, settings));
        if (!m_activeResolution->smoothScrollEnabled || !settings.engineEnabled) {
            m_physics.reset();
        }
        if (!settings.gestureChordsEnabled) {
            m_gestureRecognizer.cancel();
        }
        snapshot = m_calibrationTracker.snapshot();
    }
    if (m_callbacks.onCalibrationSnapshot) {
        m_callbacks.onCalibrationSnapshot(snapshot);
    }
}

EffectiveInputResolution InputEventInterceptorService::updateActiveApplication(
    std::optional<std::string> bundleID, std::optional<std::string> appName)
{
    ResolutionPtr resolution;
    bool changed = false;
    {
        std::lock_guard lock(m_mutex);
        const auto previousBundleID = m_activeFrontmostBundleID;
        const auto previousProfileID = m_activeResolution->matchedProfileID;
        m_activeFrontmostBundleID = std::move(bundleID);
        m_activeFrontmostAppName = std::move(appName);
        resolution = std::make_shared<const EffectiveInputResolution>(
            AppInputProfileEngine::resolve(m_activeFrontmostBundleID, m_activeFrontmostAppName, *m_settings));
        m_activeResolution = resolution;
        if (!resolution->smoothScrollEnabled) {
            m_physics.reset();
        }
        changed = previousBundleID != m_activeFrontmostBundleID || previousProfileID != resolution->matchedProfileID;
    }
    if (changed) {
        const auto& r = *resolution;
        const std::string_view appLabel = r.frontmostAppName ? std::string_view(*r.frontmostAppName)
            : r.frontmostBundleID                            ? std::string_view(*r.frontmostBundleID)
                                                             : std::string_view("Desktop");
        m_ports.log.log(TarnLogLevel::info, "profile",
            fmt::format("Profile resolved for {} ({}) -> {} [reverse={}, smooth={}, speed={:.2f}x]", appLabel,
                displayOrNone(r.frontmostBundleID, "none"), displayOrNone(r.matchedProfileName, "Global Default"),
                r.reverseMouseWheel, r.smoothScrollEnabled, r.scrollSpeedMultiplier));
    }
    return *resolution;
}

EffectiveInputResolution InputEventInterceptorService::currentResolution() const
{
    std::lock_guard lock(m_mutex);
    return *m_activeResolution;
}

bool InputEventInterceptorService::playMacro(const InputMacro& macro, std::string_view source)
{
    const bool accepted = m_macroPlayback.play(macro, source);
    if (accepted) {
        reportTelemetryEvent(fmt::format("Macro: {} ({})", macro.name, source));
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

InputEventInterceptorService::SettingsPtr InputEventInterceptorService::settingsSnapshot() const
{
    std::lock_guard lock(m_mutex);
    return m_settings;
}

InputEventInterceptorService::ResolutionPtr InputEventInterceptorService::resolveLiveResolution(
    const SettingsPtr& settings)
{
    // Asked outside the lock: the workspace answers from its own cache.
    auto frontmost = m_ports.workspace.frontmostApplication();
    std::lock_guard lock(m_mutex);
    if (frontmost.bundleID == m_activeFrontmostBundleID) {
        return m_activeResolution;
    }
    m_activeFrontmostBundleID = std::move(frontmost.bundleID);
    m_activeFrontmostAppName = std::move(frontmost.name);
    m_activeResolution = std::make_shared<const EffectiveInputResolution>(
        AppInputProfileEngine::resolve(m_activeFrontmostBundleID, m_activeFrontmostAppName, *settings));
    if (!m_activeResolution->smoothScrollEnabled) {
        m_physics.reset();
    }
    return m_activeResolution;
}

// MARK: Dispatch

TapVerdict InputEventInterceptorService::handleTapEvent(TapEvent& event)
{
    using enum TapEventType;

    // 1. The system switched the tap off: switch it straight back on.
    if (event.type == tapDisabledByTimeout || event.type == tapDisabledByUserInput) {
        bool tapExists = false;
        {
            std::lock_guard lock(m_mutex);
            tapExists = m_tapExists;
        }
        if (tapExists) {
            m_ports.tap.enable();
            m_ports.log.log(TarnLogLevel::warn, "tap",
                event.type == tapDisabledByTimeout ? "CGEventTap re-enabled after timeout"
                                                   : "CGEventTap re-enabled after userInput");
        }
        return TapVerdict::pass;
    }

    // 2. Our own events (shortcuts, clicks, scroll steps, macros) pass untouched.
    if (event.isSynthetic()) {
        return TapVerdict::pass;
    }

    // 3. Every decision for this event uses one settings value, even if it is replaced meanwhile.
    const SettingsPtr settings = settingsSnapshot();

    // 4. By type.
    switch (event.type) {
    case leftMouseDown:
    case rightMouseDown:
        return handleClickDown(event, *settings);
    case leftMouseUp:
    case rightMouseUp:
        return handleClickUp(event);
    case mouseMoved:
        recordPointerMotion(event);
        return TapVerdict::pass;
    case leftMouseDragged:
    case rightMouseDragged:
        recordPointerMotion(event);
        return updateEasyWindowDrag(event.location) ? TapVerdict::swallow : TapVerdict::pass;
    case keyDown:
        // Key events are observed for the HUD, never changed or swallowed.
        if (settings->keyHUDEnabled) {
            handleKeyHUD(event, *settings);
        }
        return TapVerdict::pass;
    case scrollWheel:
        return handleScrollWheel(event, settings);
    case otherMouseDown: {
        {
            std::lock_guard lock(m_mutex);
            m_lastButtonLabel = fmt::format("Mouse Button {}", event.buttonNumber + 1);
            m_calibrationTracker.recordClick(false);
        }
        emitTelemetry();
        emitCalibration();
        const auto verdict = handleOtherMouseDown(event, settings);
        std::lock_guard lock(m_mutex);
        m_pressLedger.recordPress(event.buttonNumber, verdict);
        return verdict;
    }
    case otherMouseUp:
        return handleOtherMouseUp(event, settings);
    case otherMouseDragged:
        recordPointerMotion(event);
        return handleOtherMouseDragged(event, *settings);
    default:
        return TapVerdict::pass;
    }
}

// MARK: Reporting

void InputEventInterceptorService::emitTelemetry()
{
    PointerTelemetrySnapshot snapshot;
    {
        std::lock_guard lock(m_mutex);
        m_lastTelemetryEmitTime = m_ports.clock.now();
        if (!m_callbacks.onPointerTelemetry) {
            return;
        }
        snapshot.currentHz = m_pollingCalculator.currentHz();
        snapshot.peakHz = m_pollingCalculator.peakHz();
        snapshot.averageHz = m_pollingCalculator.averageHz();
        snapshot.blockedDoubleClicks = m_debounceGuard.blockedCount();
        snapshot.lastButtonLabel = m_lastButtonLabel;
        snapshot.lastClickIntervalMs = m_debounceGuard.lastIntervalMs();
    }
    m_callbacks.onPointerTelemetry(snapshot);
}

void InputEventInterceptorService::emitCalibration()
{
    PointerCalibrationSnapshot snapshot;
    {
        std::lock_guard lock(m_mutex);
        m_lastCalibrationEmitTime = m_ports.clock.now();
        snapshot = m_calibrationTracker.snapshot();
    }
    if (m_callbacks.onCalibrationSnapshot) {
        m_callbacks.onCalibrationSnapshot(snapshot);
    }
}

void InputEventInterceptorService::reportTelemetryEvent(const std::string& line) const
{
    if (m_callbacks.onTelemetryEvent) {
        m_callbacks.onTelemetryEvent(line);
    }
}

} // namespace tarn::input
