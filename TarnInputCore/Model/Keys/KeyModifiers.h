#pragma once

// A set of the four keyboard modifiers, as the settings file and the event flags know them.

#include <cstdint>
#include <string>
#include <vector>

namespace tarn::input {

class KeyModifiers {
public:
    static const KeyModifiers control;
    static const KeyModifiers option;
    static const KeyModifiers shift;
    static const KeyModifiers command;

    constexpr KeyModifiers() = default;
    constexpr explicit KeyModifiers(std::uint8_t rawValue)
        : m_rawValue(rawValue)
    {
    }
    // The modifier bits of an event's flags (`EventFlag`); other bits are ignored.
    static KeyModifiers fromEventFlags(std::uint64_t flags);
    // Modifier words of a macro keystroke, each trimmed and lower-cased: "cmd", "command", "⌘";
    // "shift", "⇧"; "opt", "option", "alt", "⌥"; "ctrl", "control", "⌃". Other words add nothing.
    static KeyModifiers fromWords(const std::vector<std::string>& words);

    constexpr std::uint8_t rawValue() const { return m_rawValue; }
    std::uint64_t eventFlags() const;

    constexpr bool contains(KeyModifiers other) const { return (m_rawValue & other.m_rawValue) == other.m_rawValue; }
    constexpr bool isEmpty() const { return m_rawValue == 0; }
    // Control, Option or Command: what makes a keystroke a shortcut (Shift alone does not).
    constexpr bool hasNonShiftModifier() const { return (m_rawValue & 0b1011) != 0; }
    constexpr void insert(KeyModifiers other) { m_rawValue |= other.m_rawValue; }
    constexpr void remove(KeyModifiers other) { m_rawValue &= static_cast<std::uint8_t>(~other.m_rawValue); }

    friend constexpr KeyModifiers operator|(KeyModifiers a, KeyModifiers b)
    {
        return KeyModifiers(static_cast<std::uint8_t>(a.m_rawValue | b.m_rawValue));
    }
    friend constexpr KeyModifiers operator&(KeyModifiers a, KeyModifiers b)
    {
        return KeyModifiers(static_cast<std::uint8_t>(a.m_rawValue & b.m_rawValue));
    }
    constexpr bool operator==(const KeyModifiers&) const = default;

private:
    std::uint8_t m_rawValue = 0;
};

inline constexpr const KeyModifiers KeyModifiers::control {1};
inline constexpr const KeyModifiers KeyModifiers::option {2};
inline constexpr const KeyModifiers KeyModifiers::shift {4};
inline constexpr const KeyModifiers KeyModifiers::command {8};

} // namespace tarn::input
