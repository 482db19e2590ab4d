#include "Platform/Linux/DBus/SdBusDistributedNotifier.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <systemd/sd-bus.h>

#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <time.h>
#include <unistd.h>

namespace tarn {
namespace {

using Bus = CHandle<sd_bus, sd_bus_flush_close_unref>;
using Slot = CHandle<sd_bus_slot, sd_bus_slot_unref>;

constexpr const char* kPath = "/com/harrowfen/DistributedNotification";
constexpr const char* kInterface = "com.harrowfen.DistributedNotification";
constexpr const char* kMember = "Posted";
// Messages read in one go before the thread looks at its wake-up again.
constexpr int kMessagesPerTurn = 64;
// Notices waiting for their handlers; more than this between two turns are dropped, as a bus
// flooded by some program must not grow the notifier's memory.
constexpr std::size_t kMaxWaitingNotices = 4096;

struct Notice {
    std::string name;
    std::optional<std::string> object;
};

// Milliseconds until sd-bus's absolute monotonic deadline, for poll(); -1 for none.
int pollTimeout(std::uint64_t deadlineMicroseconds)
{
    if (deadlineMicroseconds == UINT64_MAX) {
        return -1;
    }
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t nowMicroseconds
        = static_cast<std::uint64_t>(now.tv_sec) * 1'000'000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000;
    if (deadlineMicroseconds <= nowMicroseconds) {
        return 0;
    }
    return static_cast<int>(std::min<std::uint64_t>((deadlineMicroseconds - nowMicroseconds + 999) / 1000, 60'000));
}

} // namespace

struct SdBusDistributedNotifier::Impl {
    struct Observer {
        std::string name;
        Handler handler;
        // Held while the handler runs, so that cancelling waits for a call under way (and, being
        // recursive, lets a handler cancel its own subscription).
        std::recursive_mutex callMutex;
        bool active = true;
    };

    // Guards the connection and `waiting`; never held while a handler runs.
    std::mutex busMutex;
    Bus bus;
    Slot match;
    std::vector<Notice> waiting;

    std::mutex observersMutex;
    std::vector<std::shared_ptr<Observer>> observers;

    UniqueFd wake;
    std::atomic<bool> stopping = false;
    std::thread thread;

    static int onSignal(sd_bus_message* message, void* userdata, sd_bus_error*)
    {
        auto* impl = static_cast<Impl*>(userdata);
        const char* name = nullptr;
        int hasObject = 0;
        const char* object = nullptr;
        if (sd_bus_message_read(message, "sbs", &name, &hasObject, &object) < 0
            || impl->waiting.size() >= kMaxWaitingNotices) {
            return 0;
        }
        impl->waiting.push_back(
            {name, hasObject != 0 ? std::optional<std::string>(object) : std::optional<std::string>()});
        return 0;
    }

    void wakeThread() const
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wake.get(), &one, sizeof one);
    }

    void run()
    {
        while (!stopping) {
            pollfd fds[2] = {{-1, 0, 0}, {wake.get(), POLLIN, 0}};
            int timeout = -1;
            bool broken = false;
            std::vector<Notice> notices;
            {
                std::lock_guard lock(busMutex);
                int result = 0;
                for (int count = 0; count < kMessagesPerTurn && (result = sd_bus_process(bus.get(), nullptr)) > 0;
                     ++count) { }
                broken = result < 0;
                notices.swap(waiting);
                std::uint64_t deadline = UINT64_MAX;
                fds[0] = {sd_bus_get_fd(bus.get()), static_cast<short>(sd_bus_get_events(bus.get())), 0};
                sd_bus_get_timeout(bus.get(), &deadline);
                // More may wait already read: come straight back for it.
                timeout = result > 0 ? 0 : pollTimeout(deadline);
            }
            deliver(notices);
            if (broken) {
                // The bus went away: nothing more will arrive, and posts report failure.
                return;
            }
            if (::poll(fds, 2, timeout) > 0 && (fds[1].revents & POLLIN) != 0) {
                std::uint64_t count = 0;
                [[maybe_unused]] const auto read = ::read(wake.get(), &count, sizeof count);
            }
        }
    }

