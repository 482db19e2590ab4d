#pragma once

// A workspace whose frontmost and running applications a test sets; counts the engine's
// questions and tells subscribers when the test activates another application.

#include <atomic>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "TarnInputCore/Engine/Ports/Workspace.h"

namespace tarn::input {

class FakeWorkspace final : public Workspace {
public:
    FrontmostApplication frontmostApplication() const override
    {
        ++m_queries;
        std::lock_guard lock(m_mutex);
        return m_frontmost;
    }

    std::vector<RunningApplication> runningApplications() const override
    {
        std::lock_guard lock(m_mutex);
        return m_running;
    }

    Subscription subscribeActivation(ActivationHandler handler) override
    {
        std::lock_guard lock(m_mutex);
        const int id = m_nextSubscriber++;
        m_subscribers.emplace(id, std::move(handler));
        return Subscription([this, id] {
            std::lock_guard lock(m_mutex);
            m_subscribers.erase(id);
        });
    }

    std::optional<WorkspaceLimitation> limitation() const override
    {
        std::lock_guard lock(m_mutex);
        return m_limitation;
    }
    void setLimitation(std::optional<WorkspaceLimitation> limitation)
    {
        std::lock_guard lock(m_mutex);
        m_limitation = limitation;
    }

    // Both absent: nothing in front (the desktop). Subscribers are not told (see `activate`).
    void setFrontmost(std::optional<std::string> bundleID, std::optional<std::string> name = std::nullopt)
    {
        std::lock_guard lock(m_mutex);
        m_frontmost.bundleID = bundleID ? std::optional<ApplicationId>(std::in_place, *bundleID) : std::nullopt;
        m_frontmost.name = std::move(name);
    }

    // Makes an application frontmost and tells every subscriber, as a desktop would.
    void activate(std::optional<std::string> bundleID, std::optional<std::string> name = std::nullopt)
    {
        setFrontmost(std::move(bundleID), std::move(name));
        std::map<int, ActivationHandler> subscribers;
        FrontmostApplication frontmost;
        {
            std::lock_guard lock(m_mutex);
            subscribers = m_subscribers;
            frontmost = m_frontmost;
        }
        for (auto& [id, handler] : subscribers) {
            handler(frontmost);
        }
    }

    void setRunning(std::vector<RunningApplication> running)
    {
        std::lock_guard lock(m_mutex);
        m_running = std::move(running);
    }

    int queryCount() const { return m_queries.load(); }
    int subscriberCount() const
    {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(m_subscribers.size());
    }

private:
    mutable std::mutex m_mutex;
    FrontmostApplication m_frontmost;
    std::vector<RunningApplication> m_running;
    std::optional<WorkspaceLimitation> m_limitation;
    std::map<int, ActivationHandler> m_subscribers;
    int m_nextSubscriber = 0;
    mutable std::atomic<int> m_queries {0};
};

} // namespace tarn::input
