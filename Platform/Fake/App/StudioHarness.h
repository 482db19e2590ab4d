#pragma once

// The view model over fakes of every port, all journalling into one call journal and sharing one
// virtual clock. `advance` moves the clock (firing the engine's and the view model's timers in
// time order) and then runs the main-thread tasks that were posted. The settings file is written
// by a thread of its own; the harness waits for each change's write, so that a change is one save
// and the file holds it as soon as the change returns, as if the disk were instant.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "Platform/Fake/App/CallJournal.h"
#include "Platform/Fake/App/FakeDeviceChangeNotices.h"
#include "Platform/Fake/App/FakeMainThreadTimers.h"
#include "Platform/Fake/App/FakeMainThreadWakeup.h"
#include "Platform/Fake/App/FakeOverlayController.h"
#include "Platform/Fake/App/FakePasteboard.h"
#include "Platform/Fake/App/FakeScreens.h"
#include "Platform/Fake/App/FakeTimeFormatter.h"
#include "Platform/Fake/App/JournalingEventTap.h"
#include "Platform/Fake/App/JournalingHotkeyBackend.h"
#include "Platform/Fake/App/JournalingLogSink.h"
#include "Platform/Fake/App/JournalingLoginItemBackend.h"
#include "Platform/Fake/App/JournalingPermissionBackend.h"
#include "Platform/Fake/App/JournalingPointerDeviceSource.h"
#include "Platform/Fake/App/JournalingPointerPreferences.h"
#include "Platform/Fake/App/JournalingWorkspace.h"
#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "Platform/Fake/Core/FakePointerDeviceSource.h"
#include "Platform/Fake/Core/FakePointerPreferences.h"
#include "Platform/Fake/Foundation/FakeDefaultsStore.h"
#include "Platform/Fake/Foundation/FakeHotkeyBackend.h"
#include "Platform/Fake/Foundation/FakeLoginItemBackend.h"
#include "Platform/Fake/Foundation/FakePermissionBackend.h"
#include "Platform/Fake/Foundation/FakeSystemLanguagePreferences.h"
#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"
#include "Platform/Fake/Foundation/RecordingUrlOpener.h"
#include "TarnInput/ViewModel/InputStudioViewModel.h"
#include "TarnKit/Foundation/Basics/NotificationCenter.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"

namespace tarn::input::testing {

class StudioHarness {
public:
    StudioHarness();
    ~StudioHarness();

    // Builds the view model (the program's start-up). Permission is granted unless a test said otherwise.
    InputStudioViewModel& start();
    InputStudioViewModel& vm() { return *m_viewModel; }
    // The running view model's engine, to compare its own state with what the view model publishes.
    InputEventInterceptorService& interceptor() { return *m_viewModel->m_interceptor; }
    // Destroys the view model, as the program does at quit.
    void quit() { m_viewModel.reset(); }

    void advance(std::chrono::nanoseconds step);
    // Runs the main-thread tasks posted so far.
    std::size_t runMainThread() { return mainThread.runPending(); }
    // The devices or their permission may have changed (as udev or inotify would tell): the
    // watcher looks, then the posted tasks run.
    void noticeDeviceChange()
    {
        deviceChanges.notify();
        mainThread.runPending();
    }

    std::filesystem::path settingsFile() const { return m_folder / "TarnInput" / "input-settings.json"; }
    bool settingsFileExists() const { return std::filesystem::exists(settingsFile()); }
    nlohmann::json settingsFileJson() const;
    // The settings file decoded; the defaults when there is none.
    InputSettings storedSettings() const;
    std::string settingsFileText() const;
    void writeSettingsFile(const InputSettings& settings) const;

    // A USB mouse (or a built-in touchpad) the device source reports from now on.
    void addDevice(const std::string& product, std::int64_t vendorID, bool builtIn = false);

    // Moves the pointer by `dx` pixels in `steps` reports 10 ms apart, then runs the posted tasks.
    void slidePointer(double dx, int steps);

    // Lines the view model and the engine logged, as "<category> <message>".
    std::vector<std::string> logLines() const;

    // The addresses the view model's permission center opened.
    const std::vector<std::string>& openedAddresses() const { return m_opener.opened(); }
    // Where the permission center looks for its help page; absent until a test writes it.
    std::filesystem::path permissionHelpPage() const { return m_folder / "permission-help.html"; }
    // Call before start(): the view model then uses `backend` (a real one, say) for launch at login.
    void useLoginItem(LoginItemBackend& backend) { m_loginItemOverride = &backend; }
    // Call before start(): the view model then asks `backend` (a real one, say) for the input
    // permission instead of `permission`; the journal still records each check.
    void usePermission(const PermissionBackend& backend) { m_permissionOverride = &backend; }
    // Set before start() to leave the writes to the settings session's own pace (benchmarks).
    bool waitForEachSave = true;

    CallJournal journal;
    FakeEnginePorts engine;
    FakePointerPreferences preferences;
    FakePointerDeviceSource devices;
    FakePermissionBackend permission;
    FakeLoginItemBackend loginItem;
    FakeHotkeyBackend hotkeys;
    ManualMainThreadExecutor mainThread;
    // The mailbox's wake-ups post its drain to the main thread.
    FakeMainThreadWakeup engineWakeup {mainThread};
    FakeDeviceChangeNotices deviceChanges {journal};
    FakeTimeFormatter timeFormatter;
    FakeScreens screens;
    FakePasteboard pasteboard {journal};
    FakeOverlayController overlays {journal};
    // Where the interface language is stored, and the desktop's preferred languages (none: English).
    std::shared_ptr<FakeDefaultsStore> languageDefaults = std::make_shared<FakeDefaultsStore>();
    std::shared_ptr<FakeSystemLanguagePreferences> systemLanguages = std::make_shared<FakeSystemLanguagePreferences>();

private:
    InputStudioServices services();

    std::filesystem::path m_folder;
    JournalingEventTap m_tap {engine.tap, journal};
    JournalingWorkspace m_workspace {engine.workspace, journal};
    JournalingLogSink m_log {engine.log, journal};
    JournalingPointerPreferences m_preferences {preferences, journal};
    JournalingPointerDeviceSource m_devices {devices, journal};
    const PermissionBackend* m_permissionOverride = nullptr;
    // Made by start(), over `permission` or the backend a test chose.
    std::optional<JournalingPermissionBackend> m_permission;
    RecordingUrlOpener m_opener;
    std::optional<TarnPermissionCenter> m_permissions;
    JournalingLoginItemBackend m_loginItem {loginItem, journal};
    LoginItemBackend* m_loginItemOverride = nullptr;
    JournalingHotkeyBackend m_hotkeys {hotkeys, journal};
    FakeMainThreadTimers m_timers {engine.executor, journal};
    NotificationCenter m_notifications;
    TarnLanguageSettings m_languageSettings {languageDefaults, systemLanguages, m_notifications};
    std::unique_ptr<InputStudioViewModel> m_viewModel;
};

} // namespace tarn::input::testing
