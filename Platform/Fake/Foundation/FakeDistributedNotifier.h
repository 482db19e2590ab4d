#pragma once

// An in-memory desktop session for notices: post() records the notice and delivers it to the
// matching observers on the posting thread (the real notifier delivers on a thread of its own,
// which the code under test never relies on). A notifier set unreachable refuses every post, as
// a program without a session bus does.

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "TarnKit/Foundation/Ports/DistributedNotifier.h"

namespace tarn {

class FakeDistributedNotifier final : public DistributedNotifier {
public:
    struct Posted {
        std::string name;
        std::optional<std::string> object;
        bool operator==(const Posted&) const = default;
    };

    bool post(std::string_view name, const std::optional<std::string>& object = std::nullopt) override
    {
        std::vector<std::shared_ptr<Observer>> matching;
        {
            std::lock_guard lock(m_mutex);
            if (!m_reachable) {
                return false;
            }
            m_posted.push_back({std::string(name), object});
            for (const auto& observer : m_observers) {
                if (observer->name == name) {
                    matching.push_back(observer);
                }
            }
        }
        for (const auto& observer : matching) {
            if (observer->active) {
                observer->handler(object);
            }
        }
        return true;
    }

    Subscription observe(std::string name, Handler handler) override
    {
        auto observer = std::make_shared<Observer>();
        observer->name = std::move(name);
        observer->handler = std::move(handler);
        std::lock_guard lock(m_mutex);
        m_observers.push_back(observer);
        return Subscription([this, observer] {
            observer->active = false;
            std::lock_guard lock(m_mutex);
            std::erase(m_observers, observer);
        });
    }

    void setReachable(bool reachable)
    {
        std::lock_guard lock(m_mutex);
        m_reachable = reachable;
    }
    std::vector<Posted> posted() const
    {
        std::lock_guard lock(m_mutex);
        return m_posted;
    }
    std::size_t observerCount(std::string_view name) const
    {
        std::lock_guard lock(m_mutex);
        return static_cast<std::size_t>(std::count_if(
            m_observers.begin(), m_observers.end(), [name](const auto& observer) { return observer->name == name; }));
    }

private:
    struct Observer {
        std::string name;
        Handler handler;
        std::atomic<bool> active {true};
    };

    mutable std::mutex m_mutex;
    bool m_reachable = true;
    std::vector<Posted> m_posted;
    std::vector<std::shared_ptr<Observer>> m_observers;
};

} // namespace tarn
