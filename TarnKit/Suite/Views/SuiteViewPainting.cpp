#include "TarnKit/Suite/Views/SuiteViewPainting.h"

#include <algorithm>

#include <QFontMetricsF>

#include "TarnKit/UI/Text/TarnSymbolIcons.h"

namespace tarn::suiteviews {
namespace {

double symbolSide(const LabelRun& run)
{
    return run.symbol.empty() ? 0.0 : TarnSymbolIcons::sideForText(QFontMetricsF(run.symbolFont));
}

} // namespace

QSizeF measure(const LabelRun& run)
{
    const QFontMetricsF metrics(run.textFont);
    const double side = symbolSide(run);
    const double textWidth = run.text.isEmpty() ? 0.0 : metrics.horizontalAdvance(run.text);
    const double gap = side > 0 && textWidth > 0 ? run.spacing : 0.0;
    return {side + gap + textWidth, std::max(side, run.text.isEmpty() ? 0.0 : metrics.height())};
}

double paint(QPainter& painter, const LabelRun& run, double left, double centreY, const QColor& color)
{
    const double side = symbolSide(run);
    double x = left;
    if (side > 0) {
        TarnSymbolIcons::paint(painter, QRectF(x, centreY - side / 2, side, side), run.symbol,
            run.symbolColor.isValid() ? run.symbolColor : color);
        x += side + (run.text.isEmpty() ? 0.0 : run.spacing);
    }
    if (!run.text.isEmpty()) {
        const QFontMetricsF metrics(run.textFont);
        painter.setFont(run.textFont);
        painter.setPen(color);
        painter.drawText(QPointF(x, centreY - metrics.height() / 2 + metrics.ascent()), run.text);
        x += metrics.horizontalAdvance(run.text);
    }
    return x;
}

} // namespace tarn::suiteviews
