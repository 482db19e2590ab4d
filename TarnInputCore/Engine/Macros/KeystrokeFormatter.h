#pragma once

// The key HUD's text for a keystroke, built from the model's key and modifier symbols.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "TarnInputCore/Model/Keys/KeyModifiers.h"
#include "TarnInputCore/Model/Keys/KeySymbols.h"

namespace tarn::input {

class KeystrokeFormatter {
public:
    KeystrokeFormatter() = delete;

    using Modifiers = KeyModifiers;

    struct FormattedKeystroke {
        std::string label;
        bool isShortcut = false;

        bool operator==(const FormattedKeystroke&) const = default;
    };

    static std::optional<std::string_view> symbolForKeyCode(std::uint16_t keyCode)
    {
        return KeySymbols::symbolForKeyCode(keyCode);
    }
    static std::string modifierSymbols(Modifiers modifiers) { return KeySymbols::modifierSymbols(modifiers); }
    // Escape, Return, Tab, Delete, Forward Delete, the arrows, Space and F1–F12: keys that count
    // as shortcuts on their own.
    static const std::unordered_set<std::uint16_t>& specialNavigationKeyCodes();

    // The key HUD's rule: absent while a secure field is active, when only shortcuts are wanted
    // and this is not one, or when the key has no symbol.
    static std::optional<FormattedKeystroke> format(
        std::uint16_t keyCode, Modifiers modifiers, bool shortcutsOnly, bool isSecureFieldActive);
    // The same rule without the text, for the tap thread: whether the keystroke counts as a
    // shortcut, or absent when it makes no token. Allocates nothing.
    static std::optional<bool> tokenIsShortcut(
        std::uint16_t keyCode, Modifiers modifiers, bool shortcutsOnly, bool isSecureFieldActive);
    // Appends the modifier symbols and the key's symbol to `label`; allocates only when `label`
    // has no room left.
    static void appendLabel(std::string& label, std::uint16_t keyCode, Modifiers modifiers);
};

} // namespace tarn::input
