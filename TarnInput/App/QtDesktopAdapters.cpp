#include "TarnInput/App/QtDesktopAdapters.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>

#include "TarnInput/Overlays/KeyHUDOverlayController.h"

namespace tarn::input {

void QtClipboardPasteboard::setText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

ClickRippleEvent::Point QtCursorScreens::pointerLocation() const
{
    const QPoint position = QCursor::pos();
    return {static_cast<double>(position.x()), static_cast<double>(position.y())};
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
