#pragma once

// Port: injects the program's own events (shortcuts, button clicks, scroll steps) into the
// session's input stream, where the engine's tap sees them again and passes them by their marker.

#include <cstdint>
#include <string_view>

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

class EventPoster {
public:
    virtual ~EventPoster() = default;
    // Posts one event as given. Never blocks on the tap; callable from any thread.
    virtual void post(const TapEvent& event) = 0;
    // Types `utf8` as one key press and release that carry the text instead of a key (key code 0,
    // no modifier flags), marked with `sourceUserData` like `post`. The text is valid UTF-8, at
    // most 16 UTF-16 units long, and never splits a character. Same rules as `post`.
    virtual void postText(std::string_view utf8, std::int64_t sourceUserData) = 0;
};

} // namespace tarn::input
