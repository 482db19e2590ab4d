#pragma once

// Main-thread timers on QTimer. Create and use it on the main thread; a handle destroyed after the
// scheduler is harmless.

#include <QObject>

#include "TarnInput/ViewModel/Ports/MainThreadTimers.h"

namespace tarn::input {

class QtMainThreadTimers final : public MainThreadTimers {
public:
    Subscription scheduleRepeating(std::chrono::milliseconds period, std::function<void()> tick) override;
    Subscription scheduleOnce(std::chrono::milliseconds delay, std::function<void()> fire) override;

private:
    Subscription start(std::chrono::milliseconds interval, bool singleShot, std::function<void()> work);

    // Parent of every timer, so none outlives the scheduler.
    QObject m_owner;
};

} // namespace tarn::input
