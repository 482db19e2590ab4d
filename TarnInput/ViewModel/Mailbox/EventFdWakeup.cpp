#include "TarnInput/ViewModel/Mailbox/EventFdWakeup.h"

#include <cstdint>
#include <utility>

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

namespace tarn::input {

EventFdWakeup::EventFdWakeup()
    : m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_fd >= 0) {
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { onReadable(); });
    }
}

EventFdWakeup::~EventFdWakeup()
{
    m_notifier.reset();
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

Subscription EventFdWakeup::subscribe(std::function<void()> handler)
{
    m_handler = std::move(handler);
    return Subscription([this] { m_handler = nullptr; });
}

void EventFdWakeup::wake()
{
    // Only fails when the counter would overflow, and then a wake-up is already waiting.
    const std::uint64_t one = 1;
    (void)::write(m_fd, &one, sizeof one);
}

void EventFdWakeup::onReadable()
{
    std::uint64_t count = 0;
    (void)::read(m_fd, &count, sizeof count);
    if (m_handler) {
        m_handler();
    }
}

} // namespace tarn::input
