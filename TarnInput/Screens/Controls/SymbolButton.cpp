#include "TarnInput/Screens/Controls/SymbolButton.h"

#include <cmath>

#include <QPainter>

#include "TarnKit/UI/Text/TarnSymbolIcons.h"

namespace tarn::input {

SymbolButton::SymbolButton(std::string symbol, const QColor& color, double side, QWidget* parent)
    : QAbstractButton(parent)
    , m_symbol(std::move(symbol))
    , m_color(color)
    , m_side(side)
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SymbolButton::sizeHint() const
{
    const int side = static_cast<int>(std::ceil(m_side));
    return QSize(side, side);
}

void SymbolButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setOpacity(isDown() ? 0.6 : 1.0);
    TarnSymbolIcons::paint(painter, QRectF(rect()), m_symbol, m_color);
}

} // namespace tarn::input
