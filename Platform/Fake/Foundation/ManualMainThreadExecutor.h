#pragma once

// A main-thread executor for tests: posted tasks wait in a queue until the test's own thread
// calls runPending(), so the test thread plays the main thread. Delayed tasks wait on the
// executor's own virtual clock, which moves only by advance(). Posting is safe from any thread.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <utility>

#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"

namespace tarn {

class ManualMainThreadExecutor final : public MainThreadExecutor {
public:
    void post(std::function<void()> task) override;
    void postAfter(std::chrono::milliseconds delay, std::function<void()> task) override;

    // Runs the tasks queued before the call, in order, and returns how many ran. Tasks they post
    // wait for the next call.
    std::size_t runPending();
    std::size_t pendingCount() const;
    // Moves the virtual clock on; delayed tasks now due join the queue in the order they fall
    // due, and run at the next runPending().
    void advance(std::chrono::milliseconds step);
    std::size_t delayedCount() const;
    // Blocks until at least one task is queued or `timeout` passes; true when one is queued. For
    // work posted from other threads (a window system's event thread).
    bool waitForPending(std::chrono::milliseconds timeout);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
    std::chrono::milliseconds m_now {0};
    // By due time, then by the order of posting.
    std::map<std::pair<std::chrono::milliseconds, std::uint64_t>, std::function<void()>> m_delayed;
    std::uint64_t m_delayedPosted = 0;
};

} // namespace tarn
