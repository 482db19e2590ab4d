#include "TarnKit/UI/TarnGlassSymbolButton.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "TarnKit/UI/TarnContinuousShape.h"
#include "TarnKit/UI/TarnSymbolIcons.h"
#include "TarnKit/UI/TarnTextStyles.h"

namespace tarn {

TarnGlassSymbolButton::TarnGlassSymbolButton(
    std::string symbol, const QString& text, const QFont& font, QWidget* parent)
    : QPushButton(text, parent)
    , m_symbol(std::move(symbol))
{
    setFont(font);
}

QSizeF TarnGlassSymbolButton::idealSize(const QFontMetricsF& metrics, const QString& text)
{
    const double symbolSide = TarnSymbolIcons::sideForText(metrics);
    const QString line = TarnTextStyles::oneLine(text);
    const double textWidth = line.isEmpty() ? 0.0 : kSpacing + metrics.horizontalAdvance(line);
    return {symbolSide + textWidth + 2.0 * TarnGlassButtonStyle::kHorizontalPadding,
        std::max(symbolSide, metrics.height()) + 2.0 * TarnGlassButtonStyle::kVerticalPadding};
}

void TarnGlassSymbolButton::paintLabelled(QPainter& painter, const QRectF& bounds, const std::string& symbol,
    const QString& text, const QFont& font, const QFontMetricsF& metrics, bool pressed)
{
    const TarnGlassButtonStyle style(false);
    painter.save();
    painter.setOpacity(painter.opacity() * (pressed ? TarnGlassButtonStyle::kPressedOpacity : 1.0));
    TarnContinuousShape::paintRoundedRect(
        painter, bounds, TarnGlassButtonStyle::kCornerRadius, style.fill(), style.border());
    const double symbolSide = TarnSymbolIcons::sideForText(metrics);
    const double available = bounds.width() - 2.0 * TarnGlassButtonStyle::kHorizontalPadding;
    const QString line
        = text.isEmpty() ? QString() : TarnTextStyles::singleLine(text, metrics, available - symbolSide - kSpacing);
    const double rowWidth = symbolSide + (line.isEmpty() ? 0.0 : kSpacing + metrics.horizontalAdvance(line));
    const double left = bounds.center().x() - rowWidth / 2.0;
    const double middle = bounds.center().y();
    TarnSymbolIcons::paint(painter, QRectF(left, middle - symbolSide / 2.0, symbolSide, symbolSide), symbol,
        TarnGlassButtonStyle::textColor());
    if (!line.isEmpty()) {
        painter.setFont(font);
        painter.setPen(TarnGlassButtonStyle::textColor());
        const QRectF textArea(
            left + symbolSide + kSpacing, bounds.top(), rowWidth - symbolSide - kSpacing + 1.0, bounds.height());
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line);
    }
    painter.restore();
}

QSize TarnGlassSymbolButton::sizeHint() const
{
    const QSizeF ideal = idealSize(QFontMetricsF(font(), this), text());
    return {static_cast<int>(std::ceil(ideal.width())), static_cast<int>(std::ceil(ideal.height()))};
}

QSize TarnGlassSymbolButton::minimumSizeHint() const
{
    return sizeHint();
}

void TarnGlassSymbolButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paintLabelled(painter, QRectF(rect()), m_symbol, text(), font(), QFontMetricsF(font(), this), isDown());
}

bool TarnGlassSymbolButton::hitButton(const QPoint& pos) const
{
    return TarnGlassButtonStyle::hitShape(QRectF(rect())).contains(QPointF(pos) + QPointF(0.5, 0.5));
}

} // namespace tarn
