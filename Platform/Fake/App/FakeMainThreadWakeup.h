#pragma once

// Wake-ups for tests: each one posts the handler to a main-thread executor (a manual one plays
// the main thread), and they are counted.

#include <atomic>
#include <functional>

#include "TarnInput/ViewModel/Mailbox/MainThreadWakeup.h"
#include "TarnKit/Foundation/Ports/MainThreadExecutor.h"

namespace tarn::input {

class FakeMainThreadWakeup final : public MainThreadWakeup {
public:
    explicit FakeMainThreadWakeup(MainThreadExecutor& mainThread)
        : m_mainThread(mainThread)
    {
    }

    Subscription subscribe(std::function<void()> handler) override
    {
        m_handler = std::move(handler);
        return Subscription([this] { m_handler = nullptr; });
    }

    void wake() override
    {
        ++m_wakeCount;
        m_mainThread.post([this] {
            if (m_handler) {
                m_handler();
            }
        });
    }

    int wakeCount() const { return m_wakeCount.load(); }

private:
    MainThreadExecutor& m_mainThread;
    std::function<void()> m_handler;
    std::atomic<int> m_wakeCount {0};
};

} // namespace tarn::input
