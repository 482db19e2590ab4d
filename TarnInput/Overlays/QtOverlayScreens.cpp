#include "TarnInput/Overlays/QtOverlayScreens.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace tarn::input {

OverlayScreenLayout QtOverlayScreens::layout() const
{
    OverlayScreenLayout layout;
    const QList<QScreen*> screens = QGuiApplication::screens();
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : screens) {
        if (screen == primary) {
            layout.primaryIndex = layout.screens.size();
        }
        layout.screens.push_back({screen->geometry(), screen->availableGeometry(), screen->devicePixelRatio()});
    }
    layout.cursor = QCursor::pos();
    return layout;
}

} // namespace tarn::input
