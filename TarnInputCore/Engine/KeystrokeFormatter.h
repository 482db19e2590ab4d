#pragma once

// Text for keystrokes: the modifier glyphs, always in the order ⌃⌥⇧⌘, and a short symbol for each
// key of the ANSI layout by its virtual key code. Used by the key HUD and by macro step badges.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tarn::input {

class KeystrokeFormatter {
public:
    KeystrokeFormatter() = delete;

    // A set of the four modifiers.
    class Modifiers {
    public:
        static const Modifiers control;
        static const Modifiers option;
        static const Modifiers shift;
        static const Modifiers command;

        constexpr Modifiers() = default;
        constexpr explicit Modifiers(std::uint8_t rawValue)
            : m_rawValue(rawValue)
        {
        }
        // The modifier bits of an event's flags (`EventFlag`); other bits are ignored.
        static Modifiers fromEventFlags(std::uint64_t flags);
        // Modifier words of a macro keystroke, each trimmed and lower-cased: "cmd", "command", "⌘";
        // "shift", "⇧"; "opt", "option", "alt", "⌥"; "ctrl", "control", "⌃". Other words add nothing.
        static Modifiers fromWords(const std::vector<std::string>& words);

        constexpr std::uint8_t rawValue() const { return m_rawValue; }
        std::uint64_t eventFlags() const;

        constexpr bool contains(Modifiers other) const { return (m_rawValue & other.m_rawValue) == other.m_rawValue; }
        constexpr bool isEmpty() const { return m_rawValue == 0; }
        // Control, Option or Command: what makes a keystroke a shortcut (Shift alone does not).
        constexpr bool hasNonShiftModifier() const { return (m_rawValue & 0b1011) != 0; }
        constexpr void insert(Modifiers other) { m_rawValue |= other.m_rawValue; }
        constexpr void remove(Modifiers other) { m_rawValue &= static_cast<std::uint8_t>(~other.m_rawValue); }

        friend constexpr Modifiers operator|(Modifiers a, Modifiers b)
        {
            return Modifiers(static_cast<std::uint8_t>(a.m_rawValue | b.m_rawValue));
        }
        friend constexpr Modifiers operator&(Modifiers a, Modifiers b)
        {
            return Modifiers(static_cast<std::uint8_t>(a.m_rawValue & b.m_rawValue));
        }
        constexpr bool operator==(const Modifiers&) const = default;

    private:
        std::uint8_t m_rawValue = 0;
    };

    struct FormattedKeystroke {
        std::string label;
        bool isShortcut = false;

        bool operator==(const FormattedKeystroke&) const = default;
    };

    // The key's symbol ("A", "↩", "Space", "F11"), absent for codes without one (modifier keys,
    // the keypad, every code above 126).
    static std::optional<std::string_view> symbolForKeyCode(std::uint16_t keyCode);
    // "⌃", "⌥", "⇧", "⌘" for the modifiers present, in that order; empty for none.
    static std::string modifierSymbols(Modifiers modifiers);
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

inline constexpr const KeystrokeFormatter::Modifiers KeystrokeFormatter::Modifiers::control {1};
inline constexpr const KeystrokeFormatter::Modifiers KeystrokeFormatter::Modifiers::option {2};
inline constexpr const KeystrokeFormatter::Modifiers KeystrokeFormatter::Modifiers::shift {4};
inline constexpr const KeystrokeFormatter::Modifiers KeystrokeFormatter::Modifiers::command {8};

} // namespace tarn::input
