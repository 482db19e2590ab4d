#include "Platform/Linux/Devices/UdevDeviceChangeNotices.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <map>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>

#include "Platform/Linux/Input/InputDeviceDirectory.h"
#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <libudev.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace tarn {
namespace {

using namespace std::chrono_literals;
using Udev = CHandle<udev, udev_unref>;
using UdevDevice = CHandle<udev_device, udev_device_unref>;
using UdevMonitor = CHandle<udev_monitor, udev_monitor_unref>;

// A burst ends once this passes without another change; a stream of changes is told at least
// this often.
constexpr auto kSettle = 50ms;
constexpr auto kLongestBurst = 1000ms;
constexpr std::uint32_t kNodeChanges = IN_ATTRIB | IN_DELETE_SELF;

std::string_view text(const char* value)
{
    return value != nullptr ? std::string_view(value) : std::string_view {};
}

// What the watcher looks at: input devices, /dev/uinput, HID devices and HID batteries (not the
// machine's own battery, which changes all day).
bool concernsTheWatcher(udev_device* device)
{
    const auto subsystem = text(udev_device_get_subsystem(device));
    if (subsystem == "input" || subsystem == "hid") {
        return true;
    }
    if (subsystem == "misc") {
        return text(udev_device_get_sysname(device)) == "uinput";
    }
    return subsystem == "power_supply" && udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
}

// The subscribers, shared with the tasks posted to the main thread, which may run after the
// notices are gone.
struct Subscribers {
    std::mutex mutex;
    std::map<int, std::function<void()>> callbacks;
    int nextID = 0;
    // A notice is posted and has not run yet: later changes are part of it.
    std::atomic<bool> pending {false};

    void tell()
    {
        pending = false;
        std::map<int, std::function<void()>> told;
        {
            std::lock_guard lock(mutex);
            told = callbacks;
        }
        for (const auto& [id, changed] : told) {
            // One told earlier in this loop may have cancelled this one.
            std::unique_lock lock(mutex);
            const bool subscribed = callbacks.contains(id);
            lock.unlock();
            if (subscribed) {
                changed();
            }
        }
    }
};

} // namespace

struct UdevDeviceChangeNotices::Impl {
    Impl(MainThreadExecutor& mainThread, std::filesystem::path deviceRoot)
        : mainThread(mainThread)
        , deviceRoot(std::move(deviceRoot))
    {
    }

    MainThreadExecutor& mainThread;
    const std::filesystem::path deviceRoot;
    const std::shared_ptr<Subscribers> subscribers = std::make_shared<Subscribers>();
    Udev context;
    UdevMonitor monitor;
    UniqueFd inotify;
    UniqueFd stop;
    std::thread thread;

    void openMonitor(const std::string& source);
    void run();
    void watchNodes() const;
    bool drain(const std::array<pollfd, 3>& ready);
    bool drainInotify() const;
    bool drainMonitor() const;
    void post() const;
};

void UdevDeviceChangeNotices::Impl::openMonitor(const std::string& source)
{
    if (source.empty()) {
        return;
    }
    context.reset(udev_new());
    if (!context) {
        return;
    }
    monitor.reset(udev_monitor_new_from_netlink(context.get(), source.c_str()));
    if (!monitor) {
        return;
    }
    for (const char* subsystem : {"input", "misc", "hid", "power_supply"}) {
        udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), subsystem, nullptr);
    }
    if (udev_monitor_enable_receiving(monitor.get()) < 0) {
        monitor.reset();
    }
}

void UdevDeviceChangeNotices::Impl::watchNodes() const
{
    // Adding a node already watched keeps its one watch; a node that went away took its own.
    inotify_add_watch(inotify.get(), (deviceRoot / "uinput").c_str(), kNodeChanges);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(deviceRoot / "input", error)) {
        if (entry.path().filename().string().starts_with("event")) {
            inotify_add_watch(inotify.get(), entry.path().c_str(), kNodeChanges);
        }
    }
}

