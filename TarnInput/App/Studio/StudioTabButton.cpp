#include "TarnInput/App/Studio/StudioTabButton.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

StudioTabButton::StudioTabButton(std::string symbol, QColor accent, QWidget* parent)
    : QAbstractButton(parent)
    , m_symbol(std::move(symbol))
    , m_accent(accent)
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
}

void StudioTabButton::setSelected(bool selected)
{
    if (m_selected != selected) {
        m_selected = selected;
        // The label's weight, and so the button's width, follows the selection.
        updateGeometry();
        update();
    }
}

QFont StudioTabButton::labelFont() const
{
    return TarnTextStyles::systemFont(kFontSize, m_selected ? QFont::DemiBold : QFont::Medium);
}

QColor StudioTabButton::labelColor() const
{
    return m_selected ? QColor(Qt::white) : TarnGlassTokens::textSecondary();
}

QSize StudioTabButton::sizeWithPadding(double horizontalPadding) const
{
    const QFontMetricsF metrics(labelFont(), this);
    const double width = TarnSymbolIcons::labelWidth(metrics, m_symbol, text()) + 2 * horizontalPadding;
    const double height = metrics.height() + 2 * kVerticalPadding;
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

QSize StudioTabButton::sizeHint() const
{
    return sizeWithPadding(kHorizontalPadding);
}

QSize StudioTabButton::minimumSizeHint() const
{
    return sizeWithPadding(kLeastHorizontalPadding);
}

void StudioTabButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The border is stroked inside the bounds.
    const QRectF plate = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = TarnContinuousShape::roundedRect(plate, kCornerRadius);
    QColor fill = m_selected ? m_accent : TarnGlassTokens::surface1();
    QColor border = m_selected ? m_accent : TarnGlassTokens::borderSubtle();
    if (m_selected) {
        fill.setAlphaF(0.26);
        border.setAlphaF(0.65);
    }
    painter.fillPath(shape, fill);
    painter.setPen(QPen(border, 1));
    painter.drawPath(shape);
    const QFont font = labelFont();
    const QFontMetricsF metrics(font, this);
    // Centred, the label keeps the full padding wherever the button has its full width.
    TarnSymbolIcons::drawCentredLabel(painter,
        QRectF(rect()).adjusted(kLeastHorizontalPadding, 0, -kLeastHorizontalPadding, 0), m_symbol, text(), metrics,
        font, labelColor());
}

} // namespace tarn::input
