#pragma once

// Texts of one reading direction inside a layout of the other. In Arabic, Hebrew and Persian the
// windows mirror, yet many of their texts are Latin: English fall-backs, numbers with their
// units, key names, application ids. Drawn as right-to-left paragraphs, such texts lose their
// order at their edges ("cm 0.0", ".Restored …"). Here a text reads in the direction of its own
// first letter, while its alignment keeps following the layout, so it still starts where its
// neighbours and its heading start.

#include <QString>
#include <Qt>

class QPainter;
class QRectF;

namespace tarn {

class TarnBidiText {
public:
    TarnBidiText() = delete;

    // The direction a text reads in, from its first letter that has one; left to right when none
    // has (digits and punctuation alone).
    static Qt::LayoutDirection directionOf(const QString& text);
    // Text flags whose horizontal alignment no longer depends on the painter's direction: the
    // alignment the flags mean in `layout`, made absolute. Other flags are kept.
    static int absoluteFlags(int flags, Qt::LayoutDirection layout);
    // QPainter::drawText: the alignment follows the painter's layout direction, the text reads in
    // its own direction.
    static void drawText(QPainter& painter, const QRectF& rect, int flags, const QString& text);
};

} // namespace tarn
