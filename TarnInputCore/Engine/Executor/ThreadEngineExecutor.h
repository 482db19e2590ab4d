#pragma once

// The engine executor of the running program: one worker thread that runs due tasks in time order,
// one at a time, timed on the steady clock. Tasks must not throw. Destroying the executor stops the
// worker after the task in progress; tasks still waiting are dropped without running.
//
// The worker sleeps until the earliest due time or until something changes, whichever comes
// first, and not once in between: it waits on a condition variable (`wait_until` on the steady
// clock), never on a timed semaphore, whose wait this standard library spins out with yields and
// short sleeps. With nothing due it sleeps until something is scheduled or armed, so an idle
// engine costs no wake-ups.
//
// Arming and disarming allocate nothing and never wait for a task or for the task table: they
// queue the change in a lock-free ring. Waking a sleeping worker then takes the wake mutex, which
// the worker holds only to read one flag before it sleeps and when it wakes (never while it runs
// a task, touches the table or allocates); only the first change after the worker last woke does
// that, and a task arming or disarming from the worker wakes nothing. The worker, and any call
// that takes the table's mutex, applies queued changes first, so they keep the order they were
// made in.

#include <atomic>
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
#include "TarnInputCore/Engine/Requests/BoundedRequestQueue.h"

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

    // An arming (at `due`) or a disarming on its way to the worker.
    struct ArmingChange {
        TaskId id = 0;
        Time due;
        bool arms = false;
    };
    // Far more than the few dormant tasks of an engine change between two turns of the worker.
    static constexpr std::size_t kArmingChangeCapacity = 256;

    // Under `m_mutex`: applies the queued changes in order.
    void applyArmingChanges();
    void applyArm(TaskId id, Time due);
    void applyDisarm(TaskId id);
    // Queues a change; false when the ring is full.
    bool queueChange(ArmingChange change);
    // Lets the worker look at the queue again: only the first call since it last woke takes the
    // wake mutex and signals it.
    void wake();
    // The worker, without the table's mutex: until woken, or `until` if given.
    void waitForWake(std::optional<Time> until);
    bool onWorker() const;
    TaskId add(Time due, std::chrono::nanoseconds period, std::function<void()> task, bool dormant);
    // Puts the task's entry (spare or given) in the queue at `task.due`; true when it is first.
    bool enqueue(TaskId id, Task& task, Queue::node_type entry);
    void work(std::stop_token stop);

    std::mutex m_mutex;
    BoundedRequestQueue<ArmingChange, kArmingChangeCapacity> m_armingChanges;
    // Set by the first waker since the worker last woke; the worker reads it under `m_wakeMutex`
    // before it sleeps, and a waker passes through that mutex before signalling, so no wake-up is
    // lost between the worker's look and its sleep.
    std::atomic<bool> m_wakePending {false};
    std::mutex m_wakeMutex;
    std::condition_variable m_wakeSignal;
    std::condition_variable m_taskFinished;
    std::map<TaskId, Task> m_tasks;
    Queue m_queue;
    TaskId m_nextId = 1;
    std::optional<TaskId> m_running;
    // Declared last: the worker starts once everything it uses exists, and stops first.
    std::jthread m_worker;
};

} // namespace tarn::input
