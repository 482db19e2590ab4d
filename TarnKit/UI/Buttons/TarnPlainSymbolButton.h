#pragma once

// A symbol alone as a button, without any button chrome: a square of the given side showing the
// symbol in one colour, dimmed while pressed. Close and remove crosses of the kit's sheets.

#include <string>

#include <QAbstractButton>
#include <QColor>

namespace tarn {

class TarnPlainSymbolButton : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr double kPressedOpacity = 0.7;

    TarnPlainSymbolButton(std::string symbol, double side, QColor color, QWidget* parent = nullptr);

    const std::string& symbol() const { return m_symbol; }
    const QColor& color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string m_symbol;
    QColor m_color;
};

} // namespace tarn
