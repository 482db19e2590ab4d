#pragma once

// The kit's named text styles and its one way of building a font, both in logical pixels so that
// text keeps its proportion to the fixed-size glass shapes around it. Widgets measure text with
// the font they paint with, so a display with a different font resolution never clips a label.

#include <QColor>
#include <QFont>
#include <QString>

class QFontMetricsF;

class QPainter;
class QRectF;

namespace tarn {

enum class TarnTextStyle {
    largeTitle,
    title,
    title2,
    title3,
    headline,
    body,
    callout,
    subheadline,
    footnote,
    caption,
    caption2,
};

enum class TarnFontDesign {
    standard,
    // The system's fixed-pitch family.
    monospaced,
    // Linux desktops have no rounded system face; the standard family stands in.
    rounded,
};

class TarnTextStyles {
public:
    TarnTextStyles() = delete;

    // Size in logical pixels: largeTitle 26, title 22, title2 17, title3 15, headline 13, body 13,
    // callout 12, subheadline 11, footnote 10, caption 10, caption2 10.
    static double size(TarnTextStyle style);
    // Regular for every style but headline, which is bold.
    static QFont::Weight weight(TarnTextStyle style);

    static QFont font(TarnTextStyle style, TarnFontDesign design = TarnFontDesign::standard);
    static QFont font(TarnTextStyle style, QFont::Weight weight, TarnFontDesign design = TarnFontDesign::standard);
    // The system font at an explicit size in logical pixels.
    static QFont systemFont(
        double logicalPixels, QFont::Weight weight = QFont::Normal, TarnFontDesign design = TarnFontDesign::standard);

    // The text on one line: line breaks become spaces.
    static QString oneLine(const QString& text);
    // A label limited to one line: oneLine(), and a text wider than `availableWidth` is cut at the
    // end with an ellipsis.
    static QString singleLine(const QString& text, const QFontMetricsF& metrics, double availableWidth);
    // Draws singleLine(text) centred in `area` with that font and colour (button labels), in the
    // text's own reading direction.
    static void drawCentredLine(QPainter& painter, const QRectF& area, const QString& text,
        const QFontMetricsF& metrics, const QFont& font, const QColor& color);
};

} // namespace tarn
