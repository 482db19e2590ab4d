#include "TarnKit/UI/Buttons/TarnPrimaryButtonStyle.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

namespace {

double between(double rest, double pressed, double amount)
{
    const double t = std::clamp(amount, 0.0, 1.0);
    return rest + (pressed - rest) * t;
}

} // namespace

QFont TarnPrimaryButtonStyle::font()
{
    return TarnTextStyles::systemFont(kFontSize, QFont::DemiBold);
}

QColor TarnPrimaryButtonStyle::textColor()
{
    return QColor::fromRgbF(0.0F, 0.0F, 0.0F, static_cast<float>(kTextOpacity));
}

QColor TarnPrimaryButtonStyle::fill(double pressAmount)
{
    return QColor::fromRgbF(
        1.0F, 1.0F, 1.0F, static_cast<float>(between(kRestingFillOpacity, kPressedFillOpacity, pressAmount)));
}

double TarnPrimaryButtonStyle::scale(double pressAmount)
{
    return between(1.0, kPressedScale, pressAmount);
}

QEasingCurve TarnPrimaryButtonStyle::pressCurve()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.0, 0.0), QPointF(0.58, 1.0), QPointF(1.0, 1.0));
    return curve;
}

QSizeF TarnPrimaryButtonStyle::idealSize(const QFontMetricsF& metrics, const QString& label, std::string_view symbol)
{
    return {TarnSymbolIcons::labelWidth(metrics, symbol, label) + 2.0 * kHorizontalPadding,
        metrics.height() + 2.0 * kVerticalPadding};
}

void TarnPrimaryButtonStyle::paint(QPainter& painter, const QRectF& bounds, const QString& label,
    const QFontMetricsF& metrics, double pressAmount, std::string_view symbol)
{
    painter.save();
    const double factor = scale(pressAmount);
    const QPointF centre = bounds.center();
    painter.translate(centre);
    painter.scale(factor, factor);
    painter.translate(-centre);
    TarnContinuousShape::paintRoundedRect(painter, bounds, kCornerRadius, fill(pressAmount), Qt::transparent);
    TarnSymbolIcons::drawCentredLabel(painter,
        bounds.adjusted(kHorizontalPadding, kVerticalPadding, -kHorizontalPadding, -kVerticalPadding), symbol, label,
        metrics, font(), textColor());
    painter.restore();
}

} // namespace tarn
