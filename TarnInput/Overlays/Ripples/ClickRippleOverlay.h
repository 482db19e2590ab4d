#pragma once

// The click ripples: each press gets a window of its own, 68 × 68 and centred on the pointer,
// whose halo animates for 0.34 s and which is removed 0.38 s after the press. Nothing is reused
// or queued; a fast double click shows two halos at once.

#include <list>
#include <memory>
#include <vector>

#include "TarnInput/Overlays/OverlayClock.h"
#include "TarnInputCore/Model/Pointer/ClickRippleEvent.h"

namespace tarn::input {

class ClickRippleHaloView;
class OverlayScreens;
class OverlayWindowManager;

class ClickRippleOverlay {
public:
    ClickRippleOverlay(OverlayClock& clock, OverlayScreens& screens, OverlayWindowManager& windowManager);
    ~ClickRippleOverlay();
    ClickRippleOverlay(const ClickRippleOverlay&) = delete;
    ClickRippleOverlay& operator=(const ClickRippleOverlay&) = delete;

    // `event.screenPoint` is in the input engine's device pixels; it is converted here, once.
    void show(const ClickRippleEvent& event);

    // Puts the ripples on screen back above other windows: they stay above the key HUD, which
    // rises on every key.
    void raise();

    // The ripple windows on screen, oldest first.
    std::vector<const ClickRippleHaloView*> ripples() const;

private:
    struct Ripple;

    void advance(Ripple& ripple);
    void remove(const Ripple& ripple);

    OverlayClock& m_clock;
    OverlayScreens& m_screens;
    OverlayWindowManager& m_windowManager;
    std::list<Ripple> m_ripples;
};

} // namespace tarn::input
