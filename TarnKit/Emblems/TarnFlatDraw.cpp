#include "TarnKit/Emblems/TarnFlatDraw.h"

#include "TarnKit/Emblems/TarnEmblemCanvas.h"

namespace tarn {

void TarnFlatDraw::displayFrame(TarnEmblemCanvas& canvas)
{
    const TarnEmblemTone& tone = canvas.tone();
    const QPainterPath screen = TarnEmblemCanvas::roundedRect(21, 25, 58, 39, 8.5);
    canvas.fill(screen, tone.soft());
    canvas.stroke(screen, 3, tone.primary());
    canvas.fillRoundedRect(38, 70, 24, 4.6, 2.3, tone.primaryAlpha(0.82));
}

void TarnFlatDraw::foldedSheet(TarnEmblemCanvas& canvas)
{
    const TarnEmblemTone& tone = canvas.tone();
    QPainterPath sheet;
    sheet.moveTo(33, 22);
    sheet.lineTo(56, 22);
    sheet.lineTo(73, 39);
    sheet.lineTo(73, 72);
    sheet.cubicTo(73, 75.3, 70.3, 78, 67, 78);
    sheet.lineTo(33, 78);
    sheet.cubicTo(29.7, 78, 27, 75.3, 27, 72);
    sheet.lineTo(27, 28);
    sheet.cubicTo(27, 24.7, 29.7, 22, 33, 22);
    sheet.closeSubpath();
    canvas.fill(sheet, tone.primary());

    QPainterPath flap;
    flap.moveTo(56, 22);
    flap.lineTo(56, 34);
    flap.cubicTo(56, 36.8, 58.2, 39, 61, 39);
    flap.lineTo(73, 39);
    flap.closeSubpath();
    canvas.fill(flap, tone.isWhiteGlass ? TarnFlatPaint::cutout(0.55) : tone.accent());
}

void TarnFlatDraw::splitShield(TarnEmblemCanvas& canvas)
{
    const TarnEmblemTone& tone = canvas.tone();
    QPainterPath left;
    left.moveTo(48.7, 23);
    left.lineTo(27, 31.4);
    left.cubicTo(27, 49.4, 33.8, 65.4, 48.7, 76);
    left.closeSubpath();
    canvas.fill(left, tone.primary());

    QPainterPath right;
    right.moveTo(51.3, 23);
    right.lineTo(73, 31.4);
    right.cubicTo(73, 49.4, 66.2, 65.4, 51.3, 76);
    right.closeSubpath();
    canvas.fill(right, tone.mid());
}

} // namespace tarn
