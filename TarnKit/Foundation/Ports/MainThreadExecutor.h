#pragma once

// Runs work later on the program's main thread. Services whose callbacks arrive on their own
// threads (hotkeys, the input engine, desktop notices) hand the work to this port, so that what
// the user wired to them always runs where the interface lives, and always after the call that
// posted it returned.

#include <chrono>
#include <functional>

namespace tarn {

class MainThreadExecutor {
public:
    virtual ~MainThreadExecutor() = default;

    // Queues `task`; safe to call from any thread. The task never runs inside this call, and
    // tasks run in the order they were posted.
    virtual void post(std::function<void()> task) = 0;
    // Queues `task` to run once `delay` has passed on the monotonic clock; safe from any thread.
    virtual void postAfter(std::chrono::milliseconds delay, std::function<void()> task) = 0;
};

} // namespace tarn
