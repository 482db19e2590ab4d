#pragma once

// Port: what the view model needs to know about the displays: where the pointer is.

#include "TarnInputCore/Model/Pointer/ClickRippleEvent.h"

namespace tarn::input {

class Screens {
public:
    virtual ~Screens() = default;
    // Global coordinates of the overlays (top-left origin, y downward, logical pixels).
    virtual ClickRippleEvent::Point pointerLocation() const = 0;
};

} // namespace tarn::input