    void deliver(const std::vector<Notice>& notices)
    {
        for (const auto& notice : notices) {
            std::vector<std::shared_ptr<Observer>> matching;
            {
                std::lock_guard lock(observersMutex);
                for (const auto& observer : observers) {
                    if (observer->name == notice.name) {
                        matching.push_back(observer);
                    }
                }
            }
            for (const auto& observer : matching) {
                std::lock_guard call(observer->callMutex);
                if (observer->active) {
                    observer->handler(notice.object);
                }
            }
        }
    }
};

std::unique_ptr<SdBusDistributedNotifier> SdBusDistributedNotifier::connect(std::string& whyNot)
{
    auto impl = std::make_shared<Impl>();
    sd_bus* bus = nullptr;
    if (const int result = sd_bus_open_user(&bus); result < 0) {
        whyNot = std::string("cannot reach the session bus: ") + std::strerror(-result);
        return nullptr;
    }
    impl->bus.reset(bus);
    sd_bus_slot* match = nullptr;
    // Registered with the bus before connect() returns, so that no notice posted after it is missed.
    if (const int result
        = sd_bus_match_signal(bus, &match, nullptr, kPath, kInterface, kMember, Impl::onSignal, impl.get());
        result < 0) {
        whyNot = std::string("cannot listen on the session bus: ") + std::strerror(-result);
        return nullptr;
    }
    impl->match.reset(match);
    impl->wake = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!impl->wake) {
        whyNot = std::string("cannot make an event file: ") + std::strerror(errno);
        return nullptr;
    }
    impl->thread = std::thread([raw = impl.get()] { raw->run(); });
    return std::unique_ptr<SdBusDistributedNotifier>(new SdBusDistributedNotifier(std::move(impl)));
}

SdBusDistributedNotifier::SdBusDistributedNotifier(std::shared_ptr<Impl> impl)
    : m_impl(std::move(impl))
{
}

SdBusDistributedNotifier::~SdBusDistributedNotifier()
{
    m_impl->stopping = true;
    m_impl->wakeThread();
    m_impl->thread.join();
    std::lock_guard lock(m_impl->busMutex);
    // The match calls back into the state; it goes before anything it could reach.
    m_impl->match.reset();
    m_impl->bus.reset();
}

bool SdBusDistributedNotifier::post(std::string_view name, const std::optional<std::string>& object)
{
    const std::string nameText(name);
    {
        std::lock_guard lock(m_impl->busMutex);
        if (!m_impl->bus || sd_bus_is_open(m_impl->bus.get()) <= 0
            || sd_bus_emit_signal(m_impl->bus.get(), kPath, kInterface, kMember, "sbs", nameText.c_str(),
                   static_cast<int>(object.has_value()), object.value_or("").c_str())
                < 0) {
            return false;
        }
    }
    // The thread waits on what it last wanted from the bus; a message queued for sending now
    // needs it to look again.
    m_impl->wakeThread();
    return true;
}

Subscription SdBusDistributedNotifier::observe(std::string name, Handler handler)
{
    auto observer = std::make_shared<Impl::Observer>();
    observer->name = std::move(name);
    observer->handler = std::move(handler);
    {
        std::lock_guard lock(m_impl->observersMutex);
        m_impl->observers.push_back(observer);
    }
    return Subscription([weakImpl = std::weak_ptr<Impl>(m_impl), observer] {
        {
            std::lock_guard call(observer->callMutex);
            observer->active = false;
        }
        if (const auto impl = weakImpl.lock()) {
            std::lock_guard lock(impl->observersMutex);
            std::erase(impl->observers, observer);
        }
    });
}

} // namespace tarn
