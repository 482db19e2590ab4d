// Writes an application's icon into an icon theme folder, at build time:
//   TarnEmblemIcons <raw value> <theme folder>
// gives <theme folder>/<size>x<size>/apps/<raw value>.png at every size of the hicolor theme.

#include <cstdio>

#include <QDir>
#include <QString>

#include "TarnKit/UI/Brand/TarnAppIcon.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: TarnEmblemIcons <raw value> <theme folder>\n");
        return 2;
    }
    const auto identity = tarn::tarnAppIdentityFromRawValue(argv[1]);
    if (!identity) {
        std::fprintf(stderr, "TarnEmblemIcons: no application named %s\n", argv[1]);
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[2]);
    for (const int size : tarn::TarnAppIcon::themeSizes()) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
        const QString path = folder + QLatin1Char('/') + QString::fromLocal8Bit(argv[1]) + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !tarn::TarnAppIcon::image(*identity, size).save(path, "PNG")) {
            std::fprintf(stderr, "TarnEmblemIcons: could not write the %d-pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
