#include "TarnKit/Foundation/Basics/NotificationCenter.h"

#include <algorithm>
#include <atomic>

namespace tarn {

struct NotificationCenter::Observer {
    std::string name;
    Handler handler;
    std::atomic<bool> active {true};
};

NotificationCenter& NotificationCenter::shared()
{
    static NotificationCenter center;
    return center;
}

Subscription NotificationCenter::observe(std::string name, Handler handler)
{
    auto observer = std::make_shared<Observer>();
    observer->name = std::move(name);
    observer->handler = std::move(handler);
    {
        std::lock_guard lock(m_mutex);
        m_observers.push_back(observer);
    }
    return Subscription([this, weak = std::weak_ptr<Observer>(observer)] {
        auto subscribed = weak.lock();
        if (!subscribed) {
            return;
        }
        subscribed->active = false;
        std::lock_guard lock(m_mutex);
        std::erase(m_observers, subscribed);
    });
}

void NotificationCenter::post(std::string_view name, const nlohmann::json& userInfo)
{
    std::vector<std::shared_ptr<Observer>> matching;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& observer : m_observers) {
            if (observer->name == name) {
                matching.push_back(observer);
            }
        }
    }
    const Notification notification {std::string(name), userInfo};
    for (const auto& observer : matching) {
        // An observer cancelled by an earlier handler of this same post is not called.
        if (observer->active) {
            observer->handler(notification);
        }
    }
}

} // namespace tarn
