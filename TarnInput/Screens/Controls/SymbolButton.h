#pragma once

// A plain button that is only a symbol in one colour, without any chrome: the close mark of a
// chip, the trash of a rule row.

#include <string>

#include <QAbstractButton>
#include <QColor>

namespace tarn::input {

class SymbolButton : public QAbstractButton {
    Q_OBJECT

public:
    // `side` is the symbol's size in logical pixels.
    SymbolButton(std::string symbol, const QColor& color, double side, QWidget* parent = nullptr);

    const std::string& symbol() const { return m_symbol; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string m_symbol;
    QColor m_color;
    double m_side;
};

} // namespace tarn::input
