#pragma once

// Wakes the Qt main thread through an eventfd: a wake-up is one write of a counter, which neither
// allocates nor takes a lock, and the main thread's event loop, watching the descriptor, reads it
// back to zero and runs the handler once however many wake-ups came since. Create it on the main
// thread once a QCoreApplication exists.

#include <memory>

#include "TarnInput/ViewModel/Mailbox/MainThreadWakeup.h"

class QSocketNotifier;

namespace tarn::input {

class EventFdWakeup final : public MainThreadWakeup {
public:
    EventFdWakeup();
    ~EventFdWakeup() override;
    EventFdWakeup(const EventFdWakeup&) = delete;
    EventFdWakeup& operator=(const EventFdWakeup&) = delete;

    Subscription subscribe(std::function<void()> handler) override;
    void wake() override;

private:
    void onReadable();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_handler;
};

} // namespace tarn::input
