#pragma once

// Port: whether secure keyboard input is active system-wide (a password field or another client
// that asked for it). The key HUD shows nothing while it is, so passwords never reach the screen.

namespace tarn::input {

class SecureInputState {
public:
    virtual ~SecureInputState() = default;
    // Asked on the tap thread for each key-down the HUD would show; must answer quickly.
    virtual bool isSecureInputActive() const = 0;

    // For desktops that offer no such signal: the state is unknown and reported as not secure.
    static const SecureInputState& unknown();
};

} // namespace tarn::input
