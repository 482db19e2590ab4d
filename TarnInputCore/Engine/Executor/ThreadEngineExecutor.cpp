#include "TarnInputCore/Engine/Executor/ThreadEngineExecutor.h"

#include <algorithm>

namespace tarn::input {

namespace {

constexpr std::chrono::nanoseconds kNoPeriod {0};

} // namespace

ThreadEngineExecutor::ThreadEngineExecutor()
    : m_worker([this](std::stop_token stop) { work(stop); })
{
}

ThreadEngineExecutor::~ThreadEngineExecutor()
{
    m_worker.request_stop();
    wake();
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

EngineExecutor::TaskId ThreadEngineExecutor::scheduleAfter(std::chrono::nanoseconds delay, std::function<void()> task)
{
    return add(std::chrono::steady_clock::now() + delay, kNoPeriod, std::move(task), false);
}

EngineExecutor::TaskId ThreadEngineExecutor::scheduleRepeating(
    std::chrono::nanoseconds firstDelay, std::chrono::nanoseconds period, std::function<void()> task)
{
    // A period of zero or less would spin the worker: such a task runs once.
    return add(std::chrono::steady_clock::now() + firstDelay, std::max(period, kNoPeriod), std::move(task), false);
}

EngineExecutor::TaskId ThreadEngineExecutor::addDormant(std::chrono::nanoseconds period, std::function<void()> task)
{
    return add(Time {}, std::max(period, kNoPeriod), std::move(task), true);
}

EngineExecutor::TaskId ThreadEngineExecutor::add(
    Time due, std::chrono::nanoseconds period, std::function<void()> task, bool dormant)
{
    TaskId id = 0;
    bool isFirst = false;
    {
        std::lock_guard lock(m_mutex);
        id = m_nextId++;
        Task made;
        made.due = due;
        made.period = period;
        made.run = std::move(task);
        made.dormant = dormant;
        made.armed = !dormant;
        auto& added = m_tasks.emplace(id, std::move(made)).first->second;
        // The entry is made here, where allocating is fine, and kept for the task's whole life.
        auto entry = m_queue.extract(m_queue.emplace(due, id).first);
        if (dormant) {
            added.spareEntry = std::move(entry);
        } else {
            isFirst = enqueue(id, added, std::move(entry));
        }
    }
    if (isFirst) {
        wake();
    }
    return id;
}

bool ThreadEngineExecutor::enqueue(TaskId id, Task& task, Queue::node_type entry)
{
    entry.value() = {task.due, id};
    const auto position = m_queue.insert(std::move(entry)).position;
    task.queued = true;
    return position == m_queue.begin();
}

void ThreadEngineExecutor::arm(TaskId id, std::chrono::nanoseconds firstDelay)
{
    const ArmingChange change {.id = id, .due = std::chrono::steady_clock::now() + firstDelay, .arms = true};
    // The worker itself applies it right after the task.
    if (queueChange(change) && !onWorker()) {
        wake();
    }
}

void ThreadEngineExecutor::disarm(TaskId id)
{
    // From another thread the worker drops the task's entry at once, rather than wake for its old
    // due time; the worker itself applies it right after the task.
    if (queueChange({.id = id, .due = {}, .arms = false}) && !onWorker()) {
        wake();
    }
}

bool ThreadEngineExecutor::onWorker() const
{
    return std::this_thread::get_id() == m_worker.get_id();
}

bool ThreadEngineExecutor::queueChange(ArmingChange change)
{
    if (m_armingChanges.push(change)) {
        return true;
    }
    // Only a worker stalled for hundreds of changes gets here: applied at once, in order, rather
    // than lost.
    std::lock_guard lock(m_mutex);
    applyArmingChanges();
    if (change.arms) {
        applyArm(change.id, change.due);
        wake();
    } else {
        applyDisarm(change.id);
    }
    return false;
}

void ThreadEngineExecutor::wake()
{
    if (m_wakePending.exchange(true)) {
        return;
    }
    // The worker reads the flag under this mutex before it sleeps: once we have passed through it,
    // the worker has either not looked yet (and will see the flag) or is asleep (and gets the
    // signal).
    {
        std::lock_guard passThrough(m_wakeMutex);
    }
    m_wakeSignal.notify_one();
}

void ThreadEngineExecutor::waitForWake(std::optional<Time> until)
{
    std::unique_lock lock(m_wakeMutex);
    const auto woken = [this] { return m_wakePending.load(); };
    if (until) {
        (void)m_wakeSignal.wait_until(lock, *until, woken);
    } else {
        m_wakeSignal.wait(lock, woken);
    }
    // Cleared before the worker looks again, so that a change queued from now on wakes it again.
    m_wakePending.store(false);
}

void ThreadEngineExecutor::applyArmingChanges()
{
    while (const auto change = m_armingChanges.pop()) {
        if (change->arms) {
            applyArm(change->id, change->due);
        } else {
            applyDisarm(change->id);
        }
    }
}

void ThreadEngineExecutor::applyArm(TaskId id, Time due)
{
    const auto found = m_tasks.find(id);
    if (found == m_tasks.end() || found->second.armed) {
        return;
    }
    auto& task = found->second;
    task.armed = true;
    ++task.armings;
    task.due = due;
    // While the task runs the worker holds its entry and queues it when the run ends.
    if (!task.spareEntry.empty()) {
        (void)enqueue(id, task, std::move(task.spareEntry));
    }
}

void ThreadEngineExecutor::applyDisarm(TaskId id)
{
    const auto found = m_tasks.find(id);
    if (found == m_tasks.end()) {
        return;
    }
    auto& task = found->second;
    task.armed = false;
    if (task.queued) {
        task.spareEntry = m_queue.extract({task.due, id});
        task.queued = false;
    }
}

void ThreadEngineExecutor::cancel(TaskId id)
{
    std::unique_lock lock(m_mutex);
    // A change queued for it before must not outlive it.
    applyArmingChanges();
    if (const auto found = m_tasks.find(id); found != m_tasks.end()) {
        if (found->second.queued) {
            m_queue.erase({found->second.due, id});
        }
        m_tasks.erase(found);
    }
    // A task cancelling itself must not wait for its own end.
    if (!onWorker()) {
        m_taskFinished.wait(lock, [&] { return m_running != id; });
    }
}

void ThreadEngineExecutor::work(std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    while (!stop.stop_requested()) {
        applyArmingChanges();
        if (m_queue.empty()) {
            lock.unlock();
            waitForWake(std::nullopt);
            lock.lock();
            continue;
        }
        // Plain copies, not structured bindings: clang 14 cannot capture a binding in a lambda.
        const auto due = m_queue.begin()->first;
        const auto id = m_queue.begin()->second;
        if (std::chrono::steady_clock::now() < due) {
            // Wakes early when something changes or the executor stops.
            lock.unlock();
            waitForWake(due);
            lock.lock();
            continue;
        }
        auto entry = m_queue.extract(m_queue.begin());
        auto& task = m_tasks.at(id);
        task.queued = false;
        // Moved out while it runs, so a task that cancels or reschedules itself is safe.
        auto run = std::move(task.run);
        const auto period = task.period;
        const bool dormant = task.dormant;
        if (dormant && period == kNoPeriod) {
            // This run uses up the arming: an arming while it runs asks for one more run.
            task.armed = false;
        }
        const auto armings = task.armings;
        if (!dormant && period == kNoPeriod) {
            m_tasks.erase(id);
        }
        m_running = id;
        lock.unlock();
        run();
        lock.lock();
        // An arming while it ran asks for one more run.
        applyArmingChanges();
        m_running.reset();
        if (const auto found = m_tasks.find(id); found != m_tasks.end()) {
            // Still known (not cancelled while it ran).
            auto& next = found->second;
            next.run = std::move(run);
            const bool rearmed = next.armings != armings;
            if (next.armed && !rearmed) {
                // Frames missed while the machine was busy are not made up for with a burst: at
                // most one late frame runs at once.
                next.due = std::max(due + period, std::chrono::steady_clock::now());
            }
            if (next.armed) {
                (void)enqueue(id, next, std::move(entry));
            } else {
                next.spareEntry = std::move(entry);
            }
        }
        m_taskFinished.notify_all();
    }
}

} // namespace tarn::input
