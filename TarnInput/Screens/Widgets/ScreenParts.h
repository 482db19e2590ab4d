#pragma once

// Small builders and formatters the studio screens share: labels in the kit's text styles, card
// headers, glass cards around a column, and number texts that never depend on the user's locale
// (no digit grouping, "." as the decimal mark).

#include <string>

#include <QColor>
#include <QFont>
#include <QString>

#include "TarnKit/UI/Text/TarnTextStyles.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QVBoxLayout;
class QWidget;

namespace tarn {
class TarnCardHeader;
class TarnGlassCard;
} // namespace tarn

namespace tarn::input {

class SwitchToggle;

// A label in one of the kit's text styles, aligned as the layout aligns its texts (TarnTextLabel);
// `wraps` lets a long text run onto more lines.
QLabel* makeTextLabel(TarnTextStyle style, QFont::Weight weight, const QColor& color, bool wraps,
    TarnFontDesign design = TarnFontDesign::standard);
// The same in the system font at a size that has no named style.
QLabel* makeTextLabel(double size, QFont::Weight weight, const QColor& color, bool wraps,
    TarnFontDesign design = TarnFontDesign::standard);

// A card's header: a symbol before a bold title in one colour, the card's controls at the end
// `spacing` apart (the platform's default when negative).
TarnCardHeader* makeCardHeader(std::string symbol, double size, const QColor& color, int spacing = -1);

// A check box in the platform's style with its label in textPrimary.
QCheckBox* makeCheckBox(const QString& objectName);
// A switch-style toggle with its label, in the screens' look.
SwitchToggle* makeSwitch(const QString& objectName);

// Sizes a picker `width` wide, or as wide as its longest entry where that is wider: whichever
// entry is chosen, in whichever language, it is shown whole.
void fitPickerToEntries(QComboBox* picker, int width);

// A label for a platform button: Qt reads "&" there as a keyboard-shortcut marker, so it is doubled.
QString plainButtonText(const QString& text);

// A glass card padded 18 with corners of 16, its content a column `spacing` apart.
TarnGlassCard* makeScreenCard(int spacing, QVBoxLayout** column);

// A row without margins, `spacing` apart (the platform's default when negative).
QHBoxLayout* makeRow(int spacing = -1);

// Takes every widget out of `layout` and deletes it once control is back in the event loop, so
// a row may be replaced from inside a signal of one of its own buttons. Removed widgets leave
// their parent at once and are never found as its children again.
void discardWidgets(QLayout* layout);

// The value rounded to the nearest whole number, halves away from zero. Any double, however
// large, gives digits; not-a-number gives "nan".
QString roundedText(double value);
// The value with its fraction dropped, with the same guarantees.
QString truncatedText(double value);

} // namespace tarn::input
