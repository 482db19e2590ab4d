#pragma once

// A frameless panel above other windows that the user moves by pressing anywhere on it that is
// not a control with drags of its own (line edits, text editors, sliders, scroll bars, and
// widgets marked TarnCustomDragTrackingView) and dragging.
//
// As a window it is a frameless tool window that the window manager keeps above the others (no
// task-bar entry). A window manager that is left out (an override-redirect window on X11) would
// not know that the panel has the keyboard, and would not give it back to the window that had it
// once the panel hides. A click makes the panel the key window; the click itself reaches its
// content.
//
// A drag: idle -> watching (left press on background) -> dragging (the pointer went 4 px or more
// from the press) -> idle on release, or on Escape, focus loss or hide, which tell
// onDragCancelled when a drag had started. The pointer is read in screen coordinates from a
// replaceable provider. The content never sees a click after a drag: the release that ends a drag
// reaches it at (-10000, -10000) in window coordinates, far outside anything it could act on, and
// so does the release after a drag that Escape, focus loss or hide cut off. Moves during a drag
// are not passed on.
//
// Callbacks run synchronously on the interface thread; they may change the callbacks but must
// not delete the panel (deleteLater instead).

#include <functional>

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include "TarnKit/UI/Panels/TarnPushedCursor.h"

class QMouseEvent;
class QVBoxLayout;

namespace tarn {

class TarnDraggableFloatingPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr double kDragThreshold = 4.0;
    static constexpr QPoint kReleasePointAfterDrag {-10000, -10000};

    struct Callbacks {
        std::function<void()> onEscapePressed;
        // The drag passed the threshold; the panel's frame after its first move.
        std::function<void(QRect)> onDragBegan;
        // Every move of a drag, the first included; the panel's frame.
        std::function<void(QRect)> onDragMoved;
        // The release after a drag; the panel's top-left corner.
        std::function<void(QPoint)> onDragEnded;
        // A started drag was cut off by Escape, focus loss or hide.
        std::function<void()> onDragCancelled;
    };

    enum class DragState { idle, watching, dragging };

    explicit TarnDraggableFloatingPanel(QWidget* parent = nullptr);

    Callbacks& callbacks() { return m_callbacks; }
    // QCursor::pos() unless replaced.
    void setScreenMouseLocationProvider(std::function<QPoint()> provider);

    // The panel's one content widget, filling it. The panel takes it; the previous one is deleted
    // later, as it may be running the very call that replaces it.
    void setContentView(QWidget* content);
    QWidget* contentView() const { return m_content; }

    DragState dragState() const;

    // Whether a press on `hit` (a widget inside `panel`, or null for none) belongs to the widget
    // or one of its containers below the panel, rather than moving the panel.
    static bool tracksOwnDrags(const QWidget* hit, const QWidget* panel);

signals:
    // The panel stopped being the window that takes the keyboard (after any drag was cancelled).
    void didResignKey();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Each returns true when the event is swallowed.
    bool onLeftMouseDown(const QMouseEvent& event);
    bool onLeftMouseDragged();
    bool onLeftMouseUp(const QMouseEvent& event);
    void releaseFarAway(const QMouseEvent& received);
    void moveDuringDrag(QPoint origin);
    // Clears the drag; a drag that had started is reported cancelled.
    void cancelDrag();

    Callbacks m_callbacks;
    std::function<QPoint()> m_screenMouseLocationProvider;
    QVBoxLayout* m_layout;
    QPointer<QWidget> m_content;
    bool m_trackingPotentialDrag = false;
    bool m_didStartDragging = false;
    // A drag was cancelled while the button stayed down.
    bool m_dragWasCancelled = false;
    bool m_forwardingRelease = false;
    TarnPushedCursor m_closedHandCursor;
    QPoint m_dragStartScreenPoint;
    QPoint m_dragStartWindowOrigin;
    QPoint m_dragOrigin;
};

} // namespace tarn
