#pragma once

// Writing a colour as 0xRRGGBB.

#include <QColor>
#include <QtGlobal>

namespace tarn {

// Red from bits 16-23, green 8-15, blue 0-7, each n/255 in sRGB; bits 24-31 are ignored.
// QColor cannot hold an alpha outside 0...1, so the opacity is clamped to that range (a NaN
// opacity counts as 0).
QColor tarnColorFromHex(quint32 hex, double opacity = 1.0);

} // namespace tarn
