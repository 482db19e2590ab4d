#pragma once

// What the overlay widget tests share: two fake screens, a token maker, pixel reading and colour
// blending for checking painted colours.

#include <string>

#include <QColor>
#include <QImage>
#include <QWidget>

#include "OverlayFakes.h"
#include "TarnInputCore/Model/Keys/KeyHUDToken.h"

namespace tarn::input {

// A 1920 × 1080 screen at scale 1 and, to its right, a 2560 × 1440 one at scale 2 (1280 × 720
// logical pixels) with a 28-pixel panel at its top. The second is the primary.
inline OverlayScreenLayout twoScreenLayout()
{
    OverlayScreenLayout layout;
    layout.screens = {{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040), 1.0},
        {QRect(1920, 0, 1280, 720), QRect(1920, 28, 1280, 692), 2.0}};
    layout.primaryIndex = 1;
    layout.cursor = QPointF(400, 300);
    return layout;
}

inline KeyHUDToken hudToken(const std::string& text, bool isShortcut = true)
{
    return KeyHUDToken {Uuid::random(), text, isShortcut, {}};
}

// The widget as painted, one device pixel per logical pixel, alpha not premultiplied.
inline QImage paintedImage(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// `top` drawn over `bottom` (both with alpha), as a painter composes them.
inline QColor over(const QColor& top, const QColor& bottom)
{
    const double alpha = top.alphaF() + bottom.alphaF() * (1.0 - top.alphaF());
    const auto channel
        = [&](double t, double b) { return (t * top.alphaF() + b * bottom.alphaF() * (1.0 - top.alphaF())) / alpha; };
    return QColor::fromRgbF(static_cast<float>(channel(top.redF(), bottom.redF())),
        static_cast<float>(channel(top.greenF(), bottom.greenF())),
        static_cast<float>(channel(top.blueF(), bottom.blueF())), static_cast<float>(alpha));
}

inline QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

// Each channel, alpha included, within `tolerance` of 255.
inline bool colorNear(const QColor& actual, const QColor& expected, int tolerance = 3)
{
    return std::abs(actual.red() - expected.red()) <= tolerance
        && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance
        && std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}

} // namespace tarn::input
