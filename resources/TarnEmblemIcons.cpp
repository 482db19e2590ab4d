// Writes an application's icon for an icon theme, at build time: its white-glass emblem on a
// rounded square of the studio's deep ground, so that it reads on light and dark panels alike.
//   TarnEmblemIcons <raw value> <theme folder> <size>...
// gives <theme folder>/<size>x<size>/apps/<raw value>.png for every size.

#include <cstdio>
#include <string>

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>

#include "TarnKit/Emblems/TarnEmblemRenderer.h"
#include "TarnKit/UI/TarnProductPalette.h"

namespace {

// The ground leaves a small margin, as theme icons do, and rounds its corners like the studio's cards.
constexpr double kMargin = 0.04;
constexpr double kCornerRadius = 0.2;

QImage icon(tarn::TarnAppIdentity identity, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF ground
        = QRectF(0, 0, size, size).adjusted(size * kMargin, size * kMargin, -size * kMargin, -size * kMargin);
    const tarn::TarnGroundStops stops = tarn::groundStops(tarn::TarnProductPalette::deepAbyss);
    QLinearGradient gradient(ground.topLeft(), ground.bottomRight());
    gradient.setColorAt(0.0, stops.topLeft);
    gradient.setColorAt(0.5, stops.middle);
    gradient.setColorAt(1.0, stops.bottomRight);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(ground, size * kCornerRadius, size * kCornerRadius);
    painter.drawImage(QPointF(0, 0), tarn::TarnEmblemRenderer::render(identity, size));
    painter.end();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: TarnEmblemIcons <raw value> <theme folder> <size>...\n");
        return 2;
    }
    const auto identity = tarn::tarnAppIdentityFromRawValue(argv[1]);
    if (!identity) {
        std::fprintf(stderr, "TarnEmblemIcons: no application named %s\n", argv[1]);
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
        const QString path = folder + QLatin1Char('/') + QString::fromLocal8Bit(argv[1]) + QStringLiteral(".png");
        if (size <= 0 || size > tarn::TarnEmblemRenderer::kMaxPixelSize || !QDir().mkpath(folder)
            || !icon(*identity, size).save(path, "PNG")) {
            std::fprintf(stderr, "TarnEmblemIcons: could not write the %d-pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
