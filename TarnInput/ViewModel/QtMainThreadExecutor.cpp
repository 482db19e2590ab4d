#include "TarnInput/ViewModel/QtMainThreadExecutor.h"

#include <utility>

namespace tarn::input {

void QtMainThreadExecutor::post(std::function<void()> task)
{
    QMetaObject::invokeMethod(&m_context, std::move(task), Qt::QueuedConnection);
}

} // namespace tarn::input
