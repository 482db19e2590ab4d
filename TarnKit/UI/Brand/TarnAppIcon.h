#pragma once

// An application's icon: its white-glass emblem on a rounded square of the studio's deep ground,
// so that it reads on light and dark panels alike. The same picture is installed into the icon
// theme at build time and given to the program's windows and tray icon.

#include <vector>

#include <QIcon>
#include <QImage>

#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"

namespace tarn {

class TarnAppIcon {
public:
    TarnAppIcon() = delete;

    // The sizes of the hicolor theme the icon is made in.
    static const std::vector<int>& themeSizes();

    // The icon as a square image of `pixelSize` pixels; null when the renderer refuses the size.
    static QImage image(TarnAppIdentity identity, int pixelSize);
    // The icon at every theme size.
    static QIcon icon(TarnAppIdentity identity);
};

} // namespace tarn
