#include "Platform/Linux/Wayland/WlrootsWorkspace.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "Platform/Linux/Wayland/PollDeadline.h"
#include "Platform/Linux/Wayland/WindowListTracker.h"
#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-client.h>

namespace tarn::input {

namespace {

using Display = CHandle<wl_display, wl_display_disconnect>;

constexpr std::uint32_t kProtocolVersion = 3;
// Windows beyond this many are left out, so that a runaway client cannot grow the adapter's memory.
constexpr std::size_t kMaximumToplevels = 1024;

} // namespace

struct WlrootsWorkspace::Impl {
    struct Toplevel {
        Impl* impl;
        zwlr_foreign_toplevel_handle_v1* handle;
        // The compositor sends only what changed and ends each group with "done".
        DesktopWindow pending;
        DesktopWindow current;
        bool announced = false;
    };

    explicit Impl(const EnvironmentLookup& environment)
        : tracker(environment)
    {
    }

    Display display;
    wl_registry* registry = nullptr;
    zwlr_foreign_toplevel_manager_v1* manager = nullptr;
    std::vector<std::unique_ptr<Toplevel>> toplevels;
    bool changed = false;
    WindowListTracker tracker;
    std::optional<WindowListTracker::Deadline> settleAt;
    UniqueFd wake;
    std::atomic<bool> stopping {false};
    // Declared last: it reads the members above until it is joined.
    std::thread listener;

    static void onGlobal(
        void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version)
    {
        auto& impl = *static_cast<Impl*>(data);
        if (impl.manager == nullptr && std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0) {
            impl.manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
                registry, name, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, kProtocolVersion)));
            zwlr_foreign_toplevel_manager_v1_add_listener(impl.manager, &managerListener, &impl);
        }
    }
    static void onGlobalRemoved(void*, wl_registry*, std::uint32_t) { }
    static constexpr wl_registry_listener registryListener {onGlobal, onGlobalRemoved};

    static void onToplevel(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle)
    {
        auto& impl = *static_cast<Impl*>(data);
        if (impl.toplevels.size() >= kMaximumToplevels) {
            zwlr_foreign_toplevel_handle_v1_destroy(handle);
            return;
        }
        auto& toplevel = impl.toplevels.emplace_back(std::make_unique<Toplevel>(Toplevel {&impl, handle, {}, {}}));
        zwlr_foreign_toplevel_handle_v1_add_listener(handle, &toplevelListener, toplevel.get());
    }
    static void onFinished(void*, zwlr_foreign_toplevel_manager_v1*) { }
    static constexpr zwlr_foreign_toplevel_manager_v1_listener managerListener {onToplevel, onFinished};

    static void onTitle(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title)
    {
        static_cast<Toplevel*>(data)->pending.title = title;
    }
    static void onAppID(void* data, zwlr_foreign_toplevel_handle_v1*, const char* appID)
    {
        static_cast<Toplevel*>(data)->pending.appID = appID;
    }
    static void onOutput(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) { }
    static void onState(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states)
    {
        const auto* first = static_cast<const std::uint32_t*>(states->data);
        const auto* last = first + states->size / sizeof(std::uint32_t);
        static_cast<Toplevel*>(data)->pending.focused
            = std::find(first, last, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) != last;
    }
    static void onDone(void* data, zwlr_foreign_toplevel_handle_v1*)
    {
        auto& toplevel = *static_cast<Toplevel*>(data);
        if (!toplevel.announced || toplevel.current != toplevel.pending) {
            toplevel.current = toplevel.pending;
            toplevel.announced = true;
            toplevel.impl->changed = true;
        }
    }
    static void onClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle)
    {
        auto& toplevel = *static_cast<Toplevel*>(data);
        auto& impl = *toplevel.impl;
        zwlr_foreign_toplevel_handle_v1_destroy(handle);
        impl.changed = true;
        std::erase_if(impl.toplevels, [&](const auto& entry) { return entry->handle == handle; });
    }
    static void onParent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) { }
    static constexpr zwlr_foreign_toplevel_handle_v1_listener toplevelListener {
        onTitle, onAppID, onOutput, onOutput, onState, onDone, onClosed, onParent};

    // The compositor reports a focus move as two windows changing, usually in one batch; the
    // list is handed on once the batch has been read, so a move is never seen half done.
    void updateIfChanged()
    {
        if (!std::exchange(changed, false)) {
            return;
        }
        std::vector<DesktopWindow> windows;
        for (const auto& toplevel : toplevels) {
            if (toplevel->announced) {
                windows.push_back(toplevel->current);
            }
        }
        settleAt = tracker.update(windows);
    }

    void run()
    {
        wl_display* connection = display.get();
        std::array<pollfd, 2> fds {{{wl_display_get_fd(connection), POLLIN, 0}, {wake.get(), POLLIN, 0}}};
        while (!stopping.load()) {
            while (wl_display_prepare_read(connection) != 0) {
                if (wl_display_dispatch_pending(connection) < 0) {
                    return;
                }
            }
            updateIfChanged();
            if (wl_display_flush(connection) < 0 && errno != EAGAIN) {
                wl_display_cancel_read(connection);
                return;
            }
            if (::poll(fds.data(), fds.size(), settleAt ? pollTimeoutUntil(*settleAt) : -1) < 0 && errno != EINTR) {
                wl_display_cancel_read(connection);
                return;
            }
            if (fds[0].revents != 0) {
                if (wl_display_read_events(connection) < 0) {
                    return; // the compositor went away; the last answers stay
                }
            } else {
                wl_display_cancel_read(connection);
            }
            if ((fds[1].revents & POLLIN) != 0) {
                std::uint64_t count = 0;
                [[maybe_unused]] const auto bytes = ::read(wake.get(), &count, sizeof count);
            }
            if (wl_display_dispatch_pending(connection) < 0) {
                return;
            }
            updateIfChanged();
            if (settleAt && std::chrono::steady_clock::now() >= *settleAt) {
                settleAt.reset();
                tracker.settle();
            }
        }
    }

    ~Impl()
    {
        for (const auto& toplevel : toplevels) {
            zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
        }
        if (manager != nullptr) {
            zwlr_foreign_toplevel_manager_v1_destroy(manager);
        }
        if (registry != nullptr) {
            wl_registry_destroy(registry);
        }
    }
};

