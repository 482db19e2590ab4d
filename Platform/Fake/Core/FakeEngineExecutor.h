#pragma once

// An executor that runs nothing on its own: `advance` moves the shared virtual clock forward and
// runs every armed task that falls due on the way, in time order, each at its own due time.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "TarnInputCore/Engine/Ports/EngineExecutor.h"

namespace tarn::input {

class FakeEngineExecutor final : public EngineExecutor {
public:
    explicit FakeEngineExecutor(FakeClock& clock);

    TaskId scheduleAfter(std::chrono::nanoseconds delay, std::function<void()> task) override;
    TaskId scheduleRepeating(
        std::chrono::nanoseconds firstDelay, std::chrono::nanoseconds period, std::function<void()> task) override;
    TaskId addDormant(std::chrono::nanoseconds period, std::function<void()> task) override;
    void arm(TaskId id, std::chrono::nanoseconds firstDelay) override;
    void disarm(TaskId id) override;
    void cancel(TaskId id) override;

    void advance(std::chrono::nanoseconds step);
    // Tasks known (dormant ones included) and tasks that will run when the clock moves on.
    std::size_t pendingCount() const;
    std::size_t armedCount() const;

private:
    struct Task {
        MonotonicTime due;
        std::chrono::nanoseconds period {0};
        std::function<void()> run;
        bool dormant = false;
        bool armed = true;
    };

    TaskId add(Task task);

    FakeClock& m_clock;
    mutable std::mutex m_mutex;
    std::map<TaskId, Task> m_tasks;
    TaskId m_nextId = 1;
};

} // namespace tarn::input
