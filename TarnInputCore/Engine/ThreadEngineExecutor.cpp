#include "TarnInputCore/Engine/ThreadEngineExecutor.h"

#include <algorithm>

namespace tarn::input {

ThreadEngineExecutor::ThreadEngineExecutor()
    : m_worker([this](std::stop_token stop) { work(stop); })
{
}

ThreadEngineExecutor::~ThreadEngineExecutor()
{
    m_worker.request_stop();
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

EngineExecutor::TaskId ThreadEngineExecutor::scheduleAfter(std::chrono::nanoseconds delay, std::function<void()> task)
{
    return add(std::chrono::steady_clock::now() + delay, std::chrono::nanoseconds {0}, std::move(task));
}

EngineExecutor::TaskId ThreadEngineExecutor::scheduleRepeating(
    std::chrono::nanoseconds firstDelay, std::chrono::nanoseconds period, std::function<void()> task)
{
    // A period of zero or less would spin the worker: such a task runs once.
    return add(
        std::chrono::steady_clock::now() + firstDelay, std::max(period, std::chrono::nanoseconds {0}), std::move(task));
}

EngineExecutor::TaskId ThreadEngineExecutor::add(Time due, std::chrono::nanoseconds period, std::function<void()> task)
{
    TaskId id = 0;
    bool isFirst = false;
    {
        std::lock_guard lock(m_mutex);
        id = m_nextId++;
        m_tasks.emplace(id, Task {due, period, std::move(task)});
        const auto position = m_queue.emplace(due, id).first;
        isFirst = position == m_queue.begin();
    }
    if (isFirst) {
        m_wake.notify_all();
    }
    return id;
}

void ThreadEngineExecutor::cancel(TaskId id)
{
    std::unique_lock lock(m_mutex);
    if (const auto found = m_tasks.find(id); found != m_tasks.end()) {
        m_queue.erase({found->second.due, id});
        m_tasks.erase(found);
    }
    // A task cancelling itself must not wait for its own end.
    if (std::this_thread::get_id() != m_worker.get_id()) {
        m_taskFinished.wait(lock, [&] { return m_running != id; });
    }
}

void ThreadEngineExecutor::work(std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    while (!stop.stop_requested()) {
        if (m_queue.empty()) {
            m_wake.wait(lock, stop, [&] { return !m_queue.empty(); });
            continue;
        }
        const auto [due, id] = *m_queue.begin();
        if (std::chrono::steady_clock::now() < due) {
            // Wakes early when an earlier task arrives or the executor stops.
            m_wake.wait_until(lock, stop, due, [&] { return m_queue.empty() || m_queue.begin()->first < due; });
            continue;
        }
        m_queue.erase(m_queue.begin());
        auto& task = m_tasks.at(id);
        // Moved out while it runs, so a task that cancels or reschedules itself is safe.
        auto run = std::move(task.run);
        const auto period = task.period;
        if (period == std::chrono::nanoseconds {0}) {
            m_tasks.erase(id);
        }
        m_running = id;
        lock.unlock();
        run();
        lock.lock();
        m_running.reset();
        if (const auto found = m_tasks.find(id); found != m_tasks.end()) {
            // Still scheduled (not cancelled while it ran). Frames missed while the machine was busy
            // are not made up for with a burst: at most one late frame runs at once.
            auto& next = found->second;
            const auto now = std::chrono::steady_clock::now();
            next.due = std::max(due + period, now);
            next.run = std::move(run);
            m_queue.emplace(next.due, id);
        }
        m_taskFinished.notify_all();
    }
}

} // namespace tarn::input
