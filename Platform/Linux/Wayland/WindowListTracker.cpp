#include "Platform/Linux/Wayland/WindowListTracker.h"

#include <algorithm>
#include <utility>

#include "Platform/Linux/Desktop/WindowApplicationIdentity.h"

#include <unistd.h>

namespace tarn::input {

WindowListTracker::WindowListTracker(const EnvironmentLookup& environment)
    : m_entries(DesktopEntryIndex::fromEnvironment(environment))
{
}

bool WindowListTracker::isOwn(const DesktopWindow& window)
{
    if (window.pid > 0) {
        return window.pid == ::getpid();
    }
    auto id = std::string_view(window.appID);
    constexpr std::string_view suffix = ".desktop";
    if (id.ends_with(suffix)) {
        id.remove_suffix(suffix.size());
    }
    return id == kOwnAppID;
}

std::optional<WindowListTracker::Deadline> WindowListTracker::update(const std::vector<DesktopWindow>& windows)
{
    std::vector<RunningApplication> running;
    for (const auto& window : windows) {
        WindowApplicationIdentity::listOnce(
            running, WindowApplicationIdentity::resolveAppID(window.appID, window.title, m_entries));
    }
    {
        std::lock_guard lock(m_runningMutex);
        m_running = std::move(running);
    }

    const auto focused
        = std::find_if(windows.begin(), windows.end(), [](const DesktopWindow& window) { return window.focused; });
    if (focused != windows.end()) {
        m_nothingInFrontAt.reset();
        if (!isOwn(*focused)) {
            m_frontmost.publish(WindowApplicationIdentity::resolveAppID(focused->appID, focused->title, m_entries));
        }
    } else if (!m_nothingInFrontAt && m_frontmost.current() != FrontmostApplication {}) {
        m_nothingInFrontAt = std::chrono::steady_clock::now() + kNothingInFrontDelay;
    }
    return m_nothingInFrontAt;
}

void WindowListTracker::settle()
{
    if (m_nothingInFrontAt && std::chrono::steady_clock::now() >= *m_nothingInFrontAt) {
        m_nothingInFrontAt.reset();
        m_frontmost.publish({});
    }
}

FrontmostApplication WindowListTracker::frontmost() const
{
    return m_frontmost.current();
}

std::vector<RunningApplication> WindowListTracker::running() const
{
    std::lock_guard lock(m_runningMutex);
    return m_running;
}

Subscription WindowListTracker::subscribeActivation(Workspace::ActivationHandler handler)
{
    return m_frontmost.subscribe(std::move(handler));
}

} // namespace tarn::input
