#include "TarnKit/UI/Buttons/TarnPlainSymbolButton.h"

#include <cmath>

#include <QPainter>

#include "TarnKit/UI/Text/TarnSymbolIcons.h"

namespace tarn {

TarnPlainSymbolButton::TarnPlainSymbolButton(std::string symbol, double side, QColor color, QWidget* parent)
    : QAbstractButton(parent)
    , m_symbol(std::move(symbol))
    , m_color(std::move(color))
{
    setCursor(Qt::PointingHandCursor);
    const int pixels = static_cast<int>(std::ceil(side));
    setFixedSize(pixels, pixels);
}

void TarnPlainSymbolButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setOpacity(isDown() ? kPressedOpacity : 1.0);
    TarnSymbolIcons::paint(painter, QRectF(rect()), m_symbol, m_color);
}

} // namespace tarn
