#pragma once

// The view model's small desktop ports over Qt: the clipboard, the pointer's place, and the key
// HUD overlay controller. Main thread only.

#include "TarnInput/ViewModel/Ports/OverlayController.h"
#include "TarnInput/ViewModel/Ports/Pasteboard.h"
#include "TarnInput/ViewModel/Ports/Screens.h"

namespace tarn::input {

class KeyHUDOverlayController;

class QtClipboardPasteboard final : public Pasteboard {
public:
    void setText(const std::string& text) override;
};

class QtCursorScreens final : public Screens {
public:
    ClickRippleEvent::Point pointerLocation() const override;
};

class KeyHUDOverlayPort final : public OverlayController {
public:
    // The controller outlives the port.
    explicit KeyHUDOverlayPort(KeyHUDOverlayController& controller)
        : m_controller(controller)
    {
    }
    void push(const KeyHUDToken& token, KeyHUDPosition position, double durationSeconds) override;
    void showClickRipple(const ClickRippleEvent& event) override;

private:
    KeyHUDOverlayController& m_controller;
};

} // namespace tarn::input
