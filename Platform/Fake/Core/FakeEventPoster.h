#pragma once

// Records every posted event in order; a test reads them with `posted()` or drains them with
// `take()`. An optional forward hook lets a harness feed posts back through the tap. Typed text
// runs are kept apart, in order, in `texts()`.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "TarnInputCore/Engine/Ports/EventPoster.h"

namespace tarn::input {

struct PostedText {
    std::string text;
    std::int64_t sourceUserData = 0;
    bool operator==(const PostedText&) const = default;
};

class FakeEventPoster final : public EventPoster {
public:
    void post(const TapEvent& event) override
    {
        std::lock_guard lock(m_mutex);
        m_posted.push_back(event);
    }

    void postText(std::string_view utf8, std::int64_t sourceUserData) override
    {
        std::lock_guard lock(m_mutex);
        m_texts.push_back({std::string(utf8), sourceUserData});
    }

    std::vector<PostedText> texts() const
    {
        std::lock_guard lock(m_mutex);
        return m_texts;
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
        m_texts.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<TapEvent> m_posted;
    std::vector<PostedText> m_texts;
};

} // namespace tarn::input
