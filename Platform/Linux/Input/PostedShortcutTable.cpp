#include "Platform/Linux/Input/PostedShortcutTable.h"

#include "Platform/Linux/Input/EvdevVocabulary.h"
#include "TarnInputCore/Engine/TapEvent.h"

#include <linux/input-event-codes.h>

namespace tarn::input {
namespace {

constexpr std::uint64_t kModifierMask = EventFlag::shift | EventFlag::control | EventFlag::option | EventFlag::command;

struct DesktopShortcut {
    std::uint16_t ansiKey;
    std::uint64_t flags;
    KeyChord chord;
};

// Chosen for what GNOME, KDE Plasma, Xfce, Cinnamon and openbox bind by default; where they
// differ, the binding most of them share. Super alone opens the overview (and its search) on
// GNOME and the launcher elsewhere.
constexpr DesktopShortcut kDesktopShortcuts[] = {
    // ⌘[ and ⌘] navigate back and forward: Alt+Left/Right in browsers and file managers.
    {33, EventFlag::command, {{KEY_LEFTALT}, 1, KEY_LEFT}},
    {30, EventFlag::command, {{KEY_LEFTALT}, 1, KEY_RIGHT}},
    // ⌃↑ overview, ⌃↓ the application grid.
    {126, EventFlag::control, {{}, 0, KEY_LEFTMETA}},
    {125, EventFlag::control, {{KEY_LEFTMETA}, 1, KEY_A}},
    // ⌃← and ⌃→ switch workspaces.
    {123, EventFlag::control, {{KEY_LEFTCTRL, KEY_LEFTALT}, 2, KEY_LEFT}},
    {124, EventFlag::control, {{KEY_LEFTCTRL, KEY_LEFTALT}, 2, KEY_RIGHT}},
    // Virtual key 103 is F11, which shows the desktop there (evdev 103 would be the Up key).
    {103, 0, {{KEY_LEFTMETA}, 1, KEY_D}},
    // ⌘Space opens the search bar.
    {49, EventFlag::command, {{}, 0, KEY_LEFTMETA}},
    // ⇧⌘3 the whole screen, ⇧⌘4 an area, ⇧⌘5 the screenshot tool.
    {20, EventFlag::command | EventFlag::shift, {{}, 0, KEY_SYSRQ}},
    {21, EventFlag::command | EventFlag::shift, {{KEY_LEFTSHIFT}, 1, KEY_SYSRQ}},
    {23, EventFlag::command | EventFlag::shift, {{}, 0, KEY_SYSRQ}},
};

// Command and Control both become Ctrl: Linux applications put on Ctrl what the other desktop
// puts on Command, and Control's own shortcuts there are Ctrl's here too.
KeyChord ordinaryChord(int key, std::uint64_t flags)
{
    KeyChord chord;
    chord.key = key;
    if ((flags & (EventFlag::command | EventFlag::control)) != 0) {
        chord.modifiers[chord.modifierCount++] = KEY_LEFTCTRL;
    }
    if ((flags & EventFlag::option) != 0) {
        chord.modifiers[chord.modifierCount++] = KEY_LEFTALT;
    }
    if ((flags & EventFlag::shift) != 0) {
        chord.modifiers[chord.modifierCount++] = KEY_LEFTSHIFT;
    }
    return chord;
}

} // namespace

std::optional<KeyChord> keyChordForShortcut(std::uint16_t ansiKey, std::uint64_t flags)
{
    const std::uint64_t modifiers = flags & kModifierMask;
    for (const auto& shortcut : kDesktopShortcuts) {
        if (shortcut.ansiKey == ansiKey && shortcut.flags == modifiers) {
            return shortcut.chord;
        }
    }
    const auto key = evdev::codeForAnsiKey(ansiKey);
    if (!key) {
        return std::nullopt;
    }
    return ordinaryChord(*key, modifiers);
}

} // namespace tarn::input
