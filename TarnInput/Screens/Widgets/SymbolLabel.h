#pragma once

// A text with a symbol in front of it, both in one colour: card titles and captions.

#include <string>

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace tarn::input {

class SymbolLabel : public QWidget {
    Q_OBJECT

public:
    SymbolLabel(std::string symbol, const QFont& font, const QColor& color, QWidget* parent = nullptr);

    void setText(const QString& text);
    void setSymbol(std::string symbol);
    void setColor(const QColor& color);
    QString text() const { return m_text; }
    const std::string& symbol() const { return m_symbol; }
    QColor color() const { return m_color; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr double kGap = 6;

    std::string m_symbol;
    QFont m_font;
    QColor m_color;
    QString m_text;
};

} // namespace tarn::input
