#pragma once
// Drawing steps the suite views share: a symbol-and-text run on one line, measured and painted.
#include <string_view>

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

namespace tarn::suiteviews {

struct LabelRun {
    std::string_view symbol;
    QString text;
    QFont symbolFont;
    QFont textFont;
    double spacing = 5;
    // The symbol's own colour; the run's colour when invalid.
    QColor symbolColor {};
};

// Width and height of the run on one line; an empty symbol or text takes no room.
QSizeF measure(const LabelRun& run);
// Paints the run from `left`, centred on `centreY`, in `color`; returns its right edge.
double paint(QPainter& painter, const LabelRun& run, double left, double centreY, const QColor& color);

} // namespace tarn::suiteviews
