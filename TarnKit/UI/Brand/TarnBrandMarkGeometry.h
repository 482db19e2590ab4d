#pragma once

// The maker's vector mark in a 64-unit design box (x grows right, y grows down): three closed
// eight-point polygons that interlock into angular facets. The mark nearly touches both sides of
// its box (x from 1.81 to 62.19) with no extra inset.

#include <array>

#include <QPointF>

namespace tarn {

class TarnBrandMarkGeometry {
public:
    TarnBrandMarkGeometry() = delete;

    using Piece = std::array<QPointF, 8>;

    static constexpr double viewBoxSize = 64.0;

    static constexpr Piece topRightPiece {{{31.95, 3.93}, {46.21, 12.7}, {46.21, 28.72}, {60.73, 37.39}, {49.34, 43.59},
        {34.02, 34.57}, {34.07, 18.85}, {20.96, 10.63}}};
    static constexpr Piece leftPiece {{{17.69, 12.39}, {29.83, 19.8}, {29.83, 34.67}, {13.65, 44.25}, {13.71, 59.01},
        {1.81, 51.66}, {1.86, 38.05}, {17.69, 28.47}}};
    static constexpr Piece bottomRightPiece {{{31.95, 38.1}, {48.48, 47.98}, {62.19, 40.27}, {62.19, 51.66},
        {48.08, 60.07}, {31.9, 50.8}, {16.28, 59.62}, {16.33, 47.27}}};

    // The drawing order.
    static constexpr std::array<Piece, 3> allPieces {topRightPiece, leftPiece, bottomRightPiece};
};

} // namespace tarn
