#include "Platform/Linux/Input/StallWatchdog.h"

#include <algorithm>
#include <utility>

#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <time.h>
#include <unistd.h>

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

// When `letGo` could not act (the device list was being changed), it is asked again this soon.
constexpr auto kRetry = 10ms;

} // namespace

StallWatchdog::StallWatchdog(std::chrono::milliseconds threshold, std::function<bool()> letGo, std::string name)
    : m_threshold(threshold)
    , m_letGo(std::move(letGo))
    , m_name(std::move(name))
{
}

StallWatchdog::~StallWatchdog()
{
    stop();
}

void StallWatchdog::start()
{
    if (m_thread.joinable()) {
        return;
    }
    m_wake = UniqueFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    m_stopRequested = false;
    m_armed = false;
    m_busySince = 0;
    m_busy = false;
    m_thread = std::thread([this] { run(); });
    ::pthread_setname_np(m_thread.native_handle(), m_name.c_str());
}

void StallWatchdog::stop()
{
    if (!m_thread.joinable()) {
        return;
    }
    m_stopRequested = true;
    poke();
    m_thread.join();
    m_wake.reset();
}

void StallWatchdog::busy() noexcept
{
    if (m_busy) {
        return;
    }
    m_busy = true;
    m_busySpans.store(m_busySpans.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    // Sequentially consistent with `m_armed` on both sides: either the watchdog, going to sleep,
    // sees this wake-up, or this sees that it sleeps and wakes it.
    m_busySince.store(std::max<std::int64_t>(1, ticks(std::chrono::steady_clock::now())));
    if (!m_armed.load()) {
        m_armed.store(true);
        poke();
    }
}

void StallWatchdog::idle() noexcept
{
    if (m_busy) {
        m_busy = false;
        m_busySince.store(0, std::memory_order_release);
    }
}

void StallWatchdog::poke() const
{
    if (m_wake) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(m_wake.get(), &one, sizeof one);
    }
}

void StallWatchdog::sleepUntil(std::optional<TimePoint> deadline)
{
    timespec timeout {};
    timespec* limit = nullptr;
    if (deadline) {
        const auto left
            = std::max(std::chrono::steady_clock::duration::zero(), *deadline - std::chrono::steady_clock::now());
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
        timeout.tv_sec = static_cast<time_t>(seconds.count());
        timeout.tv_nsec
            = static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(left - seconds).count());
        limit = &timeout;
    }
    pollfd wake {m_wake.get(), POLLIN, 0};
    if (::ppoll(&wake, 1, limit, nullptr) > 0) {
        std::uint64_t value = 0;
        [[maybe_unused]] const auto read = ::read(m_wake.get(), &value, sizeof value);
    }
}

void StallWatchdog::run()
{
    // The wake-up already let go of: the loop is still in it, and nothing more can be done.
    std::int64_t letGoSince = 0;
    std::uint64_t spans = m_busySpans.load(std::memory_order_relaxed);
    while (!m_stopRequested) {
        const auto since = m_busySince.load();
        const auto now = std::chrono::steady_clock::now();
        if (since != 0 && since != letGoSince) {
            const auto due = TimePoint(std::chrono::steady_clock::duration(since)) + m_threshold;
            if (now < due) {
                sleepUntil(due);
            } else if (m_letGo()) {
                letGoSince = since;
            } else {
                sleepUntil(now + kRetry);
            }
            continue;
        }
        const auto seen = m_busySpans.load(std::memory_order_relaxed);
        if (seen != spans) {
            // Work came since the last look: look again in a threshold.
            spans = seen;
            sleepUntil(now + m_threshold);
            continue;
        }
        // A whole threshold without work: sleep until the loop is busy again.
        m_armed.store(false);
        const auto again = m_busySince.load();
        if (again != 0 && again != letGoSince) {
            m_armed.store(true);
            continue;
        }
        // Woken by the loop's next wake-up, which then counts as work: the watchdog stays awake
        // for a threshold, so input that keeps coming does not wake it again and again.
        sleepUntil(std::nullopt);
    }
}

} // namespace tarn::input
