#include "Platform/Linux/X11/X11Workspace.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include <fmt/format.h>

#include "Platform/Linux/Desktop/DesktopEntryIndex.h"
#include "Platform/Linux/Desktop/DesktopSession.h"
#include "Platform/Linux/Desktop/FrontmostApplicationCache.h"
#include "Platform/Linux/Desktop/WindowApplicationIdentity.h"
#include "Platform/Linux/X11/X11Display.h"
#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tarn::input {

namespace {

using Event = CHandle<xcb_generic_event_t, std::free>;

constexpr std::size_t kMaximumClients = 1024;
constexpr std::chrono::milliseconds kNothingInFrontDelay {150};

} // namespace

struct X11Workspace::Impl {
    std::unique_ptr<X11Display> display;
    xcb_atom_t gtkApplicationID = XCB_ATOM_NONE;
    xcb_atom_t kdeDesktopFile = XCB_ATOM_NONE;
    UniqueFd wake;
    std::atomic<bool> stopping {false};

    FrontmostApplicationCache frontmost;

    // Guards the desktop entries, which the listener and runningApplications() both read.
    std::mutex identityMutex;
    std::optional<DesktopEntryIndex> entries;

    // Declared last: it reads the members above until it is joined.
    std::thread listener;

    void wakeListener() const
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wake.get(), &one, sizeof one);
    }

    WindowClassHints hintsOf(xcb_window_t window)
    {
        WindowClassHints hints;
        hints.gtkApplicationID = display->textProperty(window, gtkApplicationID);
        hints.kdeDesktopFile = display->textProperty(window, kdeDesktopFile);
        // WM_CLASS is "instance\0class\0".
        const std::string wmClass = display->textProperty(window, XCB_ATOM_WM_CLASS);
        const auto nul = wmClass.find('\0');
        hints.wmInstance = wmClass.substr(0, nul);
        hints.wmClass = nul == std::string::npos ? std::string {} : wmClass.substr(nul + 1);
        hints.title = display->textProperty(window, display->ewmh()._NET_WM_NAME);
        if (hints.title.empty()) {
            hints.title = display->textProperty(window, XCB_ATOM_WM_NAME);
        }
        return hints;
    }

    FrontmostApplication applicationOf(xcb_window_t window)
    {
        const auto hints = hintsOf(window);
        std::lock_guard lock(identityMutex);
        return WindowApplicationIdentity::resolve(hints, *entries);
    }

    bool hasWindowType(xcb_window_t window, std::initializer_list<xcb_atom_t> types)
    {
        const auto& ewmh = display->ewmh();
        const auto declared = display->cardinalListProperty(window, ewmh._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM);
        return std::any_of(declared.begin(), declared.end(),
            [&](std::uint32_t type) { return std::find(types.begin(), types.end(), type) != types.end(); });
    }

    // A window the user switches to: normal (a window without a type is normal too) and not
    // asking to be left out of task lists.
    bool isTaskWindow(xcb_window_t window)
    {
        const auto& ewmh = display->ewmh();
        const auto types = display->cardinalListProperty(window, ewmh._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM);
        if (!types.empty() && types.front() != ewmh._NET_WM_WINDOW_TYPE_NORMAL) {
            return false;
        }
        const auto states = display->cardinalListProperty(window, ewmh._NET_WM_STATE, XCB_ATOM_ATOM);
        return std::find(states.begin(), states.end(), ewmh._NET_WM_STATE_SKIP_TASKBAR) == states.end();
    }

    // The studio and its overlays are never the application in front: while one of our own
    // windows is active, the answer stays the application that was in front before it.
    bool isOwnWindow(xcb_window_t window)
    {
        const auto pid = display->cardinalListProperty(window, display->ewmh()._NET_WM_PID, XCB_ATOM_CARDINAL);
        return !pid.empty() && pid.front() == static_cast<std::uint32_t>(::getpid());
    }

    // None while one of our own windows is active.
    std::optional<FrontmostApplication> readFrontmost()
    {
        auto& ewmh = display->ewmh();
        const auto active = display->cardinalListProperty(display->root(), ewmh._NET_ACTIVE_WINDOW, XCB_ATOM_WINDOW);
        if (active.empty() || active.front() == XCB_NONE) {
            return FrontmostApplication {};
        }
        if (isOwnWindow(active.front())) {
            return std::nullopt;
        }
        // The desktop and docks stand for no application; a window that has vanished (some
        // managers leave the property pointing at it) reads as nothing.
        if (hasWindowType(active.front(), {ewmh._NET_WM_WINDOW_TYPE_DESKTOP, ewmh._NET_WM_WINDOW_TYPE_DOCK})) {
            return FrontmostApplication {};
        }
        return applicationOf(active.front());
    }

    // Whether a notice asks to read the active window again: it changed, or the client list
    // did (some managers leave the property pointing at a window that has just closed).
    bool drainEvents()
    {
        const auto& ewmh = display->ewmh();
        bool changed = false;
        while (Event event {xcb_poll_for_event(display->connection())}) {
            if ((event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY) {
                const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(*event);
                changed = changed || notify.atom == ewmh._NET_ACTIVE_WINDOW || notify.atom == ewmh._NET_CLIENT_LIST;
            }
        }
        return changed;
    }

    void run()
    {
        std::array<pollfd, 2> fds {
            {{xcb_get_file_descriptor(display->connection()), POLLIN, 0}, {wake.get(), POLLIN, 0}}};
        // While focus moves from one window to another, managers clear the active window for a
        // moment; "nothing in front" only counts once it has lasted kNothingInFrontDelay.
        constexpr auto kNotWaiting = std::chrono::steady_clock::time_point::max();
        auto nothingSince = kNotWaiting;
        while (!stopping.load()) {
            const auto now = std::chrono::steady_clock::now();
            const bool waiting = nothingSince != kNotWaiting;
            const bool changed = drainEvents();
            if (changed || (waiting && now - nothingSince >= kNothingInFrontDelay)) {
                auto read = readFrontmost();
                if (!read) {
                    nothingSince = kNotWaiting;
                    continue;
                }
                auto current = std::move(*read);
                if (current != FrontmostApplication {}) {
                    nothingSince = kNotWaiting;
                    frontmost.publish(std::move(current));
                } else if (!waiting) {
                    nothingSince = now;
                } else if (now - nothingSince >= kNothingInFrontDelay) {
                    nothingSince = kNotWaiting;
                    frontmost.publish(std::move(current));
                }
                // The replies just read may have pulled further notices into xcb's queue, which
                // poll() would not see.
                continue;
            }
            if (!display->isConnected()) {
                return; // the X server went away; the last answer stays
            }
            int timeout = -1;
            if (waiting) {
                const auto left = nothingSince + kNothingInFrontDelay - now;
                timeout = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
            }
            if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) {
                return;
            }
            if ((fds[1].revents & POLLIN) != 0) {
                std::uint64_t count = 0;
                [[maybe_unused]] const auto bytes = ::read(wake.get(), &count, sizeof count);
            }
        }
    }
};

