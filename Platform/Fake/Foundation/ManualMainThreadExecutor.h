#pragma once

// A main-thread executor for tests: posted tasks wait in a queue until the test's own thread
// calls runPending(), so the test thread plays the main thread. Posting is safe from any thread.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

#include "TarnKit/Foundation/MainThreadExecutor.h"

namespace tarn {

class ManualMainThreadExecutor final : public MainThreadExecutor {
public:
    void post(std::function<void()> task) override;

    // Runs the tasks queued before the call, in order, and returns how many ran. Tasks they post
    // wait for the next call.
    std::size_t runPending();
    std::size_t pendingCount() const;
    // Blocks until at least one task is queued or `timeout` passes; true when one is queued. For
    // work posted from other threads (a window system's event thread).
    bool waitForPending(std::chrono::milliseconds timeout);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};

} // namespace tarn
