#pragma once

// A short text on a capsule: brand and connection chips, resolution chips, badges.

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace tarn::input {

class CapsuleChip : public QWidget {
    Q_OBJECT

public:
    explicit CapsuleChip(QWidget* parent = nullptr);

    void setText(const QString& text);
    void setTextFont(const QFont& font);
    void setColors(const QColor& text, const QColor& fill, const QColor& border = Qt::transparent);
    // Space between the text and the capsule's edge, in logical pixels.
    void setPadding(double horizontal, double vertical);

    QString text() const { return m_text; }
    QColor fillColor() const { return m_fill; }
    QColor textColor() const { return m_textColor; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QFont m_font;
    QColor m_textColor;
    QColor m_fill;
    QColor m_border;
    double m_horizontalPadding = 7;
    double m_verticalPadding = 2;
};

} // namespace tarn::input