X11Workspace::X11Workspace(LogSink& log, const EnvironmentLookup& environment)
    : m_impl(std::make_unique<Impl>())
{
    std::string whyNot;
    m_impl->display = X11Display::connect(DesktopSession::fromEnvironment(environment), whyNot);
    m_impl->wake = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!m_impl->display || !m_impl->wake) {
        m_impl->display.reset();
        log.log(TarnLogLevel::warn, "platform",
            fmt::format("Frontmost application unknown ({}): profiles follow no application", whyNot));
        return;
    }
    auto& impl = *m_impl;
    impl.entries.emplace(DesktopEntryIndex::fromEnvironment(environment));
    impl.gtkApplicationID = impl.display->atom("_GTK_APPLICATION_ID");
    impl.kdeDesktopFile = impl.display->atom("_KDE_NET_WM_DESKTOP_FILE");
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(impl.display->connection(), impl.display->root(), XCB_CW_EVENT_MASK, &mask);
    impl.frontmost.publish(impl.readFrontmost().value_or(FrontmostApplication {}));
    impl.listener = std::thread([&impl] { impl.run(); });
}

X11Workspace::~X11Workspace()
{
    if (m_impl->listener.joinable()) {
        m_impl->stopping = true;
        m_impl->wakeListener();
        m_impl->listener.join();
    }
}

bool X11Workspace::isConnected() const
{
    return m_impl->display && m_impl->display->isConnected();
}

FrontmostApplication X11Workspace::frontmostApplication() const
{
    return m_impl->frontmost.current();
}

std::vector<RunningApplication> X11Workspace::runningApplications() const
{
    if (!m_impl->display) {
        return {};
    }
    auto& impl = *m_impl;
    auto clients = impl.display->cardinalListProperty(
        impl.display->root(), impl.display->ewmh()._NET_CLIENT_LIST, XCB_ATOM_WINDOW);
    clients.resize(std::min(clients.size(), kMaximumClients));
    std::vector<RunningApplication> running;
    for (const xcb_window_t window : clients) {
        if (!impl.isTaskWindow(window)) {
            continue;
        }
        WindowApplicationIdentity::listOnce(running, impl.applicationOf(window));
    }
    impl.wakeListener();
    return running;
}

std::optional<WorkspaceLimitation> X11Workspace::limitation() const
{
    if (!m_impl->display) {
        return WorkspaceLimitation::noWindowList;
    }
    return std::nullopt;
}

Subscription X11Workspace::subscribeActivation(ActivationHandler handler)
{
    return m_impl->frontmost.subscribe(std::move(handler));
}

} // namespace tarn::input
