#pragma once

// The one door through which the brand mark reaches an application's emblem: a square of the
// requested side showing that application's emblem in its own colours, stretched to fit and
// centred. Until the emblem artwork is part of the program, every application shows the maker's
// vector mark here.

#include <QRectF>

#include "TarnKit/Foundation/TarnAppIdentity.h"

class QPainter;

namespace tarn {

class TarnAppEmblemView {
public:
    TarnAppEmblemView() = delete;

    // Paints the emblem of `identity` into the square of side `side` centred in `rect`.
    static void paint(QPainter& painter, const QRectF& rect, double side, TarnAppIdentity identity);
};

} // namespace tarn
