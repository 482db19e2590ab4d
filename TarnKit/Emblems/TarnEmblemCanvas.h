#pragma once

// The drawing vocabulary of the emblems, in design units (a 100 × 100 square, y down the picture).
// Every primitive is drawn inside its own save and restore, so a cut-out's blend mode never
// reaches the next shape. Fills use the non-zero winding rule; strokes have round caps and joins.
//
// Arcs run from the start angle to the end angle through increasing angles, in radians, where 0
// points along +x and positive angles turn towards +y, that is down the picture.

#include <initializer_list>

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include "TarnKit/Emblems/TarnEmblemTone.h"

class QPainter;

namespace tarn {

class TarnEmblemCanvas {
public:
    // `painter` is already set to the design space.
    TarnEmblemCanvas(QPainter& painter, const TarnEmblemTone& tone);

    const TarnEmblemTone& tone() const { return m_tone; }
    bool isWhiteGlass() const { return m_tone.isWhiteGlass; }

    // A rounded rectangle with circular corners; the radius is limited to half the shorter side.
    static QPainterPath roundedRect(double x, double y, double width, double height, double radius);
    static QPainterPath ellipse(double x, double y, double width, double height);
    static QPainterPath polygon(std::initializer_list<QPointF> points);
    static QPainterPath polyline(std::initializer_list<QPointF> points);
    static QPainterPath line(QPointF from, QPointF to);
    static QPainterPath arc(QPointF centre, double radius, double startRadians, double endRadians);

    void fill(const QPainterPath& path, const TarnFlatPaint& paint);
    void stroke(const QPainterPath& path, double width, const TarnFlatPaint& paint);

    void fillRoundedRect(double x, double y, double width, double height, double radius, const TarnFlatPaint& paint);
    void fillEllipse(double x, double y, double width, double height, const TarnFlatPaint& paint);
    // A disc of `radius` about `centre`.
    void fillDisc(QPointF centre, double radius, const TarnFlatPaint& paint);
    void strokeLine(QPointF from, QPointF to, double width, const TarnFlatPaint& paint);

    // White glass only: erases `path` fully, the gap that separates a front shape from what lies
    // behind it. Under a flat tone the front shape lies directly on the one behind.
    void separationGap(const QPainterPath& path);

    // Draws `details` turned by -45 degrees about `pivot`, in coordinates local to the pivot.
    template <typename Details> void rotated(QPointF pivot, Details&& details)
    {
        beginRotation(pivot);
        details();
        endRotation();
    }

private:
    void beginRotation(QPointF pivot);
    void endRotation();
    void applyPaint(const TarnFlatPaint& paint, bool forStroke, double width);

    QPainter& m_painter;
    const TarnEmblemTone& m_tone;
};

} // namespace tarn
