#pragma once

// A plain surface behind its children: a continuous rounded rectangle in one fill (a capsule
// when the radius reaches half the height). Rows, chips and wells of the screens.

#include <QColor>
#include <QWidget>

namespace tarn::input {

class RoundedPlate : public QWidget {
    Q_OBJECT

public:
    RoundedPlate(double radius, const QColor& fill, QWidget* parent = nullptr);

    QColor fill() const { return m_fill; }
    QColor border() const { return m_border; }
    void setFill(const QColor& fill);
    // A line of width 1 inside the edge; transparent (none) unless set.
    void setBorder(const QColor& border);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_radius;
    QColor m_fill;
    QColor m_border = Qt::transparent;
};

} // namespace tarn::input
