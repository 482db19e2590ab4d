#pragma once

// In-process notices by name ("com.harrowfen.languageDidChange"). Handlers run synchronously on
// the posting thread, outside the center's lock, so a handler may post or subscribe in turn.

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn {

struct Notification {
    std::string name;
    nlohmann::json userInfo;
};

class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // The process-wide center.
    static NotificationCenter& shared();

    Subscription observe(std::string name, Handler handler);
    void post(std::string_view name, const nlohmann::json& userInfo = nullptr);

private:
    struct Observer;

    std::mutex m_mutex;
    std::vector<std::shared_ptr<Observer>> m_observers;
};

} // namespace tarn
