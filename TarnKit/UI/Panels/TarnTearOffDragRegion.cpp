#include "TarnKit/UI/Panels/TarnTearOffDragRegion.h"

#include <cmath>

#include <QMouseEvent>

namespace tarn {

TarnTearOffDragRegion::TarnTearOffDragRegion(std::function<void(bool outside)> onTearOffStateChanged,
    std::function<void(QPoint screenPoint)> onTearOffDropped, QWidget* parent)
    : QWidget(parent)
    , m_onTearOffStateChanged(std::move(onTearOffStateChanged))
    , m_onTearOffDropped(std::move(onTearOffDropped))
{
    setObjectName(QStringLiteral("tearOffDragRegion"));
    setCursor(Qt::OpenHandCursor);
}

void TarnTearOffDragRegion::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_isTracking = true;
    m_isOutsideHost = false;
    m_startScreenPoint = event->globalPosition().toPoint();
    event->accept();
}

void TarnTearOffDragRegion::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_isTracking) {
        return;
    }
    const QPoint pointer = event->globalPosition().toPoint();
    const QPoint travel = pointer - m_startScreenPoint;
    if (std::hypot(travel.x(), travel.y()) < kTearOffThreshold) {
        return;
    }
    m_closedHandCursor.push(Qt::ClosedHandCursor);
    const QRect host
        = window()->frameGeometry().adjusted(-kHostFrameMargin, -kHostFrameMargin, kHostFrameMargin, kHostFrameMargin);
    const bool outside = !host.contains(pointer);
    if (outside == m_isOutsideHost) {
        return;
    }
    m_isOutsideHost = outside;
    if (m_onTearOffStateChanged) {
        m_onTearOffStateChanged(outside);
    }
}

void TarnTearOffDragRegion::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!m_isTracking || event->button() != Qt::LeftButton) {
        return;
    }
    const bool wasOutside = m_isOutsideHost;
    const QPoint dropPoint = event->globalPosition().toPoint();
    m_isTracking = false;
    if (m_isOutsideHost) {
        m_isOutsideHost = false;
        if (m_onTearOffStateChanged) {
            m_onTearOffStateChanged(false);
        }
    }
    m_closedHandCursor.pop();
    if (wasOutside && m_onTearOffDropped) {
        m_onTearOffDropped(dropPoint);
    }
}

} // namespace tarn
