#include "tools/suitesibling/RunLoop.h"

namespace tarn {

void RunLoop::post(std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_changed.notify_one();
}

void RunLoop::postAfter(std::chrono::milliseconds delay, std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        m_delayed.emplace(Due {std::chrono::steady_clock::now() + delay, m_delayedPosted++}, std::move(task));
    }
    m_changed.notify_one();
}

void RunLoop::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopped) {
        while (!m_delayed.empty() && m_delayed.begin()->first.first <= std::chrono::steady_clock::now()) {
            m_tasks.push_back(std::move(m_delayed.begin()->second));
            m_delayed.erase(m_delayed.begin());
        }
        if (m_tasks.empty()) {
            if (m_delayed.empty()) {
                m_changed.wait(lock);
            } else {
                m_changed.wait_until(lock, m_delayed.begin()->first.first);
            }
            continue;
        }
        auto task = std::move(m_tasks.front());
        m_tasks.pop_front();
        // A task may post again or stop the loop.
        lock.unlock();
        task();
        lock.lock();
    }
}

void RunLoop::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_changed.notify_one();
}

} // namespace tarn
