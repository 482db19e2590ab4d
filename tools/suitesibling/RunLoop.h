#pragma once

// The sibling program's main thread: it runs posted tasks, and delayed ones once due, until
// stopped. Posting and stopping are safe from any thread.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <utility>

#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"

namespace tarn {

class RunLoop final : public MainThreadExecutor {
public:
    void post(std::function<void()> task) override;
    void postAfter(std::chrono::milliseconds delay, std::function<void()> task) override;

    // Runs tasks on the calling thread until stop().
    void run();
    void stop();

private:
    using Due = std::pair<std::chrono::steady_clock::time_point, std::uint64_t>;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_tasks;
    std::map<Due, std::function<void()>> m_delayed;
    std::uint64_t m_delayedPosted = 0;
    bool m_stopped = false;
};

} // namespace tarn
