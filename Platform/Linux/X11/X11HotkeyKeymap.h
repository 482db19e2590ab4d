#pragma once

// Translates a stored shortcut to X11 terms: the ANSI virtual key code to the keysym printed on
// that key of a US keyboard (4 -> "h"), and the modifier mask to X modifier bits: Command is
// Super (Mod4), Option is Alt (Mod1), Control is Control, Shift is Shift.

#include <cstdint>
#include <optional>

namespace tarn {

class X11HotkeyKeymap {
public:
    // Absent for codes that have no key of their own on a PC keyboard.
    static std::optional<std::uint32_t> keysymForKeyCode(std::uint32_t keyCode);
    // Absent when the mask holds a bit other than the four modifiers.
    static std::optional<std::uint16_t> modifiersForMask(std::uint32_t carbonModifiers);
};

} // namespace tarn
