#pragma once

// What the adapters of the Wayland desktops share once they have the desktop's list of windows:
// the application in front (the focused window's), kept in the frontmost cache, and the running
// applications, one entry per application. Ids and names are resolved as for X11 windows, through
// the desktop entries and the alias table.
//
// The program's own windows are never the application in front: while one of them is focused,
// the answer stays the application that was in front before it. They are known by the program's
// process id where the desktop gives one, else by the program's desktop-file id.
//
// Desktops clear the focus for a moment while it moves from one window to another, or when the
// focused window closes; "nothing in front" only counts once it has lasted kNothingInFrontDelay.
// The adapter's thread waits for that deadline (a timeout, not a polling timer) and then calls
// settle().

#include <chrono>
#include <mutex>
#include <optional>
#include <vector>

#include "Platform/Linux/Desktop/DesktopEntryIndex.h"
#include "Platform/Linux/Desktop/FrontmostApplicationCache.h"
#include "Platform/Linux/Wayland/DesktopWindow.h"
#include "TarnKit/Foundation/Identity/Environment.h"

namespace tarn::input {

class WindowListTracker {
public:
    // The program's desktop-file id, which the compositor reports as its windows' app id.
    static constexpr const char* kOwnAppID = "tarninput";
    static constexpr std::chrono::milliseconds kNothingInFrontDelay {150};

    using Deadline = std::chrono::steady_clock::time_point;

    // The XDG data folders and the locale come from `environment`.
    explicit WindowListTracker(const EnvironmentLookup& environment);

    // The whole list as the desktop shows it now; called by one thread at a time. Tells the
    // activation handlers when the application in front changed. Returns when settle() is due,
    // while a list with nothing focused waits to count.
    std::optional<Deadline> update(const std::vector<DesktopWindow>& windows);
    // Makes "nothing in front" count once its deadline has passed; on the thread of update().
    void settle();

    FrontmostApplication frontmost() const;
    std::vector<RunningApplication> running() const;
    Subscription subscribeActivation(Workspace::ActivationHandler handler);

private:
    static bool isOwn(const DesktopWindow& window);

    // Only the thread of update() uses these two.
    DesktopEntryIndex m_entries;
    std::optional<Deadline> m_nothingInFrontAt;
    FrontmostApplicationCache m_frontmost;
    mutable std::mutex m_runningMutex;
    std::vector<RunningApplication> m_running;
};

} // namespace tarn::input
