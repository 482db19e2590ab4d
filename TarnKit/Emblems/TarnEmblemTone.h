#pragma once

// The two colours of an emblem and its variant. White glass paints near-white and makes holes real
// transparency; a flat tone paints its two colours and fills holes with a light paper colour.
// Every paint a drawing uses is derived here, so a drawing never picks a colour of its own.

#include <QColor>

#include "TarnKit/Emblems/TarnFlatPaint.h"

namespace tarn {

struct TarnEmblemTone {
    QColor primaryColor;
    QColor accentColor;
    bool isWhiteGlass = false;

    // White at 0.98 for the bodies and 0.72 for highlights: the tone of every rendered image.
    static const TarnEmblemTone& whiteGlass();
    static TarnEmblemTone flatLight(const QColor& primary, const QColor& accent);

    // The paper colour of holes under a flat tone.
    static QColor paper(double alpha);

    TarnFlatPaint primary() const;
    TarnFlatPaint accent() const;
    TarnFlatPaint mid() const;
    TarnFlatPaint soft() const;
    TarnFlatPaint stroke() const;
    TarnFlatPaint primaryAlpha(double alpha) const;
    TarnFlatPaint accentAlpha(double alpha) const;
    // A mark on a primary body: a hole under white glass, the accent under a flat tone.
    TarnFlatPaint onPrimaryAccent() const;
    // Lines and holes on a body: erased (at least 0.55, 1.15 times `alpha`) under white glass,
    // paper under a flat tone.
    TarnFlatPaint cutout(double alpha) const;
    // A highlight drawn beside the body: primary under white glass, accent under a flat tone.
    TarnFlatPaint highlight() const;
};

} // namespace tarn
