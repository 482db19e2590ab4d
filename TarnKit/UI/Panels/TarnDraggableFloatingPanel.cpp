#include "TarnKit/UI/Panels/TarnDraggableFloatingPanel.h"

#include <cmath>
#include <utility>

#include <QAbstractSlider>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWindow>

#include "TarnKit/UI/Panels/TarnCustomDragTrackingView.h"

namespace tarn {

namespace {

// Calls a copy, so that a callback that replaces itself does not destroy the function it runs in.
template <typename Callback, typename... Args> void notify(const Callback& callback, Args... args)
{
    if (callback) {
        const Callback copy = callback;
        copy(args...);
    }
}

} // namespace

TarnDraggableFloatingPanel::TarnDraggableFloatingPanel(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_screenMouseLocationProvider([] { return QCursor::pos(); })
    , m_layout(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("draggableFloatingPanel"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
}

void TarnDraggableFloatingPanel::setScreenMouseLocationProvider(std::function<QPoint()> provider)
{
    m_screenMouseLocationProvider = std::move(provider);
}

void TarnDraggableFloatingPanel::setContentView(QWidget* content)
{
    if (content == m_content) {
        return;
    }
    if (m_content) {
        m_layout->removeWidget(m_content);
        m_content->hide();
        m_content->deleteLater();
    }
    m_content = content;
    if (content != nullptr) {
        m_layout->addWidget(content);
    }
}

TarnDraggableFloatingPanel::DragState TarnDraggableFloatingPanel::dragState() const
{
    if (m_didStartDragging) {
        return DragState::dragging;
    }
    return m_trackingPotentialDrag ? DragState::watching : DragState::idle;
}

bool TarnDraggableFloatingPanel::tracksOwnDrags(const QWidget* hit, const QWidget* panel)
{
    for (const QWidget* widget = hit; widget != nullptr && widget != panel; widget = widget->parentWidget()) {
        if (qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QTextEdit*>(widget) != nullptr
            || qobject_cast<const QPlainTextEdit*>(widget) != nullptr
            || qobject_cast<const QAbstractSlider*>(widget) != nullptr
            || dynamic_cast<const TarnCustomDragTrackingView*>(widget) != nullptr) {
            return true;
        }
    }
    return false;
}

bool TarnDraggableFloatingPanel::event(QEvent* event)
{
    if (event->type() != QEvent::WindowDeactivate) {
        return QWidget::event(event);
    }
    cancelDrag();
    const bool handled = QWidget::event(event);
    emit didResignKey();
    return handled;
}

void TarnDraggableFloatingPanel::showEvent(QShowEvent* event)
{
    // Mouse events are watched on the panel's native window, before Qt hands them to the widget
    // under the pointer, so that a drag can start on any background and swallow its moves. The
    // window may have been recreated since the last show; installing again is harmless.
    windowHandle()->installEventFilter(this);
    QWidget::showEvent(event);
}

void TarnDraggableFloatingPanel::hideEvent(QHideEvent* event)
{
    cancelDrag();
    QWidget::hideEvent(event);
}

void TarnDraggableFloatingPanel::keyPressEvent(QKeyEvent* event)
{
    if (!event->matches(QKeySequence::Cancel)) {
        QWidget::keyPressEvent(event);
        return;
    }
    cancelDrag();
    notify(m_callbacks.onEscapePressed);
    event->accept();
}

bool TarnDraggableFloatingPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != windowHandle() || m_forwardingRelease) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        // Whatever the window manager's focus model, a click makes the panel the key window, and
        // the click itself still reaches the content.
        if (!isActiveWindow()) {
            activateWindow();
        }
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        return mouse.button() == Qt::LeftButton && onLeftMouseDown(mouse);
    }
    case QEvent::MouseMove:
        return (static_cast<const QMouseEvent*>(event)->buttons() & Qt::LeftButton) && onLeftMouseDragged();
    case QEvent::MouseButtonRelease: {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        return mouse.button() == Qt::LeftButton && onLeftMouseUp(mouse);
    }
    default:
        return false;
    }
}

bool TarnDraggableFloatingPanel::onLeftMouseDown(const QMouseEvent& event)
{
    m_trackingPotentialDrag = false;
    m_didStartDragging = false;
    m_dragWasCancelled = false;
    m_closedHandCursor.pop();
    if (m_content) {
        const QPoint inContent = m_content->mapFrom(this, event.position().toPoint());
        const QWidget* hit = nullptr;
        if (m_content->rect().contains(inContent)) {
            const QWidget* child = m_content->childAt(inContent);
            hit = child != nullptr ? child : m_content.data();
        }
        if (tracksOwnDrags(hit, this)) {
            return false;
        }
    }
    m_trackingPotentialDrag = true;
    m_dragStartScreenPoint = m_screenMouseLocationProvider();
    m_dragStartWindowOrigin = pos();
    m_dragOrigin = m_dragStartWindowOrigin;
    return false;
}

bool TarnDraggableFloatingPanel::onLeftMouseDragged()
{
    if (!m_trackingPotentialDrag) {
        return false;
    }
    const QPoint delta = m_screenMouseLocationProvider() - m_dragStartScreenPoint;
    if (!m_didStartDragging) {
        if (std::hypot(delta.x(), delta.y()) < kDragThreshold) {
            return false;
        }
        m_didStartDragging = true;
        m_closedHandCursor.push(Qt::ClosedHandCursor);
        moveDuringDrag(m_dragStartWindowOrigin + delta);
        notify(m_callbacks.onDragBegan, QRect(m_dragOrigin, size()));
    } else {
        moveDuringDrag(m_dragStartWindowOrigin + delta);
    }
    notify(m_callbacks.onDragMoved, QRect(m_dragOrigin, size()));
    return true;
}

bool TarnDraggableFloatingPanel::onLeftMouseUp(const QMouseEvent& event)
{
    if (!m_didStartDragging) {
        m_trackingPotentialDrag = false;
        if (!std::exchange(m_dragWasCancelled, false)) {
            return false;
        }
        // The button is still held after a cancelled drag; its release must not click either.
        releaseFarAway(event);
        return true;
    }
    const QPoint origin = m_dragOrigin;
    m_trackingPotentialDrag = false;
    m_didStartDragging = false;
    m_closedHandCursor.pop();
    releaseFarAway(event);
    notify(m_callbacks.onDragEnded, origin);
    return true;
}

void TarnDraggableFloatingPanel::releaseFarAway(const QMouseEvent& received)
{
    // Qt delivers a release to the widget that took the press, at the position it carries: far
    // away, a button sees its press end outside itself and does not click.
    const QPointF far(kReleasePointAfterDrag);
    QMouseEvent release(QEvent::MouseButtonRelease, far, far, QPointF(mapToGlobal(kReleasePointAfterDrag)),
        Qt::LeftButton, received.buttons(), received.modifiers(), received.pointingDevice());
    release.setTimestamp(received.timestamp());
    m_forwardingRelease = true;
    QCoreApplication::sendEvent(windowHandle(), &release);
    m_forwardingRelease = false;
}

void TarnDraggableFloatingPanel::moveDuringDrag(QPoint origin)
{
    // The frames reported are the ones asked for: a window system may confirm a move later.
    m_dragOrigin = origin;
    move(origin);
}

void TarnDraggableFloatingPanel::cancelDrag()
{
    const bool wasDragging = m_didStartDragging;
    m_trackingPotentialDrag = false;
    m_didStartDragging = false;
    m_closedHandCursor.pop();
    if (wasDragging) {
        m_dragWasCancelled = true;
        notify(m_callbacks.onDragCancelled);
    }
}

} // namespace tarn
