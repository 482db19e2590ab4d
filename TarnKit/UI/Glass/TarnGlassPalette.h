#pragma once

// Dresses Qt's standard controls (pickers and their lists, text and spin fields, menus, scroll
// bars, tool tips, check boxes) in the glass look for a whole application: dark fields, light
// text and the accent for focus and selection, instead of the platform's white widgets. The
// kit's own painted components keep drawing themselves.

#include <QColor>
#include <QPalette>

class QApplication;

namespace tarn {

class TarnGlassPalette {
public:
    TarnGlassPalette() = delete;

    static QPalette palette(const QColor& accent);
    // Fusion draws every standard control from the palette alone, so the look holds on any desktop;
    // the application takes it as TarnGlassStyle, with the kit's keyboard focus ring.
    static void apply(QApplication& application, const QColor& accent);
};

} // namespace tarn
