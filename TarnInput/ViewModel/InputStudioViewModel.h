#pragma once

// The studio's state: it owns the settings session, the input engine, the hotkey, the watcher and
// the toast for the life of the program; its constructor loads the settings and starts the
// engine. The studio window reads its published fields (Qt properties, each with a change signal
// emitted on every write) and calls its operations; every screen, the tray and the command menu
// go through a small view model of their own (KeyHUDViewModel, ScrollViewModel, HardwareViewModel,
// ButtonsViewModel, ProfilesViewModel, SettingsViewModel, TrayViewModel). The studio serves them
// through narrow ports (ScreenModelContext: settings, change path, language and toast;
// RunningAppsSource; KeyHUDFeed; SettingsOperations; TrayOperations; HardwareOperations;
// DeviceList; FrontmostApp; MacroTrial), and a view model given only
// those never sees the rest. Editing the lists inside the settings (scroll exclusions, button rules, profiles, macros)
// is theirs: they change the settings through applySettingsChange and report with showToast.
//
// Threads: everything here runs on the Qt main thread. The engine and the hotkey backend report on
// their own threads. The engine writes into the mailbox, which wakes the main thread at most once
// per drain (an eventfd: no allocation, no lock on the input thread); the engine alone follows the
// frontmost application and its resolutions arrive through the mailbox too. Other reports post a
// task to the main thread, and a task that runs after the view model is gone does nothing.
//
// Settings: nothing writes `settings` except applySettingsChange, which hands the value to the
// engine, queues the file's write (SettingsSession: off this thread, coalesced), resolves the
// profile for the frontmost application again and starts or stops the tap, every time, even for
// an unchanged value. It goes by the permission the watcher last saw and does not look at the
// devices again. Only a change of `reverseTrackpad` also turns the desktop's touchpad scrolling
// direction over.
//
// StudioStartUp builds it from the services it builds once over the desktop's adapters (see
// main.cpp); each object must outlive the view model.
// Construct it on the main thread once a QCoreApplication exists and keep it until just before
// the application object goes: its destructor stops the engine (any macro, the grab, the virtual
// devices), the timers, the hotkey and the activation notices before anything is destroyed.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QObject>

#include "TarnInput/ViewModel/InputStudioServices.h"
#include "TarnInput/ViewModel/InputStudioTab.h"
#include "TarnInput/ViewModel/Mailbox/EngineMailbox.h"
#include "TarnInput/ViewModel/Ports/DeviceList.h"
#include "TarnInput/ViewModel/Ports/FrontmostApp.h"
#include "TarnInput/ViewModel/Ports/HardwareOperations.h"
#include "TarnInput/ViewModel/Ports/KeyHUDFeed.h"
#include "TarnInput/ViewModel/Ports/MacroTrial.h"
#include "TarnInput/ViewModel/Ports/RunningAppsSource.h"
#include "TarnInput/ViewModel/Ports/ScreenModelContext.h"
#include "TarnInput/ViewModel/Ports/SettingsOperations.h"
#include "TarnInput/ViewModel/Ports/TrayOperations.h"
#include "TarnInput/ViewModel/SettingsSession.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Engine/Ports/Workspace.h"
#include "TarnInputCore/Model/Pointer/ConnectedPointerDevice.h"
#include "TarnInputCore/Model/Pointer/PointerCalibrationSnapshot.h"
#include "TarnInputCore/Model/Pointer/PointerTelemetrySnapshot.h"
#include "TarnInputCore/Model/Profiles/EffectiveInputResolution.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"
#include "TarnInputCore/PointerPreferences/PointerAccelerationBridge.h"
#include "TarnKit/Foundation/Basics/Subscription.h"
#include "TarnKit/Foundation/Desktop/TarnGlobalHotkeyManager.h"
#include "TarnKit/Foundation/Desktop/TarnLaunchAtLogin.h"
#include "TarnKit/Localization/TarnLanguage.h"

