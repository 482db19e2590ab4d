#pragma once

// What the Wayland workspace tests share: the activation notices a workspace gave, recorded on
// the adapter's thread, and waiting for a condition that another thread makes true.

#include <chrono>
#include <functional>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

#include "TarnInputCore/Engine/Ports/Workspace.h"

namespace tarn::input {

inline void PrintTo(const FrontmostApplication& application, std::ostream* out)
{
    *out << "{" << (application.bundleID ? application.bundleID->text() : "(none)") << ", "
         << application.name.value_or("(none)") << "}";
}
inline void PrintTo(const RunningApplication& application, std::ostream* out)
{
    *out << "{" << application.bundleID << ", " << application.name << "}";
}

inline bool waitUntil(
    const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

class WorkspaceWatch {
public:
    // A workspace, or anything else that tells of activations the same way.
    template <typename Source>
    explicit WorkspaceWatch(Source& source)
        : m_subscription(source.subscribeActivation([this](const FrontmostApplication& application) {
            std::lock_guard lock(m_mutex);
            m_notices.push_back(application);
        }))
    {
    }

    std::vector<FrontmostApplication> notices() const
    {
        std::lock_guard lock(m_mutex);
        return m_notices;
    }

    // Waits until `count` notices have come.
    bool waitForNotices(std::size_t count) const
    {
        return waitUntil([&] { return notices().size() >= count; });
    }

private:
    mutable std::mutex m_mutex;
    std::vector<FrontmostApplication> m_notices;
    // Declared last: it ends before the notices it writes to.
    Subscription m_subscription;
};

} // namespace tarn::input
