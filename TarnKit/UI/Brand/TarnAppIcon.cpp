#include "TarnKit/UI/Brand/TarnAppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include "TarnKit/Emblems/TarnEmblemRenderer.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"

namespace tarn {

namespace {

// The ground leaves a small margin, as theme icons do, and rounds its corners like the kit's cards.
constexpr double kMargin = 0.04;
constexpr double kCornerRadius = 0.2;

} // namespace

const std::vector<int>& TarnAppIcon::themeSizes()
{
    static const std::vector<int> sizes {16, 22, 24, 32, 48, 64, 128, 256, 512};
    return sizes;
}

QImage TarnAppIcon::image(TarnAppIdentity identity, int pixelSize)
{
    const QImage emblem = TarnEmblemRenderer::render(identity, pixelSize);
    if (emblem.isNull()) {
        return {};
    }
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double side = pixelSize;
    const QRectF ground
        = QRectF(0, 0, side, side).adjusted(side * kMargin, side * kMargin, -side * kMargin, -side * kMargin);
    const TarnGroundStops stops = groundStops(TarnProductPalette::deepAbyss);
    QLinearGradient gradient(ground.topLeft(), ground.bottomRight());
    gradient.setColorAt(0.0, stops.topLeft);
    gradient.setColorAt(0.5, stops.middle);
    gradient.setColorAt(1.0, stops.bottomRight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(ground, side * kCornerRadius, side * kCornerRadius);
    painter.drawImage(QPointF(0, 0), emblem);
    painter.end();
    return image;
}

QIcon TarnAppIcon::icon(TarnAppIdentity identity)
{
    QIcon icon;
    for (const int size : themeSizes()) {
        icon.addPixmap(QPixmap::fromImage(image(identity, size)));
    }
    return icon;
}

} // namespace tarn
