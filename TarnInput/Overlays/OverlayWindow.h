#pragma once

// What both overlays are as windows: frameless, above other windows, never focused, and
// transparent for input, so a click on one lands in the window below (on X11 Qt empties the
// window's input shape). They are drawn translucent; where no compositor blends them, a mask
// limits them to their own shape. The window manager keeps them on every workspace.

#include <QRegion>

class QWidget;

namespace tarn::input {

class OverlayWindowManager;

class OverlayWindow {
public:
    OverlayWindow() = delete;

    // Once, on a new top-level widget, before it is first shown.
    static void configure(QWidget& window);
    // Shows the window, or keeps it shown, above other windows. `shape` is its visible outline,
    // used as the mask when there is no compositor.
    static void present(QWidget& window, OverlayWindowManager& windowManager, const QRegion& shape);
    // The mask for the window's current outline: none while a compositor runs.
    static void applyShape(QWidget& window, bool compositing, const QRegion& shape);
};

} // namespace tarn::input
