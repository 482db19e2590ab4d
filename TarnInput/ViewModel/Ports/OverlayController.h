#pragma once

// Port: what the view model tells the on-screen overlays, the key HUD and the click ripples.
// Called on the main thread only. The overlays do not read the settings: every push carries the
// HUD's current position and duration.

#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"
#include "TarnInputCore/Model/Keys/KeyHUDToken.h"
#include "TarnInputCore/Model/Pointer/ClickRippleEvent.h"

namespace tarn::input {

class OverlayController {
public:
    virtual ~OverlayController() = default;

    // Shows one more key token; the HUD hides `durationSeconds` (at least 0.6 s) after the last.
    virtual void push(const KeyHUDToken& token, KeyHUDPosition position, double durationSeconds) = 0;
    // Shows one short ripple around the point.
    virtual void showClickRipple(const ClickRippleEvent& event) = 0;
};

} // namespace tarn::input
