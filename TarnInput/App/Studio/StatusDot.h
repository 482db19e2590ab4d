#pragma once

// A filled 8 × 8 circle in the success colour while `on`, the warning colour otherwise: whether
// the input tap runs.

#include <QWidget>

namespace tarn::input {

class StatusDot : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSide = 8;

    explicit StatusDot(QWidget* parent = nullptr);
    void setOn(bool on);
    bool isOn() const { return m_on; }
    QColor color() const;
    QSize sizeHint() const override { return {kSide, kSide}; }

    // Paints the dot into the square at `topLeft`.
    static void paint(QPainter& painter, QPointF topLeft, bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_on = false;
};

} // namespace tarn::input
