#pragma once

// Records every posted event in order; a test reads them with `posted()` or drains them with
// `take()`. An optional forward hook lets a harness feed posts back through the tap.

#include <functional>
#include <mutex>
#include <vector>

#include "TarnInputCore/Engine/EventPoster.h"

namespace tarn::input {

class FakeEventPoster final : public EventPoster {
public:
    void post(const TapEvent& event) override
    {
        std::lock_guard lock(m_mutex);
        m_posted.push_back(event);
    }

    std::vector<TapEvent> posted() const
    {
        std::lock_guard lock(m_mutex);
        return m_posted;
    }

    // Everything posted since the last take.
    std::vector<TapEvent> take()
    {
        std::lock_guard lock(m_mutex);
        std::vector<TapEvent> events;
        events.swap(m_posted);
        return events;
    }

    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_posted.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<TapEvent> m_posted;
};

} // namespace tarn::input
