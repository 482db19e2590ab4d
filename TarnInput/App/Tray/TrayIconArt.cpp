#include "TarnInput/App/Tray/TrayIconArt.h"

#include <QPainter>
#include <QPainterPath>

namespace tarn::input {

namespace {

const QColor kInk(245, 247, 250);
// Dark enough to outline the light ink on a light panel.
const QColor kRim(0, 0, 0, 210);
// Fills what the ink outlines, so the shape reads on a light panel as well as on a dark one.
const QColor kShade(40, 44, 52, 235);

// The mouse in a 32-unit box: a tall rounded body with the split between its two buttons.
void drawMouse(QPainter& painter, const QRectF& box, bool filled)
{
    const QRectF body(
        box.left() + box.width() * 0.22, box.top() + box.height() * 0.08, box.width() * 0.56, box.height() * 0.84);
    const double radius = body.width() * 0.5;
    QPainterPath outline;
    outline.addRoundedRect(body, radius, radius);
    const double stroke = std::max(1.0, box.width() / 14.0);
    painter.setPen(QPen(kRim, stroke + 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    painter.setPen(QPen(kInk, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(filled ? kInk : kShade);
    painter.drawPath(outline);
    // The button split and the wheel, cut out of a filled body, drawn on an outlined one.
    const QColor cut = filled ? kShade : kInk;
    painter.setPen(QPen(cut, stroke * 0.8, Qt::SolidLine, Qt::RoundCap));
    const double splitBottom = body.top() + body.height() * 0.38;
    painter.drawLine(QPointF(body.center().x(), body.top() + stroke), QPointF(body.center().x(), splitBottom));
    painter.drawLine(
        QPointF(body.left() + stroke * 0.5, splitBottom), QPointF(body.right() - stroke * 0.5, splitBottom));
}

// A small keyboard in the lower right corner.
void drawKeyboard(QPainter& painter, const QRectF& box)
{
    const QRectF plate(
        box.left() + box.width() * 0.46, box.top() + box.height() * 0.62, box.width() * 0.52, box.height() * 0.34);
    painter.setPen(QPen(kRim, 1));
    painter.setBrush(kShade);
    painter.drawRoundedRect(plate, plate.height() * 0.2, plate.height() * 0.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    const double key = plate.width() / 9.0;
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 4; ++column) {
            painter.drawRect(QRectF(plate.left() + key * (1 + 2 * column),
                plate.top() + plate.height() * 0.18 + row * plate.height() * 0.32, key, plate.height() * 0.2));
        }
    }
}

} // namespace

QImage TrayIconArt::image(TrayIconState state, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF box(0, 0, side, side);
    if (state.keyHUDEnabled) {
        // The mouse moves aside to make room for the keyboard.
        box = QRectF(-side * 0.16, 0, side, side);
    }
    drawMouse(painter, box, state.tapActive);
    if (state.keyHUDEnabled) {
        drawKeyboard(painter, QRectF(0, 0, side, side));
    }
    return image;
}

QIcon TrayIconArt::icon(TrayIconState state)
{
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(QPixmap::fromImage(image(state, side)));
    }
    return icon;
}

} // namespace tarn::input
