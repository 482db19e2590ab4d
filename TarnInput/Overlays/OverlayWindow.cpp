#include "TarnInput/Overlays/OverlayWindow.h"

#include <QWidget>

#include "TarnInput/Overlays/OverlayWindowManager.h"

namespace tarn::input {

void OverlayWindow::configure(QWidget& window)
{
    // Left unmanaged by the window manager (override-redirect on X11): a manager puts the windows
    // it manages into frames of its own, and the frame would take the clicks that the window lets
    // through. An unmanaged window has no frame, shows on every desktop and is never focused.
    window.setWindowFlags(Qt::Tool | Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
        | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.setAttribute(Qt::WA_TransparentForMouseEvents);
    window.setFocusPolicy(Qt::NoFocus);
}

void OverlayWindow::present(QWidget& window, OverlayWindowManager& windowManager)
{
    if (!window.isVisible()) {
        // The native window must exist before the window manager is told about it, and the
        // hints must be in place before it is mapped.
        windowManager.prepareToShow(static_cast<std::uint64_t>(window.winId()));
        window.show();
    }
    window.raise();
}

void OverlayWindow::applyShape(QWidget& window, bool compositing, const QRegion& shape)
{
    if (compositing) {
        window.clearMask();
    } else {
        window.setMask(shape);
    }
}

} // namespace tarn::input
