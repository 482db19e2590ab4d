#include "TarnInput/ViewModel/InputStudioViewModel.h"

#include <utility>

#include <fmt/format.h>

#include "TarnInputCore/Devices/HIDDeviceInventoryService.h"
#include "TarnKit/Localization/TarnText.h"

namespace tarn::input {

namespace {

constexpr std::string_view kNoApplicationName = "Desktop";
constexpr TarnHotkeyDescriptor kKeyHUDHotkey {4, TarnHotkeyDescriptor::cmdOptionFlag};

// The values shown before the engine reports its first calibration snapshot.
PointerCalibrationSnapshot initialCalibration()
{
    PointerCalibrationSnapshot snapshot;
    snapshot.nominalDPI = InputSettings::kDefaultPointerDPI;
    snapshot.calibrationTargetCm = 10;
    return snapshot;
}

// The application's name, or "Desktop" when nothing is in front or it has no name.
std::string displayName(const std::optional<std::string>& name)
{
    return name && !name->empty() ? *name : std::string(kNoApplicationName);
}

bool isTapNeeded(const InputSettings& settings)
{
    return settings.engineEnabled || settings.keyHUDEnabled || settings.clickRippleEnabled;
}

} // namespace

InputStudioViewModel::InputStudioViewModel(const InputStudioServices& services, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_calibration(initialCalibration())
    , m_activeFrontmostAppName(kNoApplicationName)
    , m_language(services.languageSettings.current())
    , m_launchAtLoginService(services.loginItem)
    , m_accelerationBridge(services.pointerPreferences)
    , m_session(services.settingsFile,
          SettingsSession::Services {services.clock, services.logger, services.mainThread, services.timers},
          SettingsSession::Wiring {.applyNow
              = [this](const SettingsSession::SharedSettings& settings) { m_interceptor->updateSettings(settings); },
              .onSaveFailure =
                  [this, alive = std::weak_ptr<const bool>(m_lifetime)](const std::string& reason) {
                      if (!alive.expired()) {
                          showToast(
                              text("Settings could not be saved: " + reason, "Ayarlar kaydedilemedi: " + reason), true);
                      }
                  }})
    , m_hotkeyManager(services.hotkeys, services.mainThread)
    , m_mailbox([&wakeup = services.engineWakeup] { wakeup.wake(); })
{
    m_launchAtLogin = m_launchAtLoginService.isEnabled();

    // The system's acceleration state wins over the stored flag; the file is corrected only by
    // the next settings change, so start-up never writes.
    m_session.correctLoaded([this](InputSettings& settings) {
        settings.disableMouseAcceleration = m_accelerationBridge.isAccelerationDisabled();
    });

    m_interceptor = std::make_unique<InputEventInterceptorService>(m_settings, m_services.engine);
    m_calibration = m_interceptor->currentCalibrationSnapshot();

    // The start-up snapshot is logged before the tap starts, so the log shows what was connected
    // when the program came up even if the tap then fails.
    m_connectedDevices = discoverDevices();
    logHIDSnapshot(m_connectedDevices, "startup");

    wireInterceptorCallbacks();
    // The engine follows the frontmost application from here on and reports each resolution.
    m_interceptor->followFrontmostApplication();
    receiveActiveResolution(m_interceptor->currentResolution());
    refreshPermissionAndTap(false);
    registerHotkeys();
    startWatcher();
}

InputStudioViewModel::~InputStudioViewModel()
{
    // Whatever was already posted finds the view model gone; nothing new arrives from the timers,
    // the desktop or the hotkey once these are cancelled.
    m_lifetime.reset();
    m_deviceChanges.cancel();
    m_toastTimer.cancel();
    m_mailboxWakeups.cancel();
    m_hotkeyManager.unregisterAll();
    // Cancels a playing macro, releases the grab and the virtual devices, and waits for an event
    // in progress, so no engine callback runs past this line.
    m_interceptor->stop();
}

Subscription InputStudioViewModel::observeSettings(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::settingsChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeLanguage(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::languageChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeRecentEvents(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::recentEventsChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeAccessibilityGranted(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::isAccessibilityGrantedChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeLaunchAtLogin(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::launchAtLoginChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeTapActive(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::isTapActiveChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeConnectedDevices(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::connectedDevicesChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeActiveFrontmostAppName(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::activeFrontmostAppNameChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeActiveProfileName(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::activeProfileNameChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeTelemetry(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::telemetryChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeHzHistory(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::hzHistoryChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeCalibration(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::calibrationChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeActiveFrontmostBundleID(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::activeFrontmostBundleIDChanged, std::move(observer));
}

Subscription InputStudioViewModel::observeActiveResolution(std::function<void()> observer)
{
    return observe(&InputStudioViewModel::activeResolutionChanged, std::move(observer));
}

Subscription InputStudioViewModel::observe(void (InputStudioViewModel::*signal)(), std::function<void()> observer)
{
    auto connection = connect(this, signal, this, std::move(observer));
    return Subscription([connection] { QObject::disconnect(connection); });
}

std::function<void()> InputStudioViewModel::whileAlive(std::function<void()> work) const
{
    return [alive = std::weak_ptr<const bool>(m_lifetime), work = std::move(work)] {
        if (!alive.expired()) {
            work();
        }
    };
}

std::string InputStudioViewModel::text(std::string_view en, std::string_view tr) const
{
    return tarnText(en, tr, m_language);
}

// MARK: Published fields written from outside

void InputStudioViewModel::setSelectedTab(InputStudioTab tab)
{
    m_selectedTab = tab;
    emit selectedTabChanged();
}

void InputStudioViewModel::setLanguage(TarnLanguage language)
{
    m_language = language;
    emit languageChanged();
}

// MARK: The settings-change path

void InputStudioViewModel::applySettingsChange(const std::function<void(InputSettings&)>& edit)
{
    const bool wasReversingTrackpad = m_settings.reverseTrackpad;
    // The engine reports the resolution for the new settings through the mailbox.
    m_session.change(edit);
    emit settingsChanged();
    // The permission is the watcher's to follow (devices and their modes change only with a
    // device notice); a settings change only starts or stops the tap by what it already knows,
    // so a slider's every step never walks the device folder.
    matchTapToSettings();
    if (m_settings.reverseTrackpad != wasReversingTrackpad) {
        flipTouchpadScrollDirection();
    }
}

void InputStudioViewModel::flipTouchpadScrollDirection()
{
    // Touchpads are left to the desktop, so their scrolling never reaches the engine: the switch
    // turns the desktop's own direction over instead. Flipping, rather than writing a fixed
    // value, gives the user back their own direction when the switch goes off again.
    auto& preferences = m_services.pointerPreferences;
    const auto natural = preferences.touchpadNaturalScrolling();
    if (!natural || !preferences.setTouchpadNaturalScrolling(!*natural)) {
        m_services.logger.log(TarnLogLevel::warn, "scroll", "The touchpad scrolling direction could not be changed.");
    }
}

// MARK: Permission and tap

void InputStudioViewModel::refreshPermissionAndTap(bool prompt)
{
    const bool wasChecked = m_permissionChecked;
    const bool wasGranted = m_isAccessibilityGranted;
    m_isAccessibilityGranted = m_services.permissions.isAccessibilityGranted(prompt);
    m_permissionChecked = true;
    if (wasChecked ? wasGranted != m_isAccessibilityGranted : !m_isAccessibilityGranted) {
        logPermissionChange(wasChecked);
    }
    emit isAccessibilityGrantedChanged();
    matchTapToSettings();
}

void InputStudioViewModel::matchTapToSettings()
{
    if (isTapNeeded(m_settings) && m_isAccessibilityGranted) {
        publishTapActive(m_interceptor->start());
        return;
    }
    // Also when the permission was lost while the tap ran: on Linux the device reads then fail,
    // and a tap left installed would hold a dead grab while the interface says it is off. The
    // watcher starts it again once access is back.
    m_interceptor->stop();
    publishTapActive(false);
}

void InputStudioViewModel::logPermissionChange(bool wasChecked)
{
    if (m_isAccessibilityGranted) {
        m_services.logger.log(TarnLogLevel::info, "permission", "Input permission granted: the engine can start.");
    } else if (wasChecked) {
        m_services.logger.log(TarnLogLevel::warn, "permission", "Input permission lost: the engine stops.");
    } else {
        m_services.logger.log(TarnLogLevel::warn, "permission",
            "Input permission missing: pointing devices cannot be read and no input can be posted until you are in "
            "the input group.");
    }
}

bool InputStudioViewModel::requestInputPermission()
{
    refreshPermissionAndTap(true);
    if (!m_isAccessibilityGranted) {
        m_services.logger.log(
            TarnLogLevel::info, "permission", "Input permission still missing: showing the steps that grant it.");
    }
    return m_isAccessibilityGranted;
}

void InputStudioViewModel::publishTapActive(bool active)
{
    m_isTapActive = active;
    emit isTapActiveChanged();
}

// MARK: Hotkey and watcher

void InputStudioViewModel::registerHotkeys()
{
    // A chord another program holds is simply not available; the menu command still works.
    (void)m_hotkeyManager.registerHotkey(kKeyHUDHotkey, whileAlive([this] { toggleKeyHUD(); }));
}

void InputStudioViewModel::startWatcher()
{
    // Woken by changes of the devices and their permissions rather than every few seconds, so a
    // program at rest never wakes; a tap that failed to start is retried at the next change.
    m_deviceChanges = m_services.deviceChanges.subscribe(whileAlive([this] { watcherTick(); }));
}

void InputStudioViewModel::watcherTick()
{
    const bool granted = m_services.permissions.isAccessibilityGranted(false);
    if (granted != m_isAccessibilityGranted) {
        refreshPermissionAndTap(false);
    } else if (granted && m_settings.engineEnabled && !m_isTapActive) {
        // A tap that failed to start is retried only for the engine; one needed only by the
        // overlays waits for the next settings change.
        refreshPermissionAndTap(false);
    }

    auto devices = discoverDevices();
    if (devices != m_connectedDevices) {
        publishDevices(std::move(devices));
        logHIDSnapshot(m_connectedDevices, "change");
    }
}

// MARK: Engine callbacks

void InputStudioViewModel::wireInterceptorCallbacks()
{
    // The engine's threads only write into the mailbox; the main thread drains it once per wake-up.
    m_mailboxWakeups = m_services.engineWakeup.subscribe([this] { m_mailbox.drain(*this); });
    m_interceptor->setCallbacks(m_mailbox.callbacks());
}

void InputStudioViewModel::receiveActiveResolution(const EffectiveInputResolution& resolution)
{
    m_activeFrontmostBundleID = resolution.frontmostBundleID;
    emit activeFrontmostBundleIDChanged();
    m_activeFrontmostAppName = displayName(resolution.frontmostAppName);
    emit activeFrontmostAppNameChanged();
    m_activeResolution = resolution;
    emit activeResolutionChanged();
    m_activeProfileName = resolution.matchedProfileName;
    emit activeProfileNameChanged();
}

void InputStudioViewModel::receiveKeystrokeToken(const KeyHUDToken& token)
{
    m_services.overlays.push(token, m_settings.keyHUDPosition, m_settings.keyHUDDurationSeconds);
}

void InputStudioViewModel::receiveClickRipple(const ClickRippleEvent& event)
{
    m_services.overlays.showClickRipple(event);
}

void InputStudioViewModel::receivePointerTelemetry(const PointerTelemetrySnapshot& snapshot)
{
    m_telemetry = snapshot;
    emit telemetryChanged();
    if (snapshot.currentHz <= 0) {
        return;
    }
    m_hzHistory.push_back(snapshot.currentHz);
    if (m_hzHistory.size() > kHzHistoryLength) {
        m_hzHistory.erase(m_hzHistory.begin(), m_hzHistory.end() - kHzHistoryLength);
    }
    emit hzHistoryChanged();
}

void InputStudioViewModel::receiveCalibration(const PointerCalibrationSnapshot& snapshot)
{
    m_calibration = snapshot;
    emit calibrationChanged();
}

void InputStudioViewModel::appendTelemetry(const std::string& line)
{
    const auto time = m_services.timeFormatter.formatTime(m_services.clock.wallNow(), m_language);
    m_recentEvents.insert(m_recentEvents.begin(), "[" + time + "] " + line);
    if (m_recentEvents.size() > kRecentEventsLength) {
        m_recentEvents.resize(kRecentEventsLength);
    }
    emit recentEventsChanged();
}

// MARK: Devices

std::vector<ConnectedPointerDevice> InputStudioViewModel::discoverDevices() const
{
    return HIDDeviceInventoryService::discoverPointerDevices(m_services.deviceSource);
}

void InputStudioViewModel::publishDevices(std::vector<ConnectedPointerDevice> devices)
{
    m_connectedDevices = std::move(devices);
    emit connectedDevicesChanged();
}

void InputStudioViewModel::logHIDSnapshot(
    const std::vector<ConnectedPointerDevice>& devices, const std::string& trigger)
{
    std::string list;
    for (const auto& device : devices) {
        if (!list.empty()) {
            list += ", ";
        }
        list += device.brandName + " " + device.productName + " [" + device.vendorProductHex() + "]";
    }
    if (list.empty()) {
        list = "none";
    }
    m_services.logger.log(TarnLogLevel::info, "hid",
        fmt::format("HID hardware snapshot ({}): {} device(s) — {}", trigger, devices.size(), list));
}

void InputStudioViewModel::refreshDevices(bool showFeedback)
{
    auto devices = discoverDevices();
    const auto count = devices.size();
    if (devices == m_connectedDevices) {
        if (!showFeedback) {
            return;
        }
        logHIDSnapshot(devices, "manual-rescan");
    } else {
        publishDevices(std::move(devices));
        logHIDSnapshot(m_connectedDevices, "change");
        if (!showFeedback) {
            return;
        }
    }
    showToast(text(fmt::format("Detected {} pointing devices.", count),
                  fmt::format("{} işaretçi/fare donanımı tarandı.", count)),
        false);
}

// MARK: Toast

void InputStudioViewModel::showToast(const std::string& message, bool isError)
{
    m_toastMessage = message;
    emit toastMessageChanged();
    m_toastIsError = isError;
    emit toastIsErrorChanged();
    // Replacing the handle cancels the previous toast's timer: only the last toast clears.
    m_toastTimer = m_services.timers.scheduleOnce(kToastDuration, whileAlive([this] {
        m_toastMessage.reset();
        emit toastMessageChanged();
    }));
}

} // namespace tarn::input
