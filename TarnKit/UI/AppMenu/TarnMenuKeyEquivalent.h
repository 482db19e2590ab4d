#pragma once

// A menu item's key equivalent as a Qt shortcut: one character ("z", ",", "+"), whatever its
// case, or a key name Qt knows ("Delete", "F5"), with the given modifiers. Ctrl stands where
// other desktops use Command, so Command+Z is written Ctrl and Z. An empty or unknown key gives
// no shortcut.

#include <string_view>

#include <QKeySequence>

namespace tarn {

QKeySequence tarnMenuKeySequence(std::string_view keyEquivalent, Qt::KeyboardModifiers modifiers);

} // namespace tarn
