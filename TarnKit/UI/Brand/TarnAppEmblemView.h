#pragma once

// The one door through which the brand mark reaches an application's emblem: a square of the
// requested side showing that application's white-glass emblem, rendered at twice the side in
// pixels (sharp at scales 1 and 2), stretched to fit and centred. A template emblem keeps only the
// shape and takes the colour of the painter's pen, as monochrome symbols follow the text beside
// them.

#include <QRectF>

#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"

class QPainter;

namespace tarn {

class TarnAppEmblemView {
public:
    TarnAppEmblemView() = delete;

    // Paints the emblem of `identity` into the square of side `side` centred in `rect`.
    static void paint(
        QPainter& painter, const QRectF& rect, double side, TarnAppIdentity identity, bool asTemplate = false);
};

} // namespace tarn
