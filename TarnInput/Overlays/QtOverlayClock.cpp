#include "TarnInput/Overlays/QtOverlayClock.h"

#include <QTimer>

namespace tarn::input {

namespace {

class QtTimer final : public OverlayClock::Timer {
public:
    QtTimer(std::chrono::nanoseconds delay, std::function<void()> task)
        : m_timer(new QTimer)
    {
        m_timer->setSingleShot(true);
        m_timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, std::move(task));
        m_timer->start(std::chrono::ceil<std::chrono::milliseconds>(delay));
    }

    // The task may destroy this handle while its timer is still emitting, so the timer is only
    // stopped here and freed once control is back in the event loop.
    ~QtTimer() override
    {
        m_timer->stop();
        m_timer->deleteLater();
    }

    QtTimer(const QtTimer&) = delete;
    QtTimer& operator=(const QtTimer&) = delete;

private:
    QTimer* m_timer;
};

} // namespace

MonotonicTime QtOverlayClock::now() const
{
    return std::chrono::steady_clock::now();
}

std::unique_ptr<OverlayClock::Timer> QtOverlayClock::callAfter(
    std::chrono::nanoseconds delay, std::function<void()> task)
{
    return std::make_unique<QtTimer>(delay, std::move(task));
}

} // namespace tarn::input
