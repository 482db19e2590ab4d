#pragma once

// Port: injects the program's own events (shortcuts, button clicks, scroll steps) into the
// session's input stream, where the engine's tap sees them again and passes them by their marker.

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

class EventPoster {
public:
    virtual ~EventPoster() = default;
    // Posts one event as given. Never blocks on the tap; callable from any thread.
    virtual void post(const TapEvent& event) = 0;
};

} // namespace tarn::input
