#include "TarnKit/UI/AppMenu/TarnTextInputCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace tarn {

namespace {

bool clipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

bool canPerformIn(const QLineEdit& field, TarnTextCommand command)
{
    // A password field never gives its text away.
    const bool revealsText = field.echoMode() == QLineEdit::Normal;
    switch (command) {
    case TarnTextCommand::undo:
        return field.isUndoAvailable();
    case TarnTextCommand::redo:
        return field.isRedoAvailable();
    case TarnTextCommand::cut:
        return field.hasSelectedText() && revealsText && !field.isReadOnly();
    case TarnTextCommand::copy:
        return field.hasSelectedText() && revealsText;
    case TarnTextCommand::paste:
        return !field.isReadOnly() && clipboardHasText();
    case TarnTextCommand::selectAll:
        return !field.text().isEmpty();
    }
    return false;
}

// QTextEdit and QPlainTextEdit answer the same questions without sharing a base that asks them.
template <typename Editor> bool canPerformIn(const Editor& editor, TarnTextCommand command)
{
    switch (command) {
    case TarnTextCommand::undo:
        return editor.document()->isUndoAvailable() && !editor.isReadOnly();
    case TarnTextCommand::redo:
        return editor.document()->isRedoAvailable() && !editor.isReadOnly();
    case TarnTextCommand::cut:
        return editor.textCursor().hasSelection() && !editor.isReadOnly();
    case TarnTextCommand::copy:
        return editor.textCursor().hasSelection();
    case TarnTextCommand::paste:
        return editor.canPaste();
    case TarnTextCommand::selectAll:
        return !editor.document()->isEmpty();
    }
    return false;
}

const char* slotName(TarnTextCommand command)
{
    switch (command) {
    case TarnTextCommand::undo:
        return "undo";
    case TarnTextCommand::redo:
        return "redo";
    case TarnTextCommand::cut:
        return "cut";
    case TarnTextCommand::copy:
        return "copy";
    case TarnTextCommand::paste:
        return "paste";
    case TarnTextCommand::selectAll:
        return "selectAll";
    }
    return "";
}

} // namespace

QWidget* TarnTextInputCommands::focusedTextInput()
{
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) != nullptr || qobject_cast<QTextEdit*>(focus) != nullptr
        || qobject_cast<QPlainTextEdit*>(focus) != nullptr) {
        return focus;
    }
    return nullptr;
}

bool TarnTextInputCommands::canPerform(TarnTextCommand command)
{
    QWidget* focus = focusedTextInput();
    if (const auto* field = qobject_cast<const QLineEdit*>(focus)) {
        return canPerformIn(*field, command);
    }
    if (const auto* editor = qobject_cast<const QTextEdit*>(focus)) {
        return canPerformIn(*editor, command);
    }
    if (const auto* editor = qobject_cast<const QPlainTextEdit*>(focus)) {
        return canPerformIn(*editor, command);
    }
    return false;
}

void TarnTextInputCommands::perform(TarnTextCommand command)
{
    // All three text fields have these slots, the same way a responder answers an action.
    if (QWidget* focus = focusedTextInput()) {
        QMetaObject::invokeMethod(focus, slotName(command));
    }
}

} // namespace tarn
