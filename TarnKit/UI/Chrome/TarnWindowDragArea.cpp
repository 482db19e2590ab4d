#include "TarnKit/UI/Chrome/TarnWindowDragArea.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

namespace tarn {

TarnWindowDragArea::TarnWindowDragArea(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("windowDragArea"));
}

void TarnWindowDragArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_dragging = false;
    m_pressGlobal = event->globalPosition().toPoint();
    m_windowStart = window()->pos();
    event->accept();
}

void TarnWindowDragArea::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    if (!m_dragging) {
        // The move starts only once the pointer has really moved, so that a click (and the first
        // click of a double click) never hands the pointer to the window manager.
        if ((global - m_pressGlobal).manhattanLength() < QApplication::startDragDistance()) {
            return;
        }
        m_dragging = true;
        QWindow* handle = window()->windowHandle();
        m_manual = handle == nullptr || !handle->startSystemMove();
    }
    if (m_manual) {
        window()->move(m_windowStart + (global - m_pressGlobal));
    }
    event->accept();
}

void TarnWindowDragArea::mouseReleaseEvent(QMouseEvent* event)
{
    m_pressed = false;
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void TarnWindowDragArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_pressed = false;
    if (m_onDoubleClick) {
        m_onDoubleClick();
    }
    event->accept();
}

} // namespace tarn
