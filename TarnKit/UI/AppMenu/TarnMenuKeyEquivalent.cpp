#include "TarnKit/UI/AppMenu/TarnMenuKeyEquivalent.h"

#include <QList>

#include "TarnKit/UI/Text/TarnQString.h"

namespace tarn {

QKeySequence tarnMenuKeySequence(std::string_view keyEquivalent, Qt::KeyboardModifiers modifiers)
{
    const QString key = toQString(keyEquivalent);
    if (key.isEmpty()) {
        return {};
    }
    Qt::Key code = Qt::Key_unknown;
    if (key.size() == 1 || (key.size() == 2 && key.at(0).isHighSurrogate())) {
        // Qt names printable keys by their upper-case character.
        code = static_cast<Qt::Key>(key.toUpper().toUcs4().value(0));
    } else {
        const QKeySequence named = QKeySequence::fromString(key, QKeySequence::PortableText);
        if (named.count() == 1 && named[0].keyboardModifiers() == Qt::NoModifier) {
            code = named[0].key();
        }
    }
    if (code == Qt::Key_unknown) {
        return {};
    }
    return QKeySequence(QKeyCombination(modifiers, code));
}

} // namespace tarn
