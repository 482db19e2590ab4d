#pragma once

// Writes the launch line to the application's log, brings the studio window forward shortly after
// launch, and answers a reopen (a second launch of the program, a click on its tray icon): with a
// window visible it fronts the studio, otherwise it posts the reopen notice exactly once, so the
// application opens the studio again. A panel is never the window brought forward. Runs on the
// interface thread.

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "TarnKit/Foundation/Basics/NotificationCenter.h"
#include "TarnKit/Foundation/Identity/BuildInfo.h"
#include "TarnKit/Foundation/Identity/OperatingSystemInfo.h"
#include "TarnKit/Foundation/Identity/TarnAppVersion.h"
#include "TarnKit/Foundation/Logging/LogSink.h"
#include "TarnKit/UI/Chrome/ApplicationWindows.h"

namespace tarn {

class TarnAppActivationDelegate {
public:
    // Runs a task on the interface thread after a delay.
    using Scheduler = std::function<void(std::chrono::milliseconds delay, std::function<void()> task)>;

    static constexpr std::chrono::milliseconds kLaunchActivationDelay {100};

    // What the launch line is made of.
    struct LaunchFacts {
        BuildInfo info;
        std::optional<std::string> processName;
        OperatingSystemInfo system;
        // Null: the shared logger of the application's name.
        LogSink* log = nullptr;
    };

    TarnAppActivationDelegate(ApplicationWindows& windows, NotificationCenter& notifications, Scheduler scheduler);

    // Logs "<name> v<version> (<build>) launched (<system>)" at info in "lifecycle", then fronts
    // the studio after kLaunchActivationDelay.
    void applicationDidFinishLaunching(const LaunchFacts& facts);
    // Always true.
    bool applicationShouldHandleReopen(bool hasVisibleWindows);
    // The first window that can be the main one and is not a panel, restored when minimised.
    void bringStudioWindowToFront();

    // "Linux 6.1.0, Debian GNU/Linux 12", or without the distribution when os-release is silent.
    static std::string systemDescription(const OperatingSystemInfo& system);
    static std::string launchMessage(
        const std::string& appName, const TarnAppVersion& version, const OperatingSystemInfo& system);
    // The display name, else the process name, else "TarnInput".
    static std::string applicationName(const BuildInfo& info, const std::optional<std::string>& processName);

private:
    ApplicationWindows& m_windows;
    NotificationCenter& m_notifications;
    Scheduler m_scheduler;
};

} // namespace tarn
