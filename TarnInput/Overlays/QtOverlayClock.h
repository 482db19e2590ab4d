#pragma once

// The overlay clock of the running program: the steady clock, and calls made by precise Qt timers
// on the thread's event loop.

#include "TarnInput/Overlays/OverlayClock.h"

namespace tarn::input {

class QtOverlayClock final : public OverlayClock {
public:
    MonotonicTime now() const override;
    [[nodiscard]] std::unique_ptr<Timer> callAfter(std::chrono::nanoseconds delay, std::function<void()> task) override;
};

} // namespace tarn::input
