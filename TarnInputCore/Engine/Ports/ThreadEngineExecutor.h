#pragma once

// The engine executor of the running program: one worker thread that runs due tasks in time order,
// one at a time, timed on the steady clock. Tasks must not throw. Destroying the executor stops the
// worker after the task in progress; tasks still waiting are dropped without running. With nothing
// due the worker sleeps until something is scheduled or armed: an idle engine costs no wake-ups.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <stop_token>
#include <thread>
#include <utility>

#include "TarnInputCore/Engine/Ports/EngineExecutor.h"

namespace tarn::input {

class ThreadEngineExecutor final : public EngineExecutor {
public:
    ThreadEngineExecutor();
    ~ThreadEngineExecutor() override;
    ThreadEngineExecutor(const ThreadEngineExecutor&) = delete;
    ThreadEngineExecutor& operator=(const ThreadEngineExecutor&) = delete;

    TaskId scheduleAfter(std::chrono::nanoseconds delay, std::function<void()> task) override;
    TaskId scheduleRepeating(
        std::chrono::nanoseconds firstDelay, std::chrono::nanoseconds period, std::function<void()> task) override;
    TaskId addDormant(std::chrono::nanoseconds period, std::function<void()> task) override;
    void arm(TaskId id, std::chrono::nanoseconds firstDelay) override;
    void disarm(TaskId id) override;
    // Waits for the task when it is running on the worker; called from the task itself, it only
    // stops it from running again.
    void cancel(TaskId id) override;

private:
    using Time = std::chrono::steady_clock::time_point;
    // Due order; ties run in the order they were scheduled.
    using Queue = std::set<std::pair<Time, TaskId>>;

    struct Task {
        Time due;
        std::chrono::nanoseconds period {0};
        std::function<void()> run;
        // Added dormant: known until cancelled, runs only while armed.
        bool dormant = false;
        bool armed = false;
        // Counts armings, so the worker can tell that a task was armed again while it ran.
        std::uint64_t armings = 0;
        bool queued = false;
        // The task's queue entry while it is neither queued nor running: arming reuses it, so it
        // never allocates.
        Queue::node_type spareEntry;
    };

    TaskId add(Time due, std::chrono::nanoseconds period, std::function<void()> task, bool dormant);
    // Puts the task's entry (spare or given) in the queue at `task.due`; true when it is first.
    bool enqueue(TaskId id, Task& task, Queue::node_type entry);
    void work(std::stop_token stop);

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::condition_variable m_taskFinished;
    std::map<TaskId, Task> m_tasks;
    Queue m_queue;
    TaskId m_nextId = 1;
    std::optional<TaskId> m_running;
    // Declared last: the worker starts once everything it uses exists, and stops first.
    std::jthread m_worker;
};

} // namespace tarn::input
