#pragma once

// Posts work to the Qt main thread's event loop. Create it on the main thread; tasks posted after
// it is destroyed are dropped, and so are delayed tasks not yet due.

#include <QObject>

#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"

namespace tarn::input {

class QtMainThreadExecutor final : public MainThreadExecutor {
public:
    void post(std::function<void()> task) override;
    void postAfter(std::chrono::milliseconds delay, std::function<void()> task) override;

private:
    // The queued calls and timers are bound to this object: Qt drops them when it is gone.
    QObject m_context;
};

} // namespace tarn::input
