#include "TarnInputCore/Model/Keys/KeyHUDTokenWords.h"

#include <array>

#include "TarnInputCore/Model/Keys/KeyModifiers.h"
#include "TarnInputCore/Model/Keys/KeySymbols.h"
#include "TarnInputCore/Model/Keys/PostedKeys.h"

namespace tarn::input {

namespace {

struct ModifierWord {
    std::string_view glyph;
    KeyModifiers modifier;
    // The key held for it, as the input adapter reads the keyboard.
    PostedModifier key;
};

// In the order the words are written.
constexpr std::array<ModifierWord, 4> kModifierWords {{
    {"⌃", KeyModifiers::control, PostedModifier::ctrl},
    {"⌥", KeyModifiers::option, PostedModifier::alt},
    {"⇧", KeyModifiers::shift, PostedModifier::shift},
    {"⌘", KeyModifiers::command, PostedModifier::super},
}};

} // namespace

std::string keyHUDTokenWords(std::string_view token)
{
    KeyModifiers held;
    std::string_view key = token;
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (const auto& row : kModifierWords) {
            if (key.starts_with(row.glyph)) {
                held.insert(row.modifier);
                key.remove_prefix(row.glyph.size());
                stripped = true;
            }
        }
    }
    const auto keyCode = KeySymbols::keyCodeForSymbol(key);
    if (!keyCode) {
        return std::string(token);
    }
    std::string words;
    for (const auto& row : kModifierWords) {
        if (held.contains(row.modifier)) {
            words.append(modifierName(row.key)).append("+");
        }
    }
    return words.append(linuxKeyName(*keyCode).value_or(key));
}

} // namespace tarn::input
