#include "TarnInputCore/Model/KeyModifiers.h"

#include "TarnKit/Foundation/UnicodeText.h"

namespace tarn::input {

KeyModifiers KeyModifiers::fromEventFlags(std::uint64_t flags)
{
    KeyModifiers modifiers;
    if ((flags & kControlFlag) != 0) {
        modifiers.insert(control);
    }
    if ((flags & kOptionFlag) != 0) {
        modifiers.insert(option);
    }
    if ((flags & kShiftFlag) != 0) {
        modifiers.insert(shift);
    }
    if ((flags & kCommandFlag) != 0) {
        modifiers.insert(command);
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
    if (contains(control)) {
        flags |= kControlFlag;
    }
    if (contains(option)) {
        flags |= kOptionFlag;
    }
    if (contains(shift)) {
        flags |= kShiftFlag;
    }
    if (contains(command)) {
        flags |= kCommandFlag;
    }
    return flags;
}

} // namespace tarn::input