std::unique_ptr<WlrootsWorkspace> WlrootsWorkspace::connect(const EnvironmentLookup& environment, std::string& whyNot)
{
    const auto name = environment("WAYLAND_DISPLAY");
    if (!name || name->empty()) {
        whyNot = "no Wayland display";
        return nullptr;
    }
    auto impl = std::make_unique<Impl>(environment);
    impl->display.reset(wl_display_connect(name->c_str()));
    if (!impl->display) {
        whyNot = "cannot connect to the Wayland display " + *name + ": " + std::strerror(errno);
        return nullptr;
    }
    impl->registry = wl_display_get_registry(impl->display.get());
    wl_registry_add_listener(impl->registry, &Impl::registryListener, impl.get());
    // The first round trip brings the globals, the second the windows that exist already.
    if (wl_display_roundtrip(impl->display.get()) < 0 || impl->manager == nullptr) {
        whyNot = "the compositor does not list its windows (no zwlr_foreign_toplevel_manager_v1)";
        return nullptr;
    }
    impl->wake = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (wl_display_roundtrip(impl->display.get()) < 0 || !impl->wake) {
        whyNot = std::string("cannot read the compositor's windows: ") + std::strerror(errno);
        return nullptr;
    }
    impl->updateIfChanged();
    impl->listener = std::thread([raw = impl.get()] { raw->run(); });
    return std::unique_ptr<WlrootsWorkspace>(new WlrootsWorkspace(std::move(impl)));
}

WlrootsWorkspace::WlrootsWorkspace(std::unique_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
}

WlrootsWorkspace::~WlrootsWorkspace()
{
    m_impl->stopping = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_impl->wake.get(), &one, sizeof one);
    m_impl->listener.join();
}

FrontmostApplication WlrootsWorkspace::frontmostApplication() const
{
    return m_impl->tracker.frontmost();
}

std::vector<RunningApplication> WlrootsWorkspace::runningApplications() const
{
    return m_impl->tracker.running();
}

Subscription WlrootsWorkspace::subscribeActivation(ActivationHandler handler)
{
    return m_impl->tracker.subscribeActivation(std::move(handler));
}

} // namespace tarn::input
