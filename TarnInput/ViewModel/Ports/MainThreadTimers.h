#pragma once

// Port: timers whose work runs on the main thread (the watcher, the toast). A timer lives as long
// as its handle; once the handle is gone its work never runs again.

#include <chrono>
#include <functional>

#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn::input {

class MainThreadTimers {
public:
    virtual ~MainThreadTimers() = default;

    // Runs `tick` every `period`, first one period from now.
    virtual Subscription scheduleRepeating(std::chrono::milliseconds period, std::function<void()> tick) = 0;
    // Runs `fire` once, `delay` from now.
    virtual Subscription scheduleOnce(std::chrono::milliseconds delay, std::function<void()> fire) = 0;
};

} // namespace tarn::input
