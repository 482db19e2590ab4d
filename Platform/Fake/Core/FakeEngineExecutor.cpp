#include "Platform/Fake/Core/FakeEngineExecutor.h"

#include <optional>

namespace tarn::input {

FakeEngineExecutor::FakeEngineExecutor(FakeClock& clock)
    : m_clock(clock)
{
}

EngineExecutor::TaskId FakeEngineExecutor::add(Task task)
{
    std::lock_guard lock(m_mutex);
    const auto id = m_nextId++;
    m_tasks.emplace(id, std::move(task));
    return id;
}

EngineExecutor::TaskId FakeEngineExecutor::scheduleAfter(std::chrono::nanoseconds delay, std::function<void()> task)
{
    return add(Task {m_clock.now() + delay, std::chrono::nanoseconds {0}, std::move(task)});
}

EngineExecutor::TaskId FakeEngineExecutor::scheduleRepeating(
    std::chrono::nanoseconds firstDelay, std::chrono::nanoseconds period, std::function<void()> task)
{
    return add(Task {m_clock.now() + firstDelay, period, std::move(task)});
}

EngineExecutor::TaskId FakeEngineExecutor::addDormant(std::chrono::nanoseconds period, std::function<void()> task)
{
    return add(Task {m_clock.now(), period, std::move(task), true, false});
}

void FakeEngineExecutor::arm(TaskId id, std::chrono::nanoseconds firstDelay)
{
    std::lock_guard lock(m_mutex);
    const auto found = m_tasks.find(id);
    if (found != m_tasks.end() && !found->second.armed) {
        found->second.armed = true;
        found->second.due = m_clock.now() + firstDelay;
    }
}

void FakeEngineExecutor::disarm(TaskId id)
{
    std::lock_guard lock(m_mutex);
    if (const auto found = m_tasks.find(id); found != m_tasks.end()) {
        found->second.armed = false;
    }
}

void FakeEngineExecutor::cancel(TaskId id)
{
    std::lock_guard lock(m_mutex);
    m_tasks.erase(id);
}

void FakeEngineExecutor::advance(std::chrono::nanoseconds step)
{
    const auto target = m_clock.now() + step;
    for (;;) {
        std::optional<TaskId> nextId;
        std::function<void()> run;
        {
            std::lock_guard lock(m_mutex);
            for (const auto& [id, task] : m_tasks) {
                if (task.armed && task.due <= target && (!nextId || task.due < m_tasks.at(*nextId).due)) {
                    nextId = id;
                }
            }
            if (!nextId) {
                break;
            }
            auto& task = m_tasks.at(*nextId);
            if (task.due > m_clock.now()) {
                m_clock.advance(task.due - m_clock.now());
            }
            run = task.run;
            if (task.period > std::chrono::nanoseconds {0}) {
                task.due += task.period;
            } else if (task.dormant) {
                // One run per arming; arming it while it runs asks for another.
                task.armed = false;
            } else {
                m_tasks.erase(*nextId);
            }
        }
        run();
    }
    if (target > m_clock.now()) {
        m_clock.advance(target - m_clock.now());
    }
}

std::size_t FakeEngineExecutor::pendingCount() const
{
    std::lock_guard lock(m_mutex);
    return m_tasks.size();
}

std::size_t FakeEngineExecutor::armedCount() const
{
    std::lock_guard lock(m_mutex);
    std::size_t armed = 0;
    for (const auto& [id, task] : m_tasks) {
        armed += task.armed ? 1 : 0;
    }
    return armed;
}

} // namespace tarn::input
