#pragma once

// Empty header space that moves its window. A drag past the desktop's drag distance hands the
// move to the window manager (startSystemMove); where no window manager answers, the window
// follows the pointer itself. A double click runs the header's double-click action; a third
// click of a triple click is an ordinary press again.

#include <functional>

#include <QPoint>
#include <QWidget>

namespace tarn {

class TarnWindowDragArea : public QWidget {
    Q_OBJECT

public:
    explicit TarnWindowDragArea(QWidget* parent = nullptr);

    void setDoubleClickHandler(std::function<void()> handler) { m_onDoubleClick = std::move(handler); }
    // Whether the last drag was moved by hand because the window manager did not take it.
    bool lastDragWasManual() const { return m_manual; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::function<void()> m_onDoubleClick;
    bool m_pressed = false;
    bool m_dragging = false;
    bool m_manual = false;
    QPoint m_pressGlobal;
    QPoint m_windowStart;
};

} // namespace tarn
