#pragma once

// The presentation overlays of the studio: the key HUD, a row of the last four keys in a small
// window near a screen edge, and the click ripples. One controller lives as long as the program;
// its window is made on the first key and reused. Each key restarts the hide timer, so the HUD
// stays while keys keep coming and goes max(duration, 0.6) s after the last one. The controller
// does not read the settings: callers pass the position and duration with every key.
//
// Main thread only.

#include <memory>

#include <QSize>

#include "TarnInput/Overlays/KeyHUD/KeyHUDTokenList.h"
#include "TarnInput/Overlays/OverlayClock.h"
#include "TarnInput/Overlays/Ripples/ClickRippleOverlay.h"
#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"
#include "TarnInputCore/Model/Keys/KeyHUDToken.h"
#include "TarnInputCore/Model/Pointer/ClickRippleEvent.h"

namespace tarn::input {

class KeyHUDPillView;
struct OverlayScreen;
class OverlayScreens;
class OverlayWindowManager;

class KeyHUDOverlayController {
public:
    KeyHUDOverlayController(OverlayClock& clock, OverlayScreens& screens, OverlayWindowManager& windowManager);
    ~KeyHUDOverlayController();
    KeyHUDOverlayController(const KeyHUDOverlayController&) = delete;
    KeyHUDOverlayController& operator=(const KeyHUDOverlayController&) = delete;

    // Shows one more key. `position` and `durationSeconds` are the current settings.
    void push(const KeyHUDToken& token, KeyHUDPosition position, double durationSeconds);
    // Shows one ripple; the point is in the input engine's device pixels.
    void showClickRipple(const ClickRippleEvent& event);

    const KeyHUDTokenList& tokens() const { return m_tokens; }
    // The HUD's window; none before the first key.
    const KeyHUDPillView* panel() const { return m_panel.get(); }
    const ClickRippleOverlay& ripples() const { return m_ripples; }

private:
    void createPanel();
    // On the screen under the pointer; where it was when there is none.
    void positionPanel(QSize size, KeyHUDPosition anchor, const OverlayScreen* screen);
    void hide();

    OverlayClock& m_clock;
    OverlayScreens& m_screens;
    OverlayWindowManager& m_windowManager;
    KeyHUDTokenList m_tokens;
    std::unique_ptr<KeyHUDPillView> m_panel;
    ClickRippleOverlay m_ripples;
    // Last: its call uses the members above.
    std::unique_ptr<OverlayClock::Timer> m_dismiss;
};

} // namespace tarn::input
