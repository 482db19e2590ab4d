#pragma once

// Time for the overlays: the monotonic now, and one-shot calls on the main thread. A port, so that
// tests drive the key HUD's hide timer and the ripple animation on a virtual clock.

#include <chrono>
#include <functional>
#include <memory>

#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn::input {

class OverlayClock {
public:
    // A pending call; destroying it before the call ran cancels the call.
    class Timer {
    public:
        virtual ~Timer() = default;
    };

    virtual ~OverlayClock() = default;

    virtual MonotonicTime now() const = 0;
    // Runs `task` once on the main thread when `delay` has passed. The task may destroy its own
    // timer.
    [[nodiscard]] virtual std::unique_ptr<Timer> callAfter(std::chrono::nanoseconds delay, std::function<void()> task)
        = 0;
};

} // namespace tarn::input
