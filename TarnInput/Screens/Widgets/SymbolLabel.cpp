#include "TarnInput/Screens/Widgets/SymbolLabel.h"

#include <QPainter>

#include "TarnInput/Screens/Widgets/VisualRect.h"
#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

SymbolLabel::SymbolLabel(std::string symbol, const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent)
    , m_symbol(std::move(symbol))
    , m_font(font)
    , m_color(color)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void SymbolLabel::setText(const QString& text)
{
    m_text = text;
    updateGeometry();
    update();
}

void SymbolLabel::setSymbol(std::string symbol)
{
    m_symbol = std::move(symbol);
    update();
}

void SymbolLabel::setColor(const QColor& color)
{
    m_color = color;
    update();
}

QSize SymbolLabel::sizeHint() const
{
    const QFontMetricsF metrics(m_font);
    const double side = TarnSymbolIcons::sideForText(metrics);
    return QSize(qCeil(side + kGap + metrics.horizontalAdvance(m_text)), qCeil(std::max(side, metrics.height())));
}

QSize SymbolLabel::minimumSizeHint() const
{
    const QFontMetricsF metrics(m_font);
    return QSize(qCeil(TarnSymbolIcons::sideForText(metrics) + kGap), sizeHint().height());
}

void SymbolLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(m_font);
    const double side = TarnSymbolIcons::sideForText(metrics);
    // The symbol leads the text: on its right in a right-to-left layout.
    const QRectF bounds(rect());
    TarnSymbolIcons::paint(painter, visualRect(layoutDirection(), bounds, QRectF(0, (height() - side) / 2, side, side)),
        m_symbol, m_color);
    painter.setFont(m_font);
    painter.setPen(m_color);
    const QRectF textRect
        = visualRect(layoutDirection(), bounds, QRectF(side + kGap, 0, width() - side - kGap, height()));
    TarnBidiText::drawText(painter, textRect, Qt::AlignLeft | Qt::AlignVCenter,
        TarnTextStyles::singleLine(m_text, metrics, textRect.width()));
}

} // namespace tarn::input
