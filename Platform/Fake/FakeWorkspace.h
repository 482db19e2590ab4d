#pragma once

// A workspace whose frontmost application a test sets; counts the engine's questions.

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "TarnInputCore/Engine/Workspace.h"

namespace tarn::input {

class FakeWorkspace final : public Workspace {
public:
    FrontmostApplication frontmostApplication() const override
    {
        ++m_queries;
        std::lock_guard lock(m_mutex);
        return m_frontmost;
    }

    // Both absent: nothing in front (the desktop).
    void setFrontmost(std::optional<std::string> bundleID, std::optional<std::string> name = std::nullopt)
    {
        std::lock_guard lock(m_mutex);
        m_frontmost = FrontmostApplication {std::move(bundleID), std::move(name)};
    }

    int queryCount() const { return m_queries.load(); }

private:
    mutable std::mutex m_mutex;
    FrontmostApplication m_frontmost;
    mutable std::atomic<int> m_queries {0};
};

} // namespace tarn::input
