#include "TarnInput/ViewModel/Adapters/QtMainThreadTimers.h"

#include <utility>

#include <QPointer>
#include <QTimer>

namespace tarn::input {

Subscription QtMainThreadTimers::scheduleRepeating(std::chrono::milliseconds period, std::function<void()> tick)
{
    return start(period, false, std::move(tick));
}

Subscription QtMainThreadTimers::scheduleOnce(std::chrono::milliseconds delay, std::function<void()> fire)
{
    return start(delay, true, std::move(fire));
}

Subscription QtMainThreadTimers::start(std::chrono::milliseconds interval, bool singleShot, std::function<void()> work)
{
    auto* timer = new QTimer(&m_owner);
    timer->setSingleShot(singleShot);
    QObject::connect(timer, &QTimer::timeout, timer, std::move(work));
    timer->start(interval);
    return Subscription([timer = QPointer<QTimer>(timer)] {
        if (timer) {
            // Stopped at once; deleted later, since the handle may be dropped inside its own timeout.
            timer->stop();
            timer->deleteLater();
        }
    });
}

} // namespace tarn::input
