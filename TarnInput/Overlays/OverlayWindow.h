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
    // Shows the window, or keeps it shown, above other windows.
    static void present(QWidget& window, OverlayWindowManager& windowManager);
    // Limits the window to `shape`, its visible outline, unless a compositor blends it.
    static void applyShape(QWidget& window, bool compositing, const QRegion& shape);
};

} // namespace tarn::input
