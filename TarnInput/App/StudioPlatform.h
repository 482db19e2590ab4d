#pragma once

// What the desktop gives the program: the adapters main.cpp builds over Linux (tests: fakes).
// The start-up builds every service of the program from these, once. Each object outlives the
// start-up object.

#include <filesystem>
#include <memory>

#include "TarnInput/ViewModel/Mailbox/MainThreadWakeup.h"
#include "TarnInput/ViewModel/Ports/DeviceChangeNotices.h"
#include "TarnInput/ViewModel/Ports/MainThreadTimers.h"
#include "TarnInputCore/Devices/PointerDeviceSource.h"
#include "TarnInputCore/Engine/Ports/EnginePorts.h"
#include "TarnInputCore/PointerPreferences/PointerPreferences.h"
#include "TarnKit/Foundation/Logging/TarnAppLogger.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Foundation/Ports/DefaultsStore.h"
#include "TarnKit/Foundation/Ports/HotkeyBackend.h"
#include "TarnKit/Foundation/Ports/LoginItemBackend.h"
#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"
#include "TarnKit/Foundation/Ports/PermissionBackend.h"
#include "TarnKit/Foundation/Ports/UrlOpener.h"
#include "TarnKit/Localization/SystemLanguagePreferences.h"
#include "TarnKit/Localization/TarnLocalizationStore.h"
#include "TarnKit/UI/Chrome/TitlebarDoubleClickPreference.h"

namespace tarn::input {

class OverlayWindowManager;

struct StudioPlatform {
    // The program's log; the engine's ports carry a queue in front of it.
    TarnAppLogger& logger;
    std::filesystem::path settingsFile;
    const Clock& clock;
    EnginePorts engine;
    PointerPreferences& pointerPreferences;
    PointerDeviceSource& deviceSource;
    PermissionBackend& permissionBackend;
    // The desktop's browser: the permission help page and the feedback page.
    std::shared_ptr<UrlOpener> urlOpener;
    LoginItemBackend& loginItem;
    HotkeyBackend& hotkeys;
    MainThreadExecutor& mainThread;
    // Wakes the main thread for the engine's mailbox; the input thread calls it.
    MainThreadWakeup& engineWakeup;
    MainThreadTimers& timers;
    DeviceChangeNotices& deviceChanges;
    OverlayWindowManager& overlayWindows;
    // The program's defaults: the interface language and the feedback address's override.
    std::shared_ptr<DefaultsStore> defaults;
    std::shared_ptr<const SystemLanguagePreferences> systemLanguages;
    // The process-wide text store that every tarnText call reads (main passes it in): the
    // interface language loads its pack into it.
    TarnLocalizationStore& textStore;
    // May be null: a double click on the studio's header then zooms.
    const TitlebarDoubleClickPreference* doubleClickPreference = nullptr;
};

} // namespace tarn::input
