#include "TarnInputCore/Model/KeySymbols.h"

#include <array>

namespace tarn::input {

namespace {

// Symbols of the ANSI layout's virtual key codes 0–126; an empty entry has no symbol (10, 52,
// the modifier keys 54–63, the keypad and the gaps among the function keys).
constexpr std::array<std::string_view, 127> kKeySymbols = [] {
    std::array<std::string_view, 127> symbols {};
    const std::array<std::string_view, 10> first {"A", "S", "D", "F", "H", "G", "Z", "X", "C", "V"};
    for (std::size_t code = 0; code < first.size(); ++code) {
        symbols[code] = first[code];
    }
    const std::array<std::string_view, 7> second {"B", "Q", "W", "E", "R", "Y", "T"};
    for (std::size_t index = 0; index < second.size(); ++index) {
        symbols[11 + index] = second[index];
    }
    const std::array<std::string_view, 18> digitsAndPunctuation {
        "1", "2", "3", "4", "6", "5", "=", "9", "7", "-", "8", "0", "]", "O", "U", "[", "I", "P"};
    for (std::size_t index = 0; index < digitsAndPunctuation.size(); ++index) {
        symbols[18 + index] = digitsAndPunctuation[index];
    }
    symbols[36] = "↩";
    const std::array<std::string_view, 11> third {"L", "J", "'", "K", ";", "\\", ",", "/", "N", "M", "."};
    for (std::size_t index = 0; index < third.size(); ++index) {
        symbols[37 + index] = third[index];
    }
    symbols[48] = "⇥";
    symbols[49] = "Space";
    symbols[50] = "`";
    symbols[51] = "⌫";
    symbols[53] = "⎋";
    const std::array<std::string_view, 6> functionKeys {"F5", "F6", "F7", "F3", "F8", "F9"};
    for (std::size_t index = 0; index < functionKeys.size(); ++index) {
        symbols[96 + index] = functionKeys[index];
    }
    symbols[103] = "F11";
    symbols[109] = "F10";
    symbols[111] = "F12";
    symbols[117] = "⌦";
    symbols[118] = "F4";
    symbols[120] = "F2";
    symbols[122] = "F1";
    symbols[123] = "←";
    symbols[124] = "→";
    symbols[125] = "↓";
    symbols[126] = "↑";
    return symbols;
}();

} // namespace

std::optional<std::string_view> KeySymbols::symbolForKeyCode(std::uint16_t keyCode)
{
    if (keyCode >= kKeySymbols.size() || kKeySymbols[keyCode].empty()) {
        return std::nullopt;
    }
    return kKeySymbols[keyCode];
}

std::string KeySymbols::modifierSymbols(KeyModifiers modifiers)
{
    std::string symbols;
    if (modifiers.contains(KeyModifiers::control)) {
        symbols += "⌃";
    }
    if (modifiers.contains(KeyModifiers::option)) {
        symbols += "⌥";
    }
    if (modifiers.contains(KeyModifiers::shift)) {
        symbols += "⇧";
    }
    if (modifiers.contains(KeyModifiers::command)) {
        symbols += "⌘";
    }
    return symbols;
}

} // namespace tarn::input
