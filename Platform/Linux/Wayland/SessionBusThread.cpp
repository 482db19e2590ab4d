#include "Platform/Linux/Wayland/SessionBusThread.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "Platform/Linux/DBus/SdBusPollTimeout.h"
#include "Platform/Linux/Wayland/PollDeadline.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tarn::input {

namespace {

constexpr std::uint64_t kCallTimeoutMicroseconds = 2'000'000;

} // namespace

std::unique_ptr<SessionBusThread> SessionBusThread::open(std::string& whyNot)
{
    std::unique_ptr<SessionBusThread> thread(new SessionBusThread);
    sd_bus* bus = nullptr;
    if (const int result = sd_bus_open_user(&bus); result < 0) {
        whyNot = std::string("cannot reach the session bus: ") + std::strerror(-result);
        return nullptr;
    }
    thread->m_bus.reset(bus);
    // A desktop that does not answer must not hold up the start of the program.
    sd_bus_set_method_call_timeout(bus, kCallTimeoutMicroseconds);
    thread->m_wake = UniqueFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!thread->m_wake) {
        whyNot = std::string("cannot make an event file: ") + std::strerror(errno);
        return nullptr;
    }
    return thread;
}

SessionBusThread::~SessionBusThread()
{
    stop();
}

void SessionBusThread::start()
{
    m_thread = std::thread([this] { run(); });
}

void SessionBusThread::stop()
{
    if (!m_thread.joinable()) {
        return;
    }
    m_stopping = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_wake.get(), &one, sizeof one);
    m_thread.join();
}

void SessionBusThread::callAt(Deadline deadline, std::function<void()> handler)
{
    m_deadline = deadline;
    m_deadlineHandler = std::move(handler);
}

void SessionBusThread::run()
{
    sd_bus* connection = m_bus.get();
    while (!m_stopping) {
        int result = 0;
        while ((result = sd_bus_process(connection, nullptr)) > 0 && !m_stopping) { }
        if (result < 0) {
            return; // the bus went away; the last answers stay
        }
        std::uint64_t busDeadline = UINT64_MAX;
        sd_bus_get_timeout(connection, &busDeadline);
        int timeout = sdBusPollTimeout(busDeadline);
        if (m_deadline) {
            const int ownTimeout = pollTimeoutUntil(*m_deadline);
            timeout = timeout < 0 ? ownTimeout : std::min(timeout, ownTimeout);
        }
        std::array<pollfd, 2> fds {{{sd_bus_get_fd(connection), static_cast<short>(sd_bus_get_events(connection)), 0},
            {m_wake.get(), POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) {
            return;
        }
        if (m_deadline && std::chrono::steady_clock::now() >= *m_deadline) {
            m_deadline.reset();
            std::exchange(m_deadlineHandler, {})();
        }
    }
}

} // namespace tarn::input
