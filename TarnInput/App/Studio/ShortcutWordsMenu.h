#pragma once

// A menu that writes each item's shortcut as the rest of the program does, the modifiers in the
// order Ctrl, Alt, Shift, Super ("Alt+Super+H"), where Qt puts Super (its Meta) first. Only the
// order changes: the action keeps its shortcut, and the names are the ones Qt shows (Super
// through SuperKeyNames), so the room Qt measures for the text is the room it takes.

#include <QKeySequence>
#include <QMenu>

namespace tarn::input {

class ShortcutWordsMenu final : public QMenu {
    Q_OBJECT

public:
    using QMenu::QMenu;

    // "Alt+Super+H" for Alt+Meta+H; the chords of a longer sequence are joined by ", ".
    static QString shortcutText(const QKeySequence& sequence);

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
};

} // namespace tarn::input
