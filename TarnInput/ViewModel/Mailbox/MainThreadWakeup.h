#pragma once

// Port: lets any thread, the input thread included, ask the main thread to run a handler soon,
// without allocating, taking a lock or waiting. Asks made before the handler runs may be merged
// into one run.

#include <functional>

#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn::input {

class MainThreadWakeup {
public:
    virtual ~MainThreadWakeup() = default;

    // Main thread. `handler` runs there after each wake-up until the handle goes; one subscriber
    // at a time.
    virtual Subscription subscribe(std::function<void()> handler) = 0;
    // Any thread.
    virtual void wake() = 0;
};

} // namespace tarn::input
