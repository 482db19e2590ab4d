#include "TarnKit/UI/Text/TarnSymbolLabel.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

TarnSymbolLabel::TarnSymbolLabel(
    std::string symbol, const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent)
    , m_symbol(std::move(symbol))
    , m_text(text)
    , m_color(color)
{
    setFont(font);
    // Given less room than its line needs, the text is cut at the end with an ellipsis.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TarnSymbolLabel::setText(const QString& text)
{
    if (text != m_text) {
        m_text = text;
        updateGeometry();
        update();
    }
}

QSize TarnSymbolLabel::sizeHint() const
{
    const QFontMetricsF metrics(font(), this);
    const double side = TarnSymbolIcons::sideForText(metrics);
    return {static_cast<int>(std::ceil(side + kSpacing + metrics.horizontalAdvance(m_text))),
        static_cast<int>(std::ceil(std::max(side, metrics.height())))};
}

QSize TarnSymbolLabel::minimumSizeHint() const
{
    const QFontMetricsF metrics(font(), this);
    const double side = TarnSymbolIcons::sideForText(metrics);
    return {static_cast<int>(std::ceil(side + kSpacing + metrics.horizontalAdvance(QStringLiteral("…")))),
        sizeHint().height()};
}

void TarnSymbolLabel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QFontMetricsF metrics(font(), this);
    const double side = TarnSymbolIcons::sideForText(metrics);
    const QRectF bounds(rect());
    // The symbol leads: on the right in a right-to-left layout.
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const double symbolX = rightToLeft ? bounds.right() - side : bounds.left();
    TarnSymbolIcons::paint(painter, QRectF(symbolX, bounds.center().y() - side / 2.0, side, side), m_symbol, m_color);
    painter.setFont(font());
    painter.setPen(m_color);
    const QRectF textArea
        = rightToLeft ? bounds.adjusted(0, 0, -(side + kSpacing), 0) : bounds.adjusted(side + kSpacing, 0, 0, 0);
    TarnBidiText::drawText(painter, textArea, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
        TarnTextStyles::singleLine(m_text, metrics, textArea.width()));
}

} // namespace tarn
