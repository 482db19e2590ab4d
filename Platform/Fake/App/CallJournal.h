#pragma once

// One ordered record of the calls that a test's fakes receive, shared by all of them, so a test
// can compare a whole sequence ("workspace.frontmost", "tap.create", …) at once. Thread-safe.

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace tarn {

class CallJournal {
public:
    void record(std::string entry)
    {
        std::lock_guard lock(m_mutex);
        m_entries.push_back(std::move(entry));
    }
    std::vector<std::string> entries() const
    {
        std::lock_guard lock(m_mutex);
        return m_entries;
    }
    // The entries recorded since the last call.
    std::vector<std::string> take()
    {
        std::lock_guard lock(m_mutex);
        return std::exchange(m_entries, {});
    }
    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_entries.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_entries;
};

} // namespace tarn
