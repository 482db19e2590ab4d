#include "TarnInputCore/Model/Keys/KeySymbols.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace tarn::input {

namespace {

// Symbols of the ANSI layout's virtual key codes 0–126; an empty entry has no symbol (10, 52,
// the modifier keys 54–63, the keypad and the gaps among the function keys).
constexpr std::array<std::string_view, 127> kKeySymbols = [] {
    std::array<std::string_view, 127> symbols {};
    // Each call fills a run of consecutive codes from its first one.
    const auto place = [&symbols](std::size_t code, std::initializer_list<std::string_view> run) {
        for (const auto symbol : run) {
            symbols[code++] = symbol;
        }
    };
    place(0, {"A", "S", "D", "F", "H", "G", "Z", "X", "C", "V"});
    place(11, {"B", "Q", "W", "E", "R", "Y", "T"});
    place(18, {"1", "2", "3", "4", "6", "5", "=", "9", "7", "-", "8", "0", "]", "O", "U", "[", "I", "P"});
    place(36, {"↩", "L", "J", "'", "K", ";", "\\", ",", "/", "N", "M", "."});
    place(48, {"⇥", "Space", "`", "⌫"});
    place(53, {"⎋"});
    place(96, {"F5", "F6", "F7", "F3", "F8", "F9"});
    place(103, {"F11"});
    place(109, {"F10"});
    place(111, {"F12"});
    place(117, {"⌦", "F4"});
    place(120, {"F2"});
    place(122, {"F1", "←", "→", "↓", "↑"});
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

std::optional<std::uint16_t> KeySymbols::keyCodeForSymbol(std::string_view symbol)
{
    if (symbol.empty()) {
        return std::nullopt;
    }
    const auto found = std::ranges::find(kKeySymbols, symbol);
    if (found == kKeySymbols.end()) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(found - kKeySymbols.begin());
}

std::string KeySymbols::modifierSymbols(KeyModifiers modifiers)
{
    std::string symbols;
    appendModifierSymbols(symbols, modifiers);
    return symbols;
}

void KeySymbols::appendModifierSymbols(std::string& text, KeyModifiers modifiers)
{
    struct ModifierGlyph {
        KeyModifiers modifier;
        std::string_view glyph;
    };
    static constexpr std::array<ModifierGlyph, 4> kGlyphs {{
        {KeyModifiers::control, "⌃"},
        {KeyModifiers::option, "⌥"},
        {KeyModifiers::shift, "⇧"},
        {KeyModifiers::command, "⌘"},
    }};
    for (const auto& row : kGlyphs) {
        if (modifiers.contains(row.modifier)) {
            text += row.glyph;
        }
    }
}

} // namespace tarn::input
