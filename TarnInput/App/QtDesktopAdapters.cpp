#include "TarnInput/App/QtDesktopAdapters.h"

#include <QClipboard>
#include <QGuiApplication>

#include "TarnInput/Overlays/KeyHUD/KeyHUDOverlayController.h"
#include "TarnInput/Overlays/QtOverlayScreens.h"

namespace tarn::input {

void QtClipboardPasteboard::setText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

// Ripples are placed from the engine's device pixels; Qt's cursor is in logical pixels, so on a
// scaled screen the preview's ripple would land away from the pointer without the conversion.
ClickRippleEvent::Point QtCursorScreens::pointerLocation() const
{
    const OverlayScreenLayout layout = QtOverlayScreens().layout();
    const QPointF position = layout.deviceFromLogical(layout.cursor);
    return {position.x(), position.y()};
}

void KeyHUDOverlayPort::push(const KeyHUDToken& token, KeyHUDPosition position, double durationSeconds)
{
    m_controller.push(token, position, durationSeconds);
}

void KeyHUDOverlayPort::showClickRipple(const ClickRippleEvent& event)
{
    m_controller.showClickRipple(event);
}

} // namespace tarn::input
