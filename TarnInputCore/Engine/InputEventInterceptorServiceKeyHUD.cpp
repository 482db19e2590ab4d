// Key HUD tokens for key-down events; `KeyHUDTokenizer` decides and builds them.

#include "TarnInputCore/Engine/InputEventInterceptorService.h"

namespace tarn::input {

void InputEventInterceptorService::setSecureInputState(const SecureInputState& state)
{
    m_keyHUD.setSecureInputState(state);
}

void InputEventInterceptorService::handleKeyHUD(const TapEvent& event, const InputSettings& settings)
{
    if (!m_callbacks.onKeystrokeToken) {
        return;
    }
    if (const auto* token = m_keyHUD.tokenFor(event, settings, m_ports.clock)) {
        report(m_callbacks.onKeystrokeToken, *token);
    }
}

} // namespace tarn::input
