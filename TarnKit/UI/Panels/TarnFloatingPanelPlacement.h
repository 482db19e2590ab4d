#pragma once

// Where a floating panel goes when it is centred on the screen under the pointer: that screen is
// the first whose frame holds the pointer, else the primary one, else the first. On its usable
// area (without panels and docks) the panel is centred and then lifted 40 px, but its bottom
// edge stays at least 24 px above the bottom of that area, so a tall panel is pushed up rather
// than down off the screen. Qt's y axis grows downwards: "lifted" means a smaller y.

#include <optional>
#include <vector>

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tarn {

struct TarnScreenArea {
    QRect frame;
    // The part of the frame that windows may use (QScreen::availableGeometry).
    QRect visibleFrame;
    bool isPrimary = false;
};

class TarnFloatingPanelPlacement {
public:
    static constexpr int kLift = 40;
    static constexpr int kBottomFloor = 24;

    TarnFloatingPanelPlacement() = delete;

    // None only when there is no screen at all.
    static std::optional<TarnScreenArea> activeScreen(const std::vector<TarnScreenArea>& screens, QPoint pointer);
    // The top-left corner of a panel of `size` centred, lifted and floored on `visibleFrame`.
    static QPoint centredOrigin(const QRect& visibleFrame, QSize size);
    // Both of the above; none (the panel stays where it is) without screens.
    static std::optional<QPoint> centredOnActiveScreen(
        const std::vector<TarnScreenArea>& screens, QPoint pointer, QSize size);

    // The application's screens now, as Qt reports them.
    static std::vector<TarnScreenArea> currentScreens();
};

} // namespace tarn
