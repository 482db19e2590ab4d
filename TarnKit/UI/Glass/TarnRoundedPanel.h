#pragma once

// A plain container drawn as a continuous rounded rectangle behind its children: one fill and,
// when not transparent, a border of width 1 inside the edge. The kit's tiles, badges and lines.

#include <QColor>
#include <QWidget>

namespace tarn {

class TarnRoundedPanel : public QWidget {
    Q_OBJECT

public:
    TarnRoundedPanel(QColor fill, double cornerRadius, QColor border = Qt::transparent, QWidget* parent = nullptr);

    const QColor& fill() const { return m_fill; }
    const QColor& border() const { return m_border; }
    double cornerRadius() const { return m_cornerRadius; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
    double m_cornerRadius;
    QColor m_border;
};

} // namespace tarn
