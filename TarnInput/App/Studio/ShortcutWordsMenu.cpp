#include "TarnInput/App/Studio/ShortcutWordsMenu.h"

#include <array>

#include <QAction>
#include <QCoreApplication>
#include <QStyleOptionMenuItem>

namespace tarn::input {

namespace {

struct ModifierWord {
    Qt::KeyboardModifier modifier;
    // Qt's own name, which its translators (SuperKeyNames among them) turn into the shown one.
    const char* name;
};

// In the order the words are written.
constexpr std::array<ModifierWord, 4> kModifierWords {{
    {Qt::ControlModifier, "Ctrl"},
    {Qt::AltModifier, "Alt"},
    {Qt::ShiftModifier, "Shift"},
    {Qt::MetaModifier, "Meta"},
}};

QString chordText(QKeyCombination chord)
{
    QString text;
    for (const auto& row : kModifierWords) {
        if (chord.keyboardModifiers().testFlag(row.modifier)) {
            text += QCoreApplication::translate("QShortcut", row.name) + u'+';
        }
    }
    return text + QKeySequence(chord.key()).toString(QKeySequence::NativeText);
}

} // namespace

QString ShortcutWordsMenu::shortcutText(const QKeySequence& sequence)
{
    QStringList chords;
    for (int index = 0; index < sequence.count(); ++index) {
        chords << chordText(sequence[index]);
    }
    return chords.join(QStringLiteral(", "));
}

void ShortcutWordsMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const
{
    QMenu::initStyleOption(option, action);
    // Qt adds the shortcut after a tab unless the action's own text brings one.
    const qsizetype tab = option->text.indexOf(u'\t');
    if (action == nullptr || tab < 0 || action->text().contains(u'\t') || action->shortcut().isEmpty()) {
        return;
    }
    option->text = option->text.left(tab + 1) + shortcutText(action->shortcut());
}

} // namespace tarn::input
