#pragma once

// Port: runs engine work later, off the tap thread (the smooth-scroll frames, macro steps, window
// moves of a drag). Tests use a manual executor that runs what is due when the shared virtual
// clock is advanced.

#include <chrono>
#include <cstdint>
#include <functional>

namespace tarn::input {

class EngineExecutor {
public:
    using TaskId = std::uint64_t;

    virtual ~EngineExecutor() = default;
    // Runs `task` once, `delay` from now. Tasks of one executor never run concurrently.
    virtual TaskId scheduleAfter(std::chrono::nanoseconds delay, std::function<void()> task) = 0;
    // Runs `task` first `firstDelay` from now, then every `period`, until cancelled.
    virtual TaskId scheduleRepeating(
        std::chrono::nanoseconds firstDelay, std::chrono::nanoseconds period, std::function<void()> task)
        = 0;
    // A task that waits, without costing a wake-up, until it is armed. Once armed it runs after
    // the delay given to `arm`, then every `period` until disarmed; with a period of zero it runs
    // once per arming. Adding may allocate; it stays known until cancelled.
    virtual TaskId addDormant(std::chrono::nanoseconds period, std::function<void()> task) = 0;
    // Neither allocates nor waits for a running task, so the tap thread may call them. Arming an
    // armed task changes nothing (its cadence stays); disarming lets a run in progress finish.
    // Both may be called from the task itself. Unknown ids are ignored.
    virtual void arm(TaskId id, std::chrono::nanoseconds firstDelay) = 0;
    virtual void disarm(TaskId id) = 0;
    // After it returns the task is not running and will not run again, unless it is called from
    // the task itself. An unknown or finished id is ignored.
    virtual void cancel(TaskId id) = 0;
};

} // namespace tarn::input
