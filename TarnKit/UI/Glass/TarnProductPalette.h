#pragma once

// The nine named palettes of the family: each an accent colour and a three-stop gradient for a
// window's ground, running from a mid-dark tone at the top left to a near-black one at the bottom
// right. Every colour is opaque sRGB.

#include <array>
#include <optional>
#include <string_view>

#include <QColor>

namespace tarn {

enum class TarnProductPalette {
    deepViolet,
    deepCrimson,
    deepAmber,
    deepEmerald,
    deepCobalt,
    deepIndigo,
    deepAbyss,
    deepCoral,
    deepCyan,
};

inline constexpr std::array<TarnProductPalette, 9> kAllTarnProductPalettes {TarnProductPalette::deepViolet,
    TarnProductPalette::deepCrimson, TarnProductPalette::deepAmber, TarnProductPalette::deepEmerald,
    TarnProductPalette::deepCobalt, TarnProductPalette::deepIndigo, TarnProductPalette::deepAbyss,
    TarnProductPalette::deepCoral, TarnProductPalette::deepCyan};

struct TarnGroundStops {
    QColor topLeft;
    QColor middle;
    QColor bottomRight;
};

// One ground stop as plain fractions, for painting code that wants numbers rather than colours.
struct TarnRgbStop {
    double r;
    double g;
    double b;
};

// The case name, which is also the stored form ("deepAbyss").
std::string_view rawValue(TarnProductPalette palette);
// Exact, case-sensitive match of a case name; anything else is no palette.
std::optional<TarnProductPalette> tarnProductPaletteFromRawValue(std::string_view raw);

QColor accentColor(TarnProductPalette palette);
TarnGroundStops groundStops(TarnProductPalette palette);
// The same three stops, top left first, written to three decimals. These are fixed constants and
// differ from n/255 in the fourth decimal; do not derive one from the other.
const std::array<TarnRgbStop, 3>& rgbStops(TarnProductPalette palette);

} // namespace tarn
