#pragma once

// One rendered emblem: `image` holds the pixels, its device pixel ratio maps them onto a square
// of `pointSize` logical pixels. A template image is meant to be tinted by the toolkit (the mask
// of an icon); its pixels are the same white-glass drawing.

#include <QImage>

namespace tarn {

struct TarnEmblemImage {
    QImage image;
    double pointSize = 0;
    bool isTemplate = false;
};

} // namespace tarn
