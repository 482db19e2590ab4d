#include "TarnKit/UI/Buttons/TarnGlassButton.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

namespace tarn {

TarnGlassButton::TarnGlassButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    setFont(TarnGlassButtonStyle::font());
}

void TarnGlassButton::setActive(bool active)
{
    if (active == m_style.isActive()) {
        return;
    }
    m_style = TarnGlassButtonStyle(active);
    update();
}

void TarnGlassButton::setSymbol(std::string symbol)
{
    m_symbol = std::move(symbol);
    updateGeometry();
    update();
}

QSize TarnGlassButton::sizeHint() const
{
    const QSizeF ideal = TarnGlassButtonStyle::idealSize(QFontMetricsF(font(), this), text(), m_symbol);
    return {static_cast<int>(std::ceil(ideal.width())), static_cast<int>(std::ceil(ideal.height()))};
}

QSize TarnGlassButton::minimumSizeHint() const
{
    // Narrower than its label, the button cuts the label with an ellipsis.
    const QFontMetricsF metrics(font(), this);
    const double width
        = metrics.horizontalAdvance(QStringLiteral("…")) + 2.0 * TarnGlassButtonStyle::kHorizontalPadding;
    return {static_cast<int>(std::ceil(width)), sizeHint().height()};
}

void TarnGlassButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    // The label's symbol leads the text in the button's reading direction.
    painter.setLayoutDirection(layoutDirection());
    m_style.paint(painter, QRectF(rect()), text(), QFontMetricsF(font(), this), isDown(), m_symbol, font());
}

bool TarnGlassButton::hitButton(const QPoint& pos) const
{
    return TarnGlassButtonStyle::hitShape(QRectF(rect())).contains(QPointF(pos) + QPointF(0.5, 0.5));
}

} // namespace tarn
