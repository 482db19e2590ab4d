#pragma once

// What the desktop gives the program: the adapters main.cpp builds over Linux (tests: fakes).
// The start-up builds every service of the program from these, once. Each object outlives the
// start-up object.

#include <filesystem>
#include <memory>

#include "TarnInput/ViewModel/DeviceChangeNotices.h"
#include "TarnInput/ViewModel/MainThreadTimers.h"
#include "TarnInput/ViewModel/MainThreadWakeup.h"
#include "TarnInputCore/Devices/PointerDeviceSource.h"
#include "TarnInputCore/Engine/EnginePorts.h"
#include "TarnInputCore/Engine/PointerPreferences.h"
#include "TarnKit/Foundation/Clock.h"
#include "TarnKit/Foundation/DefaultsStore.h"
#include "TarnKit/Foundation/HotkeyBackend.h"
#include "TarnKit/Foundation/LoginItemBackend.h"
#include "TarnKit/Foundation/MainThreadExecutor.h"
#include "TarnKit/Foundation/PermissionBackend.h"
#include "TarnKit/Foundation/TarnAppLogger.h"
#include "TarnKit/Foundation/UrlOpener.h"
#include "TarnKit/Localization/SystemLanguagePreferences.h"
#include "TarnKit/UI/TitlebarDoubleClickPreference.h"

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
    // May be null: a double click on the studio's header then zooms.
    const TitlebarDoubleClickPreference* doubleClickPreference = nullptr;
};

} // namespace tarn::input