namespace tarn::input {

namespace testing {
class StudioHarness;
}

class InputStudioViewModel final : public QObject,
                                   public ScreenModelContext,
                                   public RunningAppsSource,
                                   public KeyHUDFeed,
                                   public SettingsOperations,
                                   public TrayOperations,
                                   public HardwareOperations,
                                   public DeviceList,
                                   public FrontmostApp,
                                   public MacroTrial,
                                   private EngineMailboxReceiver {
    Q_OBJECT
    Q_PROPERTY(tarn::input::InputSettings settings READ settings NOTIFY settingsChanged)
    Q_PROPERTY(tarn::input::InputStudioTab selectedTab READ selectedTab WRITE setSelectedTab NOTIFY selectedTabChanged)
    Q_PROPERTY(bool isAccessibilityGranted READ isAccessibilityGranted NOTIFY isAccessibilityGrantedChanged)
    Q_PROPERTY(bool isTapActive READ isTapActive NOTIFY isTapActiveChanged)
    Q_PROPERTY(std::vector<tarn::input::ConnectedPointerDevice> connectedDevices READ connectedDevices NOTIFY
            connectedDevicesChanged)
    Q_PROPERTY(tarn::input::PointerTelemetrySnapshot telemetry READ telemetry NOTIFY telemetryChanged)
    Q_PROPERTY(tarn::input::PointerCalibrationSnapshot calibration READ calibration NOTIFY calibrationChanged)
    Q_PROPERTY(std::vector<std::int64_t> hzHistory READ hzHistory NOTIFY hzHistoryChanged)
    Q_PROPERTY(std::vector<std::string> recentEvents READ recentEvents NOTIFY recentEventsChanged)
    Q_PROPERTY(std::optional<std::string> activeFrontmostBundleID READ activeFrontmostBundleID NOTIFY
            activeFrontmostBundleIDChanged)
    Q_PROPERTY(std::string activeFrontmostAppName READ activeFrontmostAppName NOTIFY activeFrontmostAppNameChanged)
    Q_PROPERTY(std::optional<std::string> activeProfileName READ activeProfileName NOTIFY activeProfileNameChanged)
    Q_PROPERTY(
        tarn::input::EffectiveInputResolution activeResolution READ activeResolution NOTIFY activeResolutionChanged)
    Q_PROPERTY(tarn::TarnLanguage language READ language WRITE setLanguage NOTIFY languageChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(std::optional<std::string> toastMessage READ toastMessage NOTIFY toastMessageChanged)
    Q_PROPERTY(bool toastIsError READ toastIsError NOTIFY toastIsErrorChanged)

public:
    static constexpr std::chrono::milliseconds kToastDuration {2600};
    static constexpr std::size_t kHzHistoryLength = 36;
    static constexpr std::size_t kRecentEventsLength = 24;

    // The start-up: loads the settings, creates the engine, lists the devices, starts the tap when
    // it is needed and allowed, registers the global hotkey and starts the watcher.
    explicit InputStudioViewModel(const InputStudioServices& services, QObject* parent = nullptr);
    ~InputStudioViewModel() override;
    InputStudioViewModel(const InputStudioViewModel&) = delete;
    InputStudioViewModel& operator=(const InputStudioViewModel&) = delete;

    // Published fields.
    const InputSettings& settings() const override { return m_settings; }
    InputStudioTab selectedTab() const { return m_selectedTab; }
    void setSelectedTab(InputStudioTab tab);
    bool isAccessibilityGranted() const override { return m_isAccessibilityGranted; }
    bool isTapActive() const override { return m_isTapActive; }
    const std::vector<ConnectedPointerDevice>& connectedDevices() const override { return m_connectedDevices; }
    const PointerTelemetrySnapshot& telemetry() const override { return m_telemetry; }
    const PointerCalibrationSnapshot& calibration() const override { return m_calibration; }
    // The newest positive polling rates, oldest first.
    const std::vector<std::int64_t>& hzHistory() const override { return m_hzHistory; }
    // "[<time>] <what the engine did>", newest first.
    const std::vector<std::string>& recentEvents() const override { return m_recentEvents; }
    const std::optional<std::string>& activeFrontmostBundleID() const override { return m_activeFrontmostBundleID; }
    const std::string& activeFrontmostAppName() const override { return m_activeFrontmostAppName; }
    const std::optional<std::string>& activeProfileName() const override { return m_activeProfileName; }
    const EffectiveInputResolution& activeResolution() const override { return m_activeResolution; }
    TarnLanguage language() const override { return m_language; }
    // Publishes the language the picker chose; the picker itself stores the choice.
    void setLanguage(TarnLanguage language) override;
    bool launchAtLogin() const override { return m_launchAtLogin; }
    const std::optional<std::string>& toastMessage() const { return m_toastMessage; }
    bool toastIsError() const { return m_toastIsError; }

    // The one way to change the settings: `edit` changes the value, then it is handed to the
    // engine, its save queued, published, the profile is resolved again and the tap started or
    // stopped.
    void applySettingsChange(const std::function<void(InputSettings&)>& edit) override;
    // Writes the settings waiting to be saved and returns once they are on disk. The program's
    // end does it by itself.
    void flushSettings() { m_session.flush(); }

    // Reads the input permission again and starts the tap when a feature needs it and it is
    // allowed; otherwise stops it. `prompt` is for callers written for systems that ask.
    Q_INVOKABLE void refreshPermissionAndTap(bool prompt = false);
    // The user asked for the permission: checks again, and logs when it is still missing (the
    // caller then shows how to grant it). True when it is there.
    bool requestInputPermission();
    // Lists the devices again; with feedback it always logs and toasts.
    Q_INVOKABLE void refreshDevices(bool showFeedback) override;
    // Shows `message` at once, replacing any toast on show, and clears it 2.6 s later.
    void showToast(const std::string& message, bool isError) override;

    // Named operations. Those that change settings run applySettingsChange; most end with a toast.
    Q_INVOKABLE void toggleEngine() override;
    // Also the action of the global hotkey (Alt+Super+H on Linux).
    Q_INVOKABLE void toggleKeyHUD() override;
    Q_INVOKABLE void resetToDefaults() override;
    Q_INVOKABLE void toggleLaunchAtLogin(bool enabled) override;
    Q_INVOKABLE void copyHardwareReport() override;
    Q_INVOKABLE void resetDiagnostics() override;
    // Not finite → 1600, otherwise held within 100…32000.
    Q_INVOKABLE void setNominalDPI(double dpi) override;
    // Starts or stops the guided measurement, by the last published calibration state.
    Q_INVOKABLE void toggleDPICalibration() override;
    Q_INVOKABLE void applyMeasuredDPI() override;
    // Sets the lab's travelled distance and click counters back to zero.
    Q_INVOKABLE void resetCalibrationLab() override;
    Q_INVOKABLE void setDisableMouseAcceleration(bool disabled) override;
    // Shows a sample key token and a ripple at the pointer, whatever the settings.
    Q_INVOKABLE void previewKeyHUD() override;
    // The first device that is not built in; else the first device; absent when none is listed.
    std::optional<ConnectedPointerDevice> primaryExternalMouse() const override;
    // Running applications with an id and a name, sorted by name in the interface language
    // without regard to case; equal names keep the desktop's order.
    std::vector<RunningApplication> runningDesktopApps() const override;
    // Why per-application profiles cannot follow the application in front, when they cannot.
    std::optional<WorkspaceLimitation> workspaceLimitation() const override
    {
        return m_services.engine.workspace.limitation();
    }

    // Plays the macro once without saving anything.
    void testMacro(InputMacro macro) override;

    // Cancels a playing macro, releases the grab and every synthetic key or button: the quit
    // sequence runs it before anything else goes.
    void stopEngine();
    Subscription observeSettings(std::function<void()> observer) override;
    Subscription observeLanguage(std::function<void()> observer) override;
    Subscription observeRecentEvents(std::function<void()> observer) override;
    Subscription observeAccessibilityGranted(std::function<void()> observer) override;
    Subscription observeLaunchAtLogin(std::function<void()> observer) override;
    Subscription observeTapActive(std::function<void()> observer) override;
    Subscription observeConnectedDevices(std::function<void()> observer) override;
    Subscription observeActiveFrontmostAppName(std::function<void()> observer) override;
    Subscription observeActiveProfileName(std::function<void()> observer) override;
    Subscription observeTelemetry(std::function<void()> observer) override;
    Subscription observeActiveFrontmostBundleID(std::function<void()> observer) override;
    Subscription observeActiveResolution(std::function<void()> observer) override;
    Subscription observeHzHistory(std::function<void()> observer) override;
    Subscription observeCalibration(std::function<void()> observer) override;

    // Where the interface language is stored, for the language picker.
    TarnLanguageSettings& languageSettings() const override { return m_services.languageSettings; }

signals:
    void settingsChanged();
    void selectedTabChanged();
    void isAccessibilityGrantedChanged();
    void isTapActiveChanged();
    void connectedDevicesChanged();
    void telemetryChanged();
    void calibrationChanged();
    void hzHistoryChanged();
    void recentEventsChanged();
    void activeFrontmostBundleIDChanged();
    void activeFrontmostAppNameChanged();
    void activeProfileNameChanged();
    void activeResolutionChanged();
    void languageChanged();
    void launchAtLoginChanged();
    void toastMessageChanged();
    void toastIsErrorChanged();

private:
    // The harness compares the engine's own state with what the view model publishes.
    friend class testing::StudioHarness;

    // Runs `observer` after each emission of `signal` until the subscription ends.
    Subscription observe(void (InputStudioViewModel::*signal)(), std::function<void()> observer);
    // Work handed to another object: runs only while this view model exists.
    std::function<void()> whileAlive(std::function<void()> work) const;

    // Turns the desktop's touchpad scrolling direction over; a warning when that is not possible.
    void flipTouchpadScrollDirection();
    void registerHotkeys();
    void startWatcher();
    void watcherTick();
    void wireInterceptorCallbacks();
    void receiveActiveResolution(const EffectiveInputResolution& resolution) override;
    void receiveKeystrokeToken(const KeyHUDToken& token) override;
    void receiveClickRipple(const ClickRippleEvent& event) override;
    void receiveCalibration(const PointerCalibrationSnapshot& snapshot) override;
    void receivePointerTelemetry(const PointerTelemetrySnapshot& snapshot) override;
    void appendTelemetry(const std::string& text) override;
    void logHIDSnapshot(const std::vector<ConnectedPointerDevice>& devices, const std::string& trigger);
    void publishDevices(std::vector<ConnectedPointerDevice> devices);
    void publishTapActive(bool active);
    // Starts the tap when a feature needs it and the permission last seen allows it; otherwise
    // stops it. Reads nothing from the system.
    void matchTapToSettings();
    // One line when the permission is first found missing, and at every change after.
    void logPermissionChange(bool wasChecked);
    std::vector<ConnectedPointerDevice> discoverDevices() const;
    // The English or Turkish text in the current language.
    std::string text(std::string_view en, std::string_view tr) const;

    const InputStudioServices m_services;

    // Published fields (the settings are the session's, below).
    InputStudioTab m_selectedTab = InputStudioTab::hardware;
    bool m_isAccessibilityGranted = false;
    bool m_permissionChecked = false;
    bool m_isTapActive = false;
    std::vector<ConnectedPointerDevice> m_connectedDevices;
    PointerTelemetrySnapshot m_telemetry;
    PointerCalibrationSnapshot m_calibration;
    std::vector<std::int64_t> m_hzHistory;
    std::vector<std::string> m_recentEvents;
    std::optional<std::string> m_activeFrontmostBundleID;
    std::string m_activeFrontmostAppName;
    std::optional<std::string> m_activeProfileName;
    EffectiveInputResolution m_activeResolution;
    TarnLanguage m_language;
    bool m_launchAtLogin = false;
    std::optional<std::string> m_toastMessage;
    bool m_toastIsError = false;

    TarnLaunchAtLogin m_launchAtLoginService;
    PointerAccelerationBridge m_accelerationBridge;
    // Work handed out holds this weakly; the destructor drops it before anything else.
    std::shared_ptr<const bool> m_lifetime = std::make_shared<const bool>(true);
    // Owns the settings between the screens and the disk; the published `settings` is its value.
    SettingsSession m_session;
    const InputSettings& m_settings = m_session.settings();
    TarnGlobalHotkeyManager m_hotkeyManager;
    // Outlives the engine, whose callbacks write into it until it stops.
    EngineMailbox m_mailbox;
    // Created at start-up once the settings are known; stopped first in the destructor.
    std::unique_ptr<InputEventInterceptorService> m_interceptor;
    // Each wake-up of the main thread drains the mailbox.
    Subscription m_mailboxWakeups;
    // The watcher: it looks at the permission and the devices whenever they may have changed.
    Subscription m_deviceChanges;
    Subscription m_toastTimer;
};

} // namespace tarn::input
