#pragma once

// Watches one loop thread (the tap's input thread) for a stall: a wake-up that keeps it busy for
// `threshold`. The loop says when it leaves its wait with work (`busy`, one clock read) and when it
// goes back to waiting (`idle`); neither call takes a lock or, while the watchdog is awake, makes
// a system call. The watchdog thread costs nothing while no work comes: it sleeps until the loop
// is busy again, looks once per threshold while work keeps coming, and goes back to sleep after
// a whole threshold without any.
//
//   loop   --busy------idle--busy--idle-- ... --busy-------------------------(stuck)
//   watch  wake        check (work came)      check (none: sleep)   wake     due: letGo
//          |<-- threshold -->|                                       |<-- threshold -->|
//
// `letGo` runs on the watchdog thread once per stall; it answers false when it could not act
// now, and is asked again 10 ms later.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "TarnKit/Foundation/Files/UniqueFd.h"

namespace tarn::input {

class StallWatchdog {
public:
    // `name` names the watchdog's thread (at most 15 bytes), so that a look at the process shows
    // which thread wakes.
    StallWatchdog(std::chrono::milliseconds threshold, std::function<bool()> letGo, std::string name);
    ~StallWatchdog();
    StallWatchdog(const StallWatchdog&) = delete;
    StallWatchdog& operator=(const StallWatchdog&) = delete;

    // Starts and stops the watchdog's thread; from one thread, the loop's owner.
    void start();
    void stop();

    // From the watched loop only.
    void busy() noexcept;
    void idle() noexcept;

private:
    using TimePoint = std::chrono::steady_clock::time_point;

    void run();
    void sleepUntil(std::optional<TimePoint> deadline);
    void poke() const;
    static std::int64_t ticks(TimePoint time) { return time.time_since_epoch().count(); }

    const std::chrono::steady_clock::duration m_threshold;
    const std::function<bool()> m_letGo;
    const std::string m_name;
    // When the loop's current wake-up began, in steady-clock ticks; 0 while it waits.
    std::atomic<std::int64_t> m_busySince {0};
    // Wake-ups so far: the loop is their only writer.
    std::atomic<std::uint64_t> m_busySpans {0};
    // Whether the watchdog is awake (or about to look); the loop wakes it when it is not.
    std::atomic<bool> m_armed {false};
    std::atomic<bool> m_stopRequested {false};
    // The loop's own: whether it is in a wake-up now.
    bool m_busy = false;
    UniqueFd m_wake;
    std::thread m_thread;
};

} // namespace tarn::input
