// Key HUD tokens for key-down events (key repeats included). The key event itself always
// continues unchanged: the HUD only watches.

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Engine/KeystrokeFormatter.h"

namespace tarn::input {

void InputEventInterceptorService::setSecureInputState(const SecureInputState& state)
{
    m_secureInput = &state;
}

void InputEventInterceptorService::handleKeyHUD(const TapEvent& event, const InputSettings& settings)
{
    // The secure-input question may cost a call into the desktop: ask only when it matters.
    const bool secure = settings.keyHUDHideInSecureFields && m_secureInput->isSecureInputActive();
    const auto formatted = KeystrokeFormatter::format(event.keyCode,
        KeystrokeFormatter::Modifiers::fromEventFlags(event.flags), settings.keyHUDShortcutsOnly, secure);
    if (!formatted || !m_callbacks.onKeystrokeToken) {
        return;
    }
    m_callbacks.onKeystrokeToken(
        KeyHUDToken {Uuid::random(), formatted->label, formatted->isShortcut, m_ports.clock.wallNow()});
}

} // namespace tarn::input
