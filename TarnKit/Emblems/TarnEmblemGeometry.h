#pragma once

// Small geometry helpers the emblem drawings share.

#include <cmath>
#include <numbers>

#include <QPainterPath>
#include <QPointF>

namespace tarn {

constexpr double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

inline QPointF onCircle(QPointF centre, double radius, double angleRadians)
{
    return centre + QPointF(radius * std::cos(angleRadians), radius * std::sin(angleRadians));
}

// A filled triangle at the end of an arc drawn through increasing angles, pointing onwards.
QPainterPath arcArrowHead(QPointF centre, double radius, double endRadians, double size);

} // namespace tarn
