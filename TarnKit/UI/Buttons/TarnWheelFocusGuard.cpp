#include "TarnKit/UI/Buttons/TarnWheelFocusGuard.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>
#include <QWidget>

namespace tarn {

TarnWheelFocusGuard::TarnWheelFocusGuard(QObject* parent)
    : QObject(parent)
{
}

bool TarnWheelFocusGuard::guards(const QObject* object)
{
    if (qobject_cast<const QScrollBar*>(object) != nullptr) {
        return false;
    }
    return qobject_cast<const QComboBox*>(object) != nullptr || qobject_cast<const QAbstractSlider*>(object) != nullptr
        || qobject_cast<const QAbstractSpinBox*>(object) != nullptr;
}

bool TarnWheelFocusGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Polish && guards(watched)) {
        // Qt gives the focus to a wheel-focus widget before the wheel reaches it; a click (or
        // Tab) is what should give it.
        auto* widget = static_cast<QWidget*>(watched);
        if ((widget->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus) {
            widget->setFocusPolicy(Qt::StrongFocus);
        }
    } else if (event->type() == QEvent::Wheel && guards(watched) && !static_cast<QWidget*>(watched)->hasFocus()) {
        // Filtered but not accepted: the application hands the wheel on to the parents, so the
        // page scrolls.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarn
