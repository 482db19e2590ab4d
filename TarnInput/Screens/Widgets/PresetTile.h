#pragma once

// A one-click tile: a symbol, a one-line name and empty room after it, on a rounded plate.

#include <string>

#include <QAbstractButton>
#include <QColor>

namespace tarn::input {

class PresetTile : public QAbstractButton {
    Q_OBJECT

public:
    explicit PresetTile(const QString& name, QWidget* parent = nullptr);

    void setSymbol(std::string symbol, const QColor& color);
    const std::string& symbol() const { return m_symbol; }
    QColor symbolColor() const { return m_symbolColor; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string m_symbol;
    QColor m_symbolColor;
};

} // namespace tarn::input
