#include "TarnInput/Overlays/OverlayWindow.h"

#include <QWidget>

#include "TarnInput/Overlays/OverlayWindowManager.h"

namespace tarn::input {

void OverlayWindow::configure(QWidget& window)
{
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
        | Qt::WindowTransparentForInput);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.setAttribute(Qt::WA_TransparentForMouseEvents);
    window.setFocusPolicy(Qt::NoFocus);
}

void OverlayWindow::present(QWidget& window, OverlayWindowManager& windowManager, const QRegion& shape)
{
    applyShape(window, windowManager.isCompositing(), shape);
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
