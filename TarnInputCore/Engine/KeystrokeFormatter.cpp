#include "TarnInputCore/Engine/KeystrokeFormatter.h"

#include <array>

#include "TarnInputCore/Model/EventFlag.h"
#include "TarnKit/Foundation/UnicodeText.h"

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

using Modifiers = KeystrokeFormatter::Modifiers;

// Each modifier with its event flag bit and its glyph, in the order the glyphs are written.
struct ModifierRow {
    Modifiers modifier;
    std::uint64_t eventFlag;
    std::string_view symbol;
};
constexpr std::array<ModifierRow, 4> kModifierRows {{
    {Modifiers::control, EventFlag::control, "⌃"},
    {Modifiers::option, EventFlag::option, "⌥"},
    {Modifiers::shift, EventFlag::shift, "⇧"},
    {Modifiers::command, EventFlag::command, "⌘"},
}};

} // namespace

KeystrokeFormatter::Modifiers KeystrokeFormatter::Modifiers::fromEventFlags(std::uint64_t flags)
{
    Modifiers modifiers;
    for (const auto& row : kModifierRows) {
        if ((flags & row.eventFlag) != 0) {
            modifiers.insert(row.modifier);
        }
    }
    return modifiers;
}

KeystrokeFormatter::Modifiers KeystrokeFormatter::Modifiers::fromWords(const std::vector<std::string>& words)
{
    Modifiers modifiers;
    for (const auto& word : words) {
        const std::string normalized = UnicodeText::lowercased(UnicodeText::trimmed(word));
        if (normalized == "cmd" || normalized == "command" || normalized == "⌘") {
            modifiers.insert(command);
        } else if (normalized == "shift" || normalized == "⇧") {
            modifiers.insert(shift);
        } else if (normalized == "opt" || normalized == "option" || normalized == "alt" || normalized == "⌥") {
            modifiers.insert(option);
        } else if (normalized == "ctrl" || normalized == "control" || normalized == "⌃") {
            modifiers.insert(control);
        }
    }
    return modifiers;
}

std::uint64_t KeystrokeFormatter::Modifiers::eventFlags() const
{
    std::uint64_t flags = 0;
    for (const auto& row : kModifierRows) {
        if (contains(row.modifier)) {
            flags |= row.eventFlag;
        }
    }
    return flags;
}

std::optional<std::string_view> KeystrokeFormatter::symbolForKeyCode(std::uint16_t keyCode)
{
    if (keyCode >= kKeySymbols.size() || kKeySymbols[keyCode].empty()) {
        return std::nullopt;
    }
    return kKeySymbols[keyCode];
}

std::string KeystrokeFormatter::modifierSymbols(Modifiers modifiers)
{
    std::string symbols;
    for (const auto& row : kModifierRows) {
        if (modifiers.contains(row.modifier)) {
            symbols += row.symbol;
        }
    }
    return symbols;
}

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
    for (const auto& row : kModifierRows) {
        if (modifiers.contains(row.modifier)) {
            label += row.symbol;
        }
    }
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
