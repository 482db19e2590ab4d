#pragma once

// A handle that reports when the pointer, dragged from it, has left its window and where it was
// let go: the start of tearing a piece of the window off into a window of its own. It shows an
// open hand, and a closed hand while a drag has gone 8 px or more from the press. Beyond that
// distance every move decides again whether the pointer is outside the window's frame grown by
// 4 px on each side, and each change is reported; letting go outside reports "inside" first and
// then the drop point in screen coordinates. Letting go inside reports no drop. It claims its
// own drags inside a TarnDraggableFloatingPanel.
//
// idle -> tracking (left press) -> outside / inside (re-decided beyond 8 px) -> idle (release)

#include <functional>

#include <QPoint>
#include <QWidget>

#include "TarnKit/UI/Panels/TarnCustomDragTrackingView.h"
#include "TarnKit/UI/Panels/TarnPushedCursor.h"

namespace tarn {

class TarnTearOffDragRegion : public QWidget, public TarnCustomDragTrackingView {
    Q_OBJECT

public:
    static constexpr double kTearOffThreshold = 8.0;
    static constexpr int kHostFrameMargin = 4;

    TarnTearOffDragRegion(std::function<void(bool outside)> onTearOffStateChanged,
        std::function<void(QPoint screenPoint)> onTearOffDropped, QWidget* parent = nullptr);

    bool isTracking() const { return m_isTracking; }
    bool isOutsideHost() const { return m_isOutsideHost; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void(bool)> m_onTearOffStateChanged;
    std::function<void(QPoint)> m_onTearOffDropped;
    bool m_isTracking = false;
    bool m_isOutsideHost = false;
    QPoint m_startScreenPoint;
    TarnPushedCursor m_closedHandCursor;
};

} // namespace tarn
