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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_radius;
    QColor m_fill;
};

} // namespace tarn::input
