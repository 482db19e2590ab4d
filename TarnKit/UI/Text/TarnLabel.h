#pragma once

// A plain-text label in one of the kit's fonts and one colour: the texts of the kit's sheets.

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;

namespace tarn {

// Plain text, never rich text, whatever the text holds, aligned as the layout aligns its texts
// (TarnTextLabel). `objectName` may be null.
QLabel* tarnLabel(const QString& text, const QFont& font, const QColor& color, const char* objectName = nullptr);

} // namespace tarn
