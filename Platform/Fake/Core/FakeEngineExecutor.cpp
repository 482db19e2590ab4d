#include "Platform/Fake/Core/FakeEngineExecutor.h"

#include <optional>

namespace tarn::input {

FakeEngineExecutor::FakeEngineExecutor(FakeClock& clock)
    : m_clock(clock)
{
}

EngineExecutor::TaskId FakeEngineExecutor::scheduleAfter(std::chrono::nanoseconds delay, std::function<void()> task)
{
    std::lock_guard lock(m_mutex);
    const auto id = m_nextId++;
    m_tasks.emplace(id, Task {m_clock.now() + delay, std::chrono::nanoseconds {0}, std::move(task)});
    return id;
}

EngineExecutor::TaskId FakeEngineExecutor::scheduleRepeating(
    std::chrono::nanoseconds firstDelay, std::chrono::nanoseconds period, std::function<void()> task)
{
    std::lock_guard lock(m_mutex);
    const auto id = m_nextId++;
    m_tasks.emplace(id, Task {m_clock.now() + firstDelay, period, std::move(task)});
    return id;
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
                if (task.due <= target && (!nextId || task.due < m_tasks.at(*nextId).due)) {
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

} // namespace tarn::input
