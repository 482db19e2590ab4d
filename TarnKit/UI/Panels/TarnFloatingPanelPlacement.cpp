#include "TarnKit/UI/Panels/TarnFloatingPanelPlacement.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QScreen>

namespace tarn {

std::optional<TarnScreenArea> TarnFloatingPanelPlacement::activeScreen(
    const std::vector<TarnScreenArea>& screens, QPoint pointer)
{
    if (screens.empty()) {
        return std::nullopt;
    }
    const auto underPointer = std::find_if(screens.begin(), screens.end(),
        [pointer](const TarnScreenArea& screen) { return screen.frame.contains(pointer); });
    if (underPointer != screens.end()) {
        return *underPointer;
    }
    const auto primary
        = std::find_if(screens.begin(), screens.end(), [](const TarnScreenArea& screen) { return screen.isPrimary; });
    return primary != screens.end() ? *primary : screens.front();
}

QPoint TarnFloatingPanelPlacement::centredOrigin(const QRect& visibleFrame, QSize size)
{
    // Halves are taken exactly and rounded once, so an odd size cannot shift the panel twice.
    const double midX = visibleFrame.x() + visibleFrame.width() / 2.0;
    const double midY = visibleFrame.y() + visibleFrame.height() / 2.0;
    const double centredTop = midY - size.height() / 2.0 - kLift;
    const double flooredTop
        = static_cast<double>(visibleFrame.y() + visibleFrame.height() - kBottomFloor - size.height());
    const double left = midX - size.width() / 2.0;
    return {static_cast<int>(std::lround(left)), static_cast<int>(std::lround(std::min(centredTop, flooredTop)))};
}

std::optional<QPoint> TarnFloatingPanelPlacement::centredOnActiveScreen(
    const std::vector<TarnScreenArea>& screens, QPoint pointer, QSize size)
{
    const auto screen = activeScreen(screens, pointer);
    if (!screen) {
        return std::nullopt;
    }
    return centredOrigin(screen->visibleFrame, size);
}

std::vector<TarnScreenArea> TarnFloatingPanelPlacement::currentScreens()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    std::vector<TarnScreenArea> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back({screen->geometry(), screen->availableGeometry(), screen == primary});
    }
    return areas;
}

} // namespace tarn
