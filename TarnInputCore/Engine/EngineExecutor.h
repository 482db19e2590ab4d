#pragma once

// Port: runs engine work later, off the tap thread (the smooth-scroll frames, macro steps). Tests
// use a manual executor that runs what is due when the shared virtual clock is advanced.

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
    // After it returns the task is not running and will not run again, unless it is called from
    // the task itself. An unknown or finished id is ignored.
    virtual void cancel(TaskId id) = 0;
};

} // namespace tarn::input
