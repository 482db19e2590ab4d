#pragma once

// A symbol followed by one line of text, both in one colour, the symbol the size of the text:
// the titles of the version sheet's cards.

#include <string>

#include <QColor>
#include <QWidget>

namespace tarn {

class TarnSymbolLabel : public QWidget {
    Q_OBJECT

public:
    static constexpr double kSpacing = 6.0;

    TarnSymbolLabel(
        std::string symbol, const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    const std::string& symbol() const { return m_symbol; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string m_symbol;
    QString m_text;
    QColor m_color;
};

} // namespace tarn
