#pragma once

// The kit's rounded shapes. Corners follow a continuous curve rather than a circular arc: each
// corner is one cubic segment that leaves the straight edge 1.28 radii before the corner and
// bends with almost no curvature at first, so edge and corner blend the way a superellipse does.
// Its midpoint sits where a circular arc of the same radius would put it, so the shape reads as
// "radius r" while losing the visible kink where an arc meets a straight edge.
//
// Borders are drawn inside the outline: the shape inset by half the line width, stroked with flat
// caps, miter joins and miter limit 10.

#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;

namespace tarn {

class TarnContinuousShape {
public:
    TarnContinuousShape() = delete;

    static QPainterPath roundedRect(const QRectF& rect, double cornerRadius);
    // Ends as round as the shorter side allows.
    static QPainterPath capsule(const QRectF& rect);

    // Fills the rounded rectangle, then borders it inside its outline at line width 1. A
    // transparent colour skips that layer.
    static void paintRoundedRect(
        QPainter& painter, const QRectF& rect, double cornerRadius, const QColor& fill, const QColor& border);
    static void paintCapsule(QPainter& painter, const QRectF& rect, const QColor& fill, const QColor& border);
};

} // namespace tarn
