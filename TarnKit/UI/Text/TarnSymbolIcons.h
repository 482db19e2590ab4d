#pragma once

// The one place that turns the symbol names the screens use ("globe", "checkmark.circle.fill")
// into pictures. A symbol is looked up in the freedesktop icon theme under a few symbolic icon
// names, and when no installed theme has any of them, a small drawing of our own stands in, so a
// symbol is never an empty square. Symbols are single-colour: the theme icon is used as a mask
// and filled with the colour the caller asks for.

#include <string_view>

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QStringList>

class QFontMetricsF;
class QFont;
class QPainter;
class QString;

namespace tarn {

class TarnSymbolIcons {
public:
    TarnSymbolIcons() = delete;

    // The icon-theme names tried for a symbol, in order; empty for a symbol we do not know.
    static QStringList themeNames(std::string_view symbol);
    // Whether a symbol has our own drawing to fall back on.
    static bool hasDrawing(std::string_view symbol);

    // The symbol in one colour, side x side logical pixels at the given device pixel ratio.
    static QPixmap pixmap(std::string_view symbol, double side, const QColor& color, qreal devicePixelRatio);
    // Paints the symbol centred in the square that fits `rect`; an arrow or chevron that points
    // along the text is mirrored when the painter's layout direction is right to left.
    static void paint(QPainter& painter, const QRectF& rect, std::string_view symbol, const QColor& color);
    // A symbol beside text takes the size of that text: the side of its square is the font's
    // ascent, rounded up to whole pixels.
    static double sideForText(const QFontMetricsF& metrics);
    // A button's label of a symbol before a text: its width on one line (just the text's
    // without a symbol), and its drawing centred in `area`, the text cut to fit. The symbol is on
    // the text's right when the painter's layout direction is right to left.
    static double labelWidth(const QFontMetricsF& metrics, std::string_view symbol, const QString& text);
    static void drawCentredLabel(QPainter& painter, const QRectF& area, std::string_view symbol, const QString& text,
        const QFontMetricsF& metrics, const QFont& font, const QColor& color);
    // Our own drawing of a symbol; unknown symbols get a plain filled circle.
    static void paintDrawing(QPainter& painter, const QRectF& rect, std::string_view symbol, const QColor& color);

    // Lets the icon theme be found also where the platform integration sets up no theme (bare X
    // sessions, the offscreen platform): adds the XDG icon folders to the search path, and uses
    // Adwaita when the desktop's theme has no symbolic icon for a name. Runs once; every lookup
    // above calls it.
    static void prepareIconTheme();
};

} // namespace tarn
