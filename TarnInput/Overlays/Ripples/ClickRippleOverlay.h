#pragma once

// The click ripples: each press gets a halo of its own in a window 68 × 68 centred on the pointer,
// which animates for 0.34 s and is taken off the screen 0.38 s after the press. Nothing is queued;
// a fast double click shows two halos at once. The windows are kept and reused: making a native
// window costs the window system a round of work (and Qt's title setting reads the locale
// tables), so a new one is made only while every window made so far shows a halo.

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
    // The windows made so far, on screen or waiting: as many as were ever on screen at once.
    std::size_t windowCount() const { return m_windows.size(); }

private:
    struct Ripple;

    ClickRippleHaloView& idleWindow();
    void advance(Ripple& ripple);
    void remove(const Ripple& ripple);

    OverlayClock& m_clock;
    OverlayScreens& m_screens;
    OverlayWindowManager& m_windowManager;
    std::vector<std::unique_ptr<ClickRippleHaloView>> m_windows;
    // Hidden, ready for the next press; the last one hidden is used first.
    std::vector<ClickRippleHaloView*> m_idle;
    // Last: their timers run code that uses the windows, so they go first.
    std::list<Ripple> m_ripples;
};

} // namespace tarn::input
