#pragma once

// Port: the system-wide stream of mouse and keyboard events. While a tap exists every event of the
// tapped types goes to the handler on the tap's own thread, and the handler's verdict decides
// whether it reaches applications.

#include <cstdint>

#include "TarnInputCore/Engine/TapEvent.h"

namespace tarn::input {

class EventTapHandler {
public:
    // Called on the tap thread for every tapped event and for the notices; after the events and
    // notices of one wake-up of the tap thread, a `tapFramesOut` notice follows. May modify the
    // event before passing it on.
    virtual TapVerdict handleTapEvent(TapEvent& event) = 0;

protected:
    ~EventTapHandler() = default;
};

class EventTap {
public:
    virtual ~EventTap() = default;

    // Creates the tap for the types in `eventMask`, delivering to `handler`. Nothing is delivered
    // before `enable()`. False when the system refuses (the process may not read or grab the input
    // devices); no state changes then.
    [[nodiscard]] virtual bool create(std::uint64_t eventMask, EventTapHandler& handler) = 0;
    // Starts (or, after a tap-disabled notice, resumes) delivery.
    virtual void enable() = 0;
    // From any thread: the handler soon gets a `tapWoken` notice on the tap thread, also while
    // delivery is off, so that requests left for that thread do not wait for the next input.
    // Several wake-ups before the notice may make one notice. Does nothing without a tap.
    virtual void wake() = 0;
    // Stops delivery and forgets the handler. When it returns no handler call is running and none
    // will follow, unless it is called from inside a handler call on the tap thread itself.
    virtual void destroy() = 0;
};

} // namespace tarn::input
