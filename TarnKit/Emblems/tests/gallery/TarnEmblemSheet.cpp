// A contact sheet of every emblem at 64 pixels: white glass on the studio's dark ground above,
// a flat tone on paper below. For looking at the artwork; built with the tests, never installed:
//   QT_QPA_PLATFORM=offscreen TarnEmblemSheet tarn-emblems.png

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "TarnKit/Emblems/TarnEmblemRenderer.h"

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    constexpr int kSide = 64;
    constexpr int kCell = 84;
    constexpr int kColumns = 15;
    constexpr int kRows = 5;
    QImage sheet(kColumns * kCell, 2 * kRows * kCell, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&sheet);
    painter.fillRect(0, 0, sheet.width(), kRows * kCell, QColor(12, 31, 43));
    painter.fillRect(0, kRows * kCell, sheet.width(), kRows * kCell, QColor(250, 250, 252));
    const tarn::TarnEmblemTone flat = tarn::TarnEmblemTone::flatLight(QColor(34, 62, 120), QColor(236, 110, 60));
    for (const tarn::TarnAppIdentity identity : tarn::allTarnAppIdentities()) {
        const auto index = static_cast<int>(tarn::catalogIndex(identity));
        const QPoint cell((index % kColumns) * kCell + (kCell - kSide) / 2, (index / kColumns) * kCell + 6);
        painter.drawImage(cell, tarn::TarnEmblemRenderer::render(identity, kSide));
        painter.drawImage(cell + QPoint(0, kRows * kCell), tarn::TarnEmblemRenderer::render(identity, kSide, flat));
        painter.setPen(QColor(140, 150, 160));
        painter.drawText(
            QRect(cell.x() - 8, cell.y() + kSide, kSide + 16, 14), Qt::AlignCenter, QString::number(index));
    }
    painter.end();
    return sheet.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
