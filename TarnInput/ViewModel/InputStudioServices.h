#pragma once

// Everything InputStudioViewModel is built from. The owner keeps every object here alive for as
// long as the view model exists. StudioStartUp fills it in from the adapters main.cpp builds.

#include <filesystem>

#include "TarnInput/ViewModel/Mailbox/MainThreadWakeup.h"
#include "TarnInput/ViewModel/Ports/DeviceChangeNotices.h"
#include "TarnInput/ViewModel/Ports/MainThreadTimers.h"
#include "TarnInput/ViewModel/Ports/OverlayController.h"
#include "TarnInput/ViewModel/Ports/Pasteboard.h"
#include "TarnInput/ViewModel/Ports/Screens.h"
#include "TarnInput/ViewModel/Ports/TimeFormatter.h"
#include "TarnInputCore/Devices/PointerDeviceSource.h"
#include "TarnInputCore/Engine/Ports/EnginePorts.h"
#include "TarnInputCore/PointerPreferences/PointerPreferences.h"
#include "TarnKit/Foundation/Desktop/TarnPermissionCenter.h"
#include "TarnKit/Foundation/Logging/LogSink.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Foundation/Ports/HotkeyBackend.h"
#include "TarnKit/Foundation/Ports/LoginItemBackend.h"
#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"

namespace tarn::input {

struct InputStudioServices {
    // The application's logger. The engine's ports carry a queue in front of it instead (a
    // QueuedLogSink), so that the input thread never writes the log file itself.
    LogSink& logger;
    std::filesystem::path settingsFile;
    // Stamps of the event list and of a settings file set aside, and the interval between the
    // settings file's writes.
    const Clock& clock;
    // The engine's ports. The engine alone follows the frontmost application.
    EnginePorts engine;
    PointerPreferences& pointerPreferences;
    PointerDeviceSource& deviceSource;
    const TarnPermissionCenter& permissions;
    LoginItemBackend& loginItem;
    HotkeyBackend& hotkeys;
    MainThreadExecutor& mainThread;
    // Wakes the main thread for the engine's mailbox; the input thread calls it.
    MainThreadWakeup& engineWakeup;
    // The watcher, the toast, and the end of a settings write's wait for its interval.
    MainThreadTimers& timers;
    // When the devices or the permission to use them may have changed: the watcher looks then.
    DeviceChangeNotices& deviceChanges;
    const TimeFormatter& timeFormatter;
    Pasteboard& pasteboard;
    const Screens& screens;
    OverlayController& overlays;
    TarnLanguageSettings& languageSettings;
};

} // namespace tarn::input
