#pragma once

// The symbols of keystrokes: a short one for each key of the ANSI layout by its virtual key code,
// and the modifier glyphs, always in the order ⌃⌥⇧⌘. Macro step badges and the key HUD use them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "TarnInputCore/Model/Keys/KeyModifiers.h"

namespace tarn::input {

class KeySymbols {
public:
    KeySymbols() = delete;

    // The key's symbol ("A", "↩", "Space", "F11"), absent for codes without one (modifier keys,
    // the keypad, every code above 126).
    static std::optional<std::string_view> symbolForKeyCode(std::uint16_t keyCode);
    // The key code whose symbol is `symbol` (every symbol names one key), absent for any other text.
    static std::optional<std::uint16_t> keyCodeForSymbol(std::string_view symbol);
    // "⌃", "⌥", "⇧", "⌘" for the modifiers present, in that order; empty for none.
    static std::string modifierSymbols(KeyModifiers modifiers);
    // The same glyphs appended to `text`; allocates only when `text` has no room left.
    static void appendModifierSymbols(std::string& text, KeyModifiers modifiers);
};

} // namespace tarn::input
