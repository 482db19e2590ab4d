#pragma once

// Replacements for the Edit menu's commands. A command without one acts on the focused text
// field; a command with one runs it, except that while a text field has the keyboard Undo, Redo,
// Cut, Copy, Paste and Select All still go to the field. Duplicate exists only when given.

#include <functional>

namespace tarn {

struct TarnEditMenuOverrides {
    std::function<void()> undo;
    // Empty: Undo is always enabled when `undo` is given.
    std::function<bool()> canUndo;
    std::function<void()> redo;
    std::function<bool()> canRedo;
    std::function<void()> cut;
    std::function<void()> copy;
    std::function<void()> paste;
    std::function<void()> duplicate;
    std::function<void()> selectAll;
};

} // namespace tarn
