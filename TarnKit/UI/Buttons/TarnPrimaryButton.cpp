#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QVariantAnimation>

#include "TarnKit/UI/Buttons/TarnPrimaryButtonStyle.h"
#include "TarnKit/UI/Glass/TarnContinuousShape.h"

namespace tarn {

TarnPrimaryButton::TarnPrimaryButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
    , m_pressAnimation(new QVariantAnimation(this))
{
    setFont(TarnPrimaryButtonStyle::font());
    m_pressAnimation->setObjectName(QStringLiteral("pressAnimation"));
    m_pressAnimation->setDuration(TarnPrimaryButtonStyle::kPressDurationMs);
    m_pressAnimation->setEasingCurve(TarnPrimaryButtonStyle::pressCurve());
    connect(m_pressAnimation, &QVariantAnimation::valueChanged, this, &TarnPrimaryButton::onPressAnimationValueChanged);
    connect(this, &QAbstractButton::pressed, this, &TarnPrimaryButton::onPressed);
    connect(this, &QAbstractButton::released, this, &TarnPrimaryButton::onReleased);
}

void TarnPrimaryButton::setSymbol(std::string symbol)
{
    m_symbol = std::move(symbol);
    updateGeometry();
    update();
}

QSize TarnPrimaryButton::sizeHint() const
{
    const QSizeF ideal
        = TarnPrimaryButtonStyle::idealSize(QFontMetricsF(TarnPrimaryButtonStyle::font(), this), text(), m_symbol);
    return {static_cast<int>(std::ceil(ideal.width())), static_cast<int>(std::ceil(ideal.height()))};
}

QSize TarnPrimaryButton::minimumSizeHint() const
{
    // Narrower than its label, the button cuts the label with an ellipsis.
    const QFontMetricsF metrics(TarnPrimaryButtonStyle::font(), this);
    const double width
        = metrics.horizontalAdvance(QStringLiteral("…")) + 2.0 * TarnPrimaryButtonStyle::kHorizontalPadding;
    return {static_cast<int>(std::ceil(width)), sizeHint().height()};
}

void TarnPrimaryButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    // The label's symbol leads the text in the button's reading direction.
    painter.setLayoutDirection(layoutDirection());
    TarnPrimaryButtonStyle::paint(
        painter, QRectF(rect()), text(), QFontMetricsF(TarnPrimaryButtonStyle::font(), this), m_pressAmount, m_symbol);
}

bool TarnPrimaryButton::hitButton(const QPoint& pos) const
{
    return TarnContinuousShape::roundedRect(QRectF(rect()), TarnPrimaryButtonStyle::kCornerRadius)
        .contains(QPointF(pos) + QPointF(0.5, 0.5));
}

void TarnPrimaryButton::onPressed()
{
    animatePressTo(1.0);
}

void TarnPrimaryButton::onReleased()
{
    animatePressTo(0.0);
}

void TarnPrimaryButton::onPressAnimationValueChanged(const QVariant& value)
{
    m_pressAmount = value.toDouble();
    update();
}

void TarnPrimaryButton::animatePressTo(double target)
{
    // A release during the press animation turns back from where the press got to.
    m_pressAnimation->stop();
    m_pressAnimation->setStartValue(m_pressAmount);
    m_pressAnimation->setEndValue(target);
    m_pressAnimation->start();
}

} // namespace tarn