bool UdevDeviceChangeNotices::Impl::drainInotify() const
{
    alignas(inotify_event) std::array<char, 4096> buffer {};
    bool changed = false;
    while (::read(inotify.get(), buffer.data(), buffer.size()) > 0) {
        // Every event of ours is a change of a watched node (or the end of its watch with it).
        changed = true;
    }
    return changed;
}

bool UdevDeviceChangeNotices::Impl::drainMonitor() const
{
    bool changed = false;
    while (UdevDevice device {udev_monitor_receive_device(monitor.get())}) {
        changed = changed || concernsTheWatcher(device.get());
    }
    return changed;
}

bool UdevDeviceChangeNotices::Impl::drain(const std::array<pollfd, 3>& ready)
{
    bool changed = false;
    if ((ready[1].revents & POLLIN) != 0) {
        changed = drainInotify();
    }
    if ((ready[2].revents & POLLIN) != 0) {
        changed = drainMonitor() || changed;
    }
    return changed;
}

void UdevDeviceChangeNotices::Impl::post() const
{
    if (subscribers->pending.exchange(true)) {
        return;
    }
    mainThread.post([subscribers = subscribers] { subscribers->tell(); });
}

void UdevDeviceChangeNotices::Impl::run()
{
    std::array<pollfd, 3> fds {{{stop.get(), POLLIN, 0}, {inotify.get(), POLLIN, 0},
        {monitor ? udev_monitor_get_fd(monitor.get()) : -1, POLLIN, 0}}};
    const auto wait = [&](int timeoutMs) {
        const int ready = ::poll(fds.data(), fds.size(), timeoutMs);
        return ready < 0 && errno == EINTR ? 0 : ready;
    };
    while (true) {
        if (wait(-1) < 0 || (fds[0].revents & POLLIN) != 0) {
            return;
        }
        if (!drain(fds)) {
            continue;
        }
        const auto longest = std::chrono::steady_clock::now() + kLongestBurst;
        while (std::chrono::steady_clock::now() < longest && wait(static_cast<int>(kSettle.count())) > 0) {
            if ((fds[0].revents & POLLIN) != 0) {
                return;
            }
            drain(fds);
        }
        watchNodes();
        post();
    }
}

UdevDeviceChangeNotices::UdevDeviceChangeNotices(MainThreadExecutor& mainThread)
    : UdevDeviceChangeNotices(mainThread, "/dev", input::InputDeviceDirectory::defaultMonitorSource())
{
}

UdevDeviceChangeNotices::UdevDeviceChangeNotices(
    MainThreadExecutor& mainThread, std::filesystem::path deviceRoot, const std::string& monitorSource)
    : m_impl(std::make_unique<Impl>(mainThread, std::move(deviceRoot)))
{
    m_impl->openMonitor(monitorSource);
    m_impl->inotify = UniqueFd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    // Before the constructor returns: a change right after it is seen.
    m_impl->watchNodes();
    m_impl->stop = UniqueFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    if (!m_impl->stop) {
        return;
    }
    m_impl->thread = std::thread([impl = m_impl.get()] { impl->run(); });
    ::pthread_setname_np(m_impl->thread.native_handle(), "tarn-devwatch");
}

UdevDeviceChangeNotices::~UdevDeviceChangeNotices()
{
    if (m_impl->thread.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_impl->stop.get(), &one, sizeof one);
        m_impl->thread.join();
    }
    std::lock_guard lock(m_impl->subscribers->mutex);
    m_impl->subscribers->callbacks.clear();
}

Subscription UdevDeviceChangeNotices::subscribe(std::function<void()> changed)
{
    auto& shared = *m_impl->subscribers;
    std::lock_guard lock(shared.mutex);
    const int id = shared.nextID++;
    shared.callbacks.emplace(id, std::move(changed));
    return Subscription([weak = std::weak_ptr<Subscribers>(m_impl->subscribers), id] {
        if (const auto subscribers = weak.lock()) {
            std::lock_guard lock(subscribers->mutex);
            subscribers->callbacks.erase(id);
        }
    });
}

} // namespace tarn
