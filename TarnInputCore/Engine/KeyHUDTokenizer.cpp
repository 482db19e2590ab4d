#include "TarnInputCore/Engine/KeyHUDTokenizer.h"

#include <cstddef>

#include "TarnInputCore/Engine/Macros/KeystrokeFormatter.h"

namespace tarn::input {

namespace {

// Longer than any label ("⌃⌥⇧⌘Space" and the longest key names).
constexpr std::size_t kLabelCapacity = 64;

} // namespace

KeyHUDTokenizer::KeyHUDTokenizer()
    : m_secureInput(&SecureInputState::unknown())
{
    m_token.text.reserve(kLabelCapacity);
}

const KeyHUDToken* KeyHUDTokenizer::tokenFor(const TapEvent& keyDown, const InputSettings& settings, const Clock& clock)
{
    // The secure-input question may cost a call into the desktop: ask only when it matters.
    const bool secure = settings.keyHUDHideInSecureFields && m_secureInput->isSecureInputActive();
    const auto modifiers = KeystrokeFormatter::Modifiers::fromEventFlags(keyDown.flags);
    const auto isShortcut
        = KeystrokeFormatter::tokenIsShortcut(keyDown.keyCode, modifiers, settings.keyHUDShortcutsOnly, secure);
    if (!isShortcut) {
        return nullptr;
    }
    m_token.id = m_ids.next();
    m_token.text.clear();
    KeystrokeFormatter::appendLabel(m_token.text, keyDown.keyCode, modifiers);
    m_token.isShortcut = *isShortcut;
    m_token.timestamp = clock.wallNow();
    return &m_token;
}

} // namespace tarn::input
