#pragma once

// A measured value above its title on a small surface2 tile: the value in bold monospaced
// figures, in the accent while highlighted and white otherwise, on one line.

#include <QColor>
#include <QString>
#include <QWidget>

namespace tarn::input {

class MetricTile : public QWidget {
    Q_OBJECT

public:
    // `valueSize` and `titleSize` in logical pixels.
    MetricTile(double valueSize, double titleSize, QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setValue(const QString& value);
    void setHighlighted(bool highlighted);
    void setValueSize(double valueSize);
    void setAccent(const QColor& accent);

    QString title() const { return m_title; }
    QString value() const { return m_value; }
    bool isHighlighted() const { return m_highlighted; }
    // The colour the value is drawn in.
    QColor valueColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr double kPadding = 10;
    static constexpr double kSpacing = 3;

    double m_valueSize;
    double m_titleSize;
    QString m_title;
    QString m_value;
    bool m_highlighted = false;
    QColor m_accent;
};

} // namespace tarn::input
