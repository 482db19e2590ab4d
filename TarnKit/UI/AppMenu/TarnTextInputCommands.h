#pragma once

// The Edit commands of the text field that has the keyboard (a line edit or a text editor of the
// active window), as the Edit menu sends them when no replacement is given: whether each can act
// now, and acting.

#include <QWidget>

namespace tarn {

enum class TarnTextCommand { undo, redo, cut, copy, paste, selectAll };

class TarnTextInputCommands {
public:
    TarnTextInputCommands() = delete;

    // The focused text field, or null.
    static QWidget* focusedTextInput();
    static bool isTextInputFocused() { return focusedTextInput() != nullptr; }
    // False without a focused text field.
    static bool canPerform(TarnTextCommand command);
    // Does nothing without a focused text field.
    static void perform(TarnTextCommand command);
};

} // namespace tarn
