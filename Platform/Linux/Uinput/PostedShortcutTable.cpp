#include "Platform/Linux/Uinput/PostedShortcutTable.h"

#include "Platform/Linux/Input/EvdevVocabulary.h"
#include "TarnInputCore/Model/Keys/PostedKeys.h"

#include <linux/input-event-codes.h>

namespace tarn::input {
namespace {

int codeForModifier(PostedModifier modifier)
{
    switch (modifier) {
    case PostedModifier::ctrl:
        return KEY_LEFTCTRL;
    case PostedModifier::alt:
        return KEY_LEFTALT;
    case PostedModifier::shift:
        return KEY_LEFTSHIFT;
    case PostedModifier::super:
        return KEY_LEFTMETA;
    }
    return KEY_RESERVED;
}

std::optional<int> codeForKey(const PostedKeys& keys)
{
    switch (keys.special) {
    case PostedKeys::Special::super:
        return KEY_LEFTMETA;
    case PostedKeys::Special::print:
        return KEY_SYSRQ;
    case PostedKeys::Special::none:
        break;
    }
    return evdev::codeForAnsiKey(keys.ansiKey);
}

} // namespace

std::optional<KeyChord> keyChordForShortcut(std::uint16_t ansiKey, std::uint64_t flags)
{
    const PostedKeys keys = postedKeysForShortcut(ansiKey, flags);
    const auto key = codeForKey(keys);
    if (!key) {
        return std::nullopt;
    }
    KeyChord chord;
    chord.key = *key;
    for (std::size_t i = 0; i < keys.modifierCount; ++i) {
        chord.modifiers[chord.modifierCount++] = codeForModifier(keys.modifiers[i]);
    }
    return chord;
}

} // namespace tarn::input
