#include "TarnInputCore/Engine/Macros/KeystrokeFormatter.h"

namespace tarn::input {

const std::unordered_set<std::uint16_t>& KeystrokeFormatter::specialNavigationKeyCodes()
{
    static const std::unordered_set<std::uint16_t> codes {
        53, 36, 48, 51, 117, 126, 125, 123, 124, 49, // Escape, Return, Tab, Delete, Forward Delete, arrows, Space
        122, 120, 99, 118, 96, 97, 98, 100, 101, 109, 103, 111, // F1–F12
    };
    return codes;
}

std::optional<bool> KeystrokeFormatter::tokenIsShortcut(
    std::uint16_t keyCode, Modifiers modifiers, bool shortcutsOnly, bool isSecureFieldActive)
{
    if (isSecureFieldActive) {
        return std::nullopt;
    }
    const bool isShortcut = modifiers.hasNonShiftModifier() || specialNavigationKeyCodes().contains(keyCode);
    if ((shortcutsOnly && !isShortcut) || !symbolForKeyCode(keyCode)) {
        return std::nullopt;
    }
    return isShortcut;
}

void KeystrokeFormatter::appendLabel(std::string& label, std::uint16_t keyCode, Modifiers modifiers)
{
    const auto symbol = symbolForKeyCode(keyCode);
    if (!symbol) {
        return;
    }
    KeySymbols::appendModifierSymbols(label, modifiers);
    label += *symbol;
}

std::optional<KeystrokeFormatter::FormattedKeystroke> KeystrokeFormatter::format(
    std::uint16_t keyCode, Modifiers modifiers, bool shortcutsOnly, bool isSecureFieldActive)
{
    const auto isShortcut = tokenIsShortcut(keyCode, modifiers, shortcutsOnly, isSecureFieldActive);
    if (!isShortcut) {
        return std::nullopt;
    }
    FormattedKeystroke formatted {{}, *isShortcut};
    appendLabel(formatted.label, keyCode, modifiers);
    return formatted;
}

} // namespace tarn::input
