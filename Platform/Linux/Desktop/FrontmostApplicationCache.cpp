#include "Platform/Linux/Desktop/FrontmostApplicationCache.h"

#include <utility>

namespace tarn::input {

FrontmostApplication FrontmostApplicationCache::current() const
{
    std::shared_ptr<const FrontmostApplication> current;
    {
        std::lock_guard lock(m_currentMutex);
        current = m_current;
    }
    return *current;
}

void FrontmostApplicationCache::publish(FrontmostApplication application)
{
    auto current = std::make_shared<const FrontmostApplication>(std::move(application));
    std::shared_ptr<const FrontmostApplication> previous;
    {
        std::lock_guard lock(m_currentMutex);
        previous = std::exchange(m_current, current);
    }
    if (*previous == *current) {
        return;
    }
    std::lock_guard lock(m_handlerMutex);
    for (const auto& [id, handler] : m_handlers) {
        handler(*current);
    }
}

Subscription FrontmostApplicationCache::subscribe(Workspace::ActivationHandler handler)
{
    std::lock_guard lock(m_handlerMutex);
    const int id = m_nextHandler++;
    m_handlers.emplace(id, std::move(handler));
    return Subscription([this, id] {
        std::lock_guard lock(m_handlerMutex);
        m_handlers.erase(id);
    });
}

} // namespace tarn::input
