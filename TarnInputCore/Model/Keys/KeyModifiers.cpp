#include "TarnInputCore/Model/Keys/KeyModifiers.h"

#include <array>

#include "TarnInputCore/Model/Keys/EventFlag.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {

namespace {

// Each modifier with its event flag bit; one table for both directions.
struct ModifierFlag {
    KeyModifiers modifier;
    std::uint64_t eventFlag;
};
constexpr std::array<ModifierFlag, 4> kFlagRows {{
    {KeyModifiers::control, EventFlag::control},
    {KeyModifiers::option, EventFlag::option},
    {KeyModifiers::shift, EventFlag::shift},
    {KeyModifiers::command, EventFlag::command},
}};

} // namespace

KeyModifiers KeyModifiers::fromEventFlags(std::uint64_t flags)
{
    KeyModifiers modifiers;
    for (const auto& row : kFlagRows) {
        if ((flags & row.eventFlag) != 0) {
            modifiers.insert(row.modifier);
        }
    }
    return modifiers;
}

KeyModifiers KeyModifiers::fromWords(const std::vector<std::string>& words)
{
    KeyModifiers modifiers;
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

std::uint64_t KeyModifiers::eventFlags() const
{
    std::uint64_t flags = 0;
    for (const auto& row : kFlagRows) {
        if (contains(row.modifier)) {
            flags |= row.eventFlag;
        }
    }
    return flags;
}

} // namespace tarn::input
