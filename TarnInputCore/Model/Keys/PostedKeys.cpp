#include "TarnInputCore/Model/Keys/PostedKeys.h"

#include "TarnInputCore/Model/Keys/EventFlag.h"
#include "TarnInputCore/Model/Keys/KeySymbols.h"

namespace tarn::input {
namespace {

constexpr std::uint64_t kModifierMask = EventFlag::shift | EventFlag::control | EventFlag::option | EventFlag::command;

using enum PostedModifier;
using Special = PostedKeys::Special;

struct DesktopShortcut {
    std::uint16_t ansiKey;
    std::uint64_t flags;
    PostedKeys keys;
};

constexpr PostedKeys chord(std::initializer_list<PostedModifier> modifiers, std::uint16_t ansiKey)
{
    PostedKeys keys;
    for (const auto modifier : modifiers) {
        keys.modifiers[keys.modifierCount++] = modifier;
    }
    keys.ansiKey = ansiKey;
    return keys;
}

constexpr PostedKeys special(std::initializer_list<PostedModifier> modifiers, Special key)
{
    PostedKeys keys = chord(modifiers, 0);
    keys.special = key;
    return keys;
}

// Chosen for what GNOME, KDE Plasma, Xfce, Cinnamon and openbox bind by default; where they
// differ, the binding most of them share. Super alone opens the overview (and its search) on
// GNOME and the launcher elsewhere.
constexpr DesktopShortcut kDesktopShortcuts[] = {
    // ⌘[ and ⌘] navigate back and forward: Alt+Left/Right in browsers and file managers.
    {33, EventFlag::command, chord({alt}, 123)},
    {30, EventFlag::command, chord({alt}, 124)},
    // ⌃↑ overview, ⌃↓ the application grid.
    {126, EventFlag::control, special({}, Special::super)},
    {125, EventFlag::control, chord({super}, 0)},
    // ⌃← and ⌃→ switch workspaces.
    {123, EventFlag::control, chord({ctrl, alt}, 123)},
    {124, EventFlag::control, chord({ctrl, alt}, 124)},
    // Virtual key 103 is F11, which shows the desktop there.
    {103, 0, chord({super}, 2)},
    // ⌘Space opens the search bar.
    {49, EventFlag::command, special({}, Special::super)},
    // ⇧⌘3 the whole screen, ⇧⌘4 an area, ⇧⌘5 the screenshot tool.
    {20, EventFlag::command | EventFlag::shift, special({}, Special::print)},
    {21, EventFlag::command | EventFlag::shift, special({shift}, Special::print)},
    {23, EventFlag::command | EventFlag::shift, special({}, Special::print)},
};

// Command becomes Ctrl: Linux applications put on Ctrl what the other desktop puts on Command.
// Control becomes Super, the key Linux desktops keep for the system as the other one keeps
// Control, so the four modifiers stay four distinct keys.
PostedKeys ordinaryKeys(std::uint16_t ansiKey, std::uint64_t flags)
{
    PostedKeys keys;
    keys.ansiKey = ansiKey;
    for (const auto flag : {EventFlag::command, EventFlag::option, EventFlag::shift, EventFlag::control}) {
        if ((flags & flag) != 0) {
            keys.modifiers[keys.modifierCount++] = postedModifierForFlag(flag);
        }
    }
    return keys;
}

std::string keyName(const PostedKeys& keys, bool turkish)
{
    switch (keys.special) {
    case Special::super:
        return "Super";
    case Special::print:
        return "Print";
    case Special::none:
        break;
    }
    switch (keys.ansiKey) {
    case 123:
        return turkish ? "Sol" : "Left";
    case 124:
        return turkish ? "Sağ" : "Right";
    case 125:
        return turkish ? "Aşağı" : "Down";
    case 126:
        return turkish ? "Yukarı" : "Up";
    case 49:
        return turkish ? "Boşluk" : "Space";
    default:
        break;
    }
    if (const auto name = linuxKeyName(keys.ansiKey)) {
        return std::string(*name);
    }
    if (const auto symbol = KeySymbols::symbolForKeyCode(keys.ansiKey)) {
        return std::string(*symbol);
    }
    return "Key(" + std::to_string(keys.ansiKey) + ")";
}

} // namespace

PostedModifier postedModifierForFlag(std::uint64_t flag)
{
    switch (flag) {
    case EventFlag::option:
        return alt;
    case EventFlag::shift:
        return shift;
    case EventFlag::control:
        return super;
    default:
        return ctrl;
    }
}

std::string_view modifierName(PostedModifier modifier)
{
    switch (modifier) {
    case ctrl:
        return "Ctrl";
    case alt:
        return "Alt";
    case shift:
        return "Shift";
    case super:
        return "Super";
    }
    return {};
}

std::optional<std::string_view> linuxKeyName(std::uint16_t ansiKey)
{
    switch (ansiKey) {
    case 36:
        return "Enter";
    case 48:
        return "Tab";
    case 51:
        return "Backspace";
    case 53:
        return "Esc";
    case 117:
        return "Delete";
    default:
        return std::nullopt;
    }
}

PostedKeys postedKeysForShortcut(std::uint16_t ansiKey, std::uint64_t flags)
{
    const std::uint64_t modifiers = flags & kModifierMask;
    for (const auto& shortcut : kDesktopShortcuts) {
        if (shortcut.ansiKey == ansiKey && shortcut.flags == modifiers) {
            return shortcut.keys;
        }
    }
    return ordinaryKeys(ansiKey, modifiers);
}

std::string postedKeysText(const PostedKeys& keys, bool turkish)
{
    std::string text;
    for (std::size_t i = 0; i < keys.modifierCount; ++i) {
        text.append(modifierName(keys.modifiers[i])).append("+");
    }
    return text.append(keyName(keys, turkish));
}

} // namespace tarn::input
