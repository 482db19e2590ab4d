#include "TarnKit/UI/Buttons/TarnGlassButtonStyle.h"

#include <QFontMetricsF>
#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

QFont TarnGlassButtonStyle::font()
{
    return TarnTextStyles::systemFont(kFontSize, QFont::Medium);
}

QColor TarnGlassButtonStyle::fill() const
{
    return m_isActive ? TarnGlassTokens::surface3() : TarnGlassTokens::surface2();
}

QColor TarnGlassButtonStyle::border() const
{
    return m_isActive ? TarnGlassTokens::borderStrong() : TarnGlassTokens::borderSubtle();
}

QColor TarnGlassButtonStyle::textColor()
{
    return TarnGlassTokens::textPrimary();
}

QSizeF TarnGlassButtonStyle::idealSize(const QFontMetricsF& metrics, const QString& label, std::string_view symbol)
{
    return {TarnSymbolIcons::labelWidth(metrics, symbol, label) + 2.0 * kHorizontalPadding,
        metrics.height() + 2.0 * kVerticalPadding};
}

QPainterPath TarnGlassButtonStyle::hitShape(const QRectF& bounds)
{
    return TarnContinuousShape::roundedRect(bounds, kCornerRadius);
}

void TarnGlassButtonStyle::paint(QPainter& painter, const QRectF& bounds, const QString& label,
    const QFontMetricsF& metrics, bool pressed, std::string_view symbol, const QFont& labelFont) const
{
    painter.save();
    painter.setOpacity(painter.opacity() * (pressed ? kPressedOpacity : 1.0));
    TarnContinuousShape::paintRoundedRect(painter, bounds, kCornerRadius, fill(), border());
    TarnSymbolIcons::drawCentredLabel(painter,
        bounds.adjusted(kHorizontalPadding, kVerticalPadding, -kHorizontalPadding, -kVerticalPadding), symbol, label,
        metrics, labelFont, textColor());
    painter.restore();
}

} // namespace tarn
