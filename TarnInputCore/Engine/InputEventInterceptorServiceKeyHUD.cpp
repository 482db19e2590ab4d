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
    if (!m_callbacks.onKeystrokeToken) {
        return;
    }
    // The secure-input question may cost a call into the desktop: ask only when it matters.
    const bool secure = settings.keyHUDHideInSecureFields && m_secureInput->isSecureInputActive();
    const auto modifiers = KeystrokeFormatter::Modifiers::fromEventFlags(event.flags);
    const auto isShortcut
        = KeystrokeFormatter::tokenIsShortcut(event.keyCode, modifiers, settings.keyHUDShortcutsOnly, secure);
    if (!isShortcut) {
        return;
    }
    // Built in a token kept for the tap thread: its text has room for any label.
    // Drawn from a sequence seeded once: a random identity per key would cost a system call.
    m_tapToken.id = m_tokenIds.next();
    m_tapToken.text.clear();
    KeystrokeFormatter::appendLabel(m_tapToken.text, event.keyCode, modifiers);
    m_tapToken.isShortcut = *isShortcut;
    m_tapToken.timestamp = m_ports.clock.wallNow();
    m_callbacks.onKeystrokeToken(m_tapToken);
}

} // namespace tarn::input
