#include "TarnKit/UI/Chrome/TarnAppActivationDelegate.h"

#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"
#include "TarnKit/Foundation/Logging/TarnAppLogger.h"

namespace tarn {

TarnAppActivationDelegate::TarnAppActivationDelegate(
    ApplicationWindows& windows, NotificationCenter& notifications, Scheduler scheduler)
    : m_windows(windows)
    , m_notifications(notifications)
    , m_scheduler(std::move(scheduler))
{
}

std::string TarnAppActivationDelegate::systemDescription(const OperatingSystemInfo& system)
{
    const std::string kernel
        = (system.kernelName.empty() ? std::string("Linux") : system.kernelName) + " " + system.kernelVersion();
    return system.distribution.empty() ? kernel : kernel + ", " + system.distribution;
}

std::string TarnAppActivationDelegate::launchMessage(
    const std::string& appName, const TarnAppVersion& version, const OperatingSystemInfo& system)
{
    return appName + " v" + version.shortVersion + " (" + version.buildNumber + ") launched ("
        + systemDescription(system) + ")";
}

std::string TarnAppActivationDelegate::applicationName(
    const BuildInfo& info, const std::optional<std::string>& processName)
{
    if (info.displayName) {
        return *info.displayName;
    }
    return processName.value_or("TarnInput");
}

void TarnAppActivationDelegate::applicationDidFinishLaunching(const LaunchFacts& facts)
{
    const std::string name = applicationName(facts.info, facts.processName);
    const TarnAppVersion version = TarnAppVersion::current(facts.info, "1.0.0", "100");
    LogSink& log = facts.log != nullptr ? *facts.log : TarnAppLogger::shared(name);
    log.log(TarnLogLevel::info, "lifecycle", launchMessage(name, version, facts.system));
    m_scheduler(kLaunchActivationDelay, [this] {
        m_windows.activateIgnoringOtherApps();
        bringStudioWindowToFront();
    });
}

bool TarnAppActivationDelegate::applicationShouldHandleReopen(bool hasVisibleWindows)
{
    m_windows.activateIgnoringOtherApps();
    if (hasVisibleWindows) {
        bringStudioWindowToFront();
    } else {
        m_notifications.post(tarnReopenStudioWindow);
    }
    return true;
}

void TarnAppActivationDelegate::bringStudioWindowToFront()
{
    const auto windows = m_windows.windows();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (!windows[i].canBecomeMain || windows[i].isPanel) {
            continue;
        }
        if (windows[i].isMinimized) {
            m_windows.restore(i);
        }
        m_windows.makeKeyAndOrderFront(i);
        return;
    }
}

} // namespace tarn
