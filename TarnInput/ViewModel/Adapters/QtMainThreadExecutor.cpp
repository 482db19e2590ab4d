#include "TarnInput/ViewModel/Adapters/QtMainThreadExecutor.h"

#include <utility>

#include <QTimer>

namespace tarn::input {

void QtMainThreadExecutor::post(std::function<void()> task)
{
    QMetaObject::invokeMethod(&m_context, std::move(task), Qt::QueuedConnection);
}

void QtMainThreadExecutor::postAfter(std::chrono::milliseconds delay, std::function<void()> task)
{
    // A timer runs on the thread that starts it, so it is started from the main thread.
    post([this, delay, task = std::move(task)]() mutable {
        QTimer::singleShot(delay, Qt::PreciseTimer, &m_context, std::move(task));
    });
}

} // namespace tarn::input
