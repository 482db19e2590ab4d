#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"

#include <utility>

namespace tarn {

void ManualMainThreadExecutor::post(std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_posted.notify_all();
}

void ManualMainThreadExecutor::postAfter(std::chrono::milliseconds delay, std::function<void()> task)
{
    std::lock_guard lock(m_mutex);
    m_delayed.emplace(std::pair {m_now + delay, m_delayedPosted++}, std::move(task));
}

std::size_t ManualMainThreadExecutor::runPending()
{
    std::deque<std::function<void()>> due;
    {
        std::lock_guard lock(m_mutex);
        due.swap(m_tasks);
    }
    // Run without the lock, so that a task may post again.
    for (auto& task : due) {
        if (task) {
            task();
        }
    }
    return due.size();
}

std::size_t ManualMainThreadExecutor::pendingCount() const
{
    std::lock_guard lock(m_mutex);
    return m_tasks.size();
}

void ManualMainThreadExecutor::advance(std::chrono::milliseconds step)
{
    {
        std::lock_guard lock(m_mutex);
        m_now += step;
        while (!m_delayed.empty() && m_delayed.begin()->first.first <= m_now) {
            m_tasks.push_back(std::move(m_delayed.begin()->second));
            m_delayed.erase(m_delayed.begin());
        }
    }
    m_posted.notify_all();
}

std::size_t ManualMainThreadExecutor::delayedCount() const
{
    std::lock_guard lock(m_mutex);
    return m_delayed.size();
}

bool ManualMainThreadExecutor::waitForPending(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_posted.wait_for(lock, timeout, [this] { return !m_tasks.empty(); });
}

} // namespace tarn
