#include "TarnKit/UI/Glass/TarnToastBanner.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QGraphicsDropShadowEffect>
#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

namespace {

// Wide enough for any message, small enough for Qt's fixed-point text metrics.
constexpr double kUnbounded = 100000.0;

} // namespace

TarnToastBanner::TarnToastBanner(const QString& message, bool isError, QWidget* parent)
    : QWidget(parent)
    , m_message(message)
    , m_isError(isError)
{
    setFont(messageFont());
    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setColor(QColor::fromRgbF(0.0F, 0.0F, 0.0F, static_cast<float>(kShadowOpacity)));
    shadow->setBlurRadius(kShadowBlurRadius);
    shadow->setOffset(0.0, kShadowOffsetY);
    setGraphicsEffect(shadow);
}

void TarnToastBanner::setMessage(const QString& message)
{
    if (message == m_message) {
        return;
    }
    m_message = message;
    updateGeometry();
    update();
}

void TarnToastBanner::setError(bool isError)
{
    if (isError == m_isError) {
        return;
    }
    m_isError = isError;
    update();
}

const char* TarnToastBanner::symbolName() const
{
    return m_isError ? "exclamationmark.triangle.fill" : "checkmark.circle.fill";
}

QColor TarnToastBanner::symbolColor() const
{
    // An error toast uses the warning colour, not the danger one: it reports, it does not alarm.
    return m_isError ? TarnGlassTokens::warning() : TarnGlassTokens::success();
}

QFont TarnToastBanner::messageFont() const
{
    return TarnTextStyles::font(TarnTextStyle::callout, QFont::Medium);
}

double TarnToastBanner::iconSide() const
{
    return TarnSymbolIcons::sideForText(QFontMetricsF(messageFont(), this));
}

QRectF TarnToastBanner::textBounds(double availableWidth) const
{
    const QFontMetricsF metrics(messageFont(), this);
    if (m_message.isEmpty()) {
        return {0, 0, 0, metrics.height()};
    }
    const QRectF natural
        = metrics.boundingRect(QRectF(0, 0, kUnbounded, kUnbounded), Qt::AlignLeft | Qt::AlignTop, m_message);
    if (natural.width() <= availableWidth) {
        return {0, 0, natural.width(), std::max(natural.height(), metrics.height())};
    }
    const QRectF wrapped = metrics.boundingRect(QRectF(0, 0, std::max(1.0, availableWidth), kUnbounded),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_message);
    return {0, 0, std::min(wrapped.width(), availableWidth), std::max(wrapped.height(), metrics.height())};
}

QSize TarnToastBanner::sizeHint() const
{
    const QRectF text = textBounds(kUnbounded);
    // An empty message leaves the icon alone in the capsule, without the gap meant for text.
    const double rowWidth = iconSide() + (m_message.isEmpty() ? 0.0 : kSpacing + text.width());
    const double rowHeight = std::max(iconSide(), text.height());
    return {static_cast<int>(std::ceil(rowWidth + 2.0 * kHorizontalPadding)),
        static_cast<int>(std::ceil(rowHeight + 2.0 * kVerticalPadding))};
}

QSize TarnToastBanner::minimumSizeHint() const
{
    const QFontMetricsF metrics(messageFont(), this);
    const double oneLine = std::max(iconSide(), metrics.height());
    return {static_cast<int>(std::ceil(iconSide() + 2.0 * kHorizontalPadding)),
        static_cast<int>(std::ceil(oneLine + 2.0 * kVerticalPadding))};
}

bool TarnToastBanner::hasHeightForWidth() const
{
    return true;
}

int TarnToastBanner::heightForWidth(int width) const
{
    const double textWidth = width - 2.0 * kHorizontalPadding - iconSide() - kSpacing;
    const double rowHeight = std::max(iconSide(), textBounds(textWidth).height());
    return static_cast<int>(std::ceil(rowHeight + 2.0 * kVerticalPadding));
}

void TarnToastBanner::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRectF bounds(rect());
    TarnContinuousShape::paintCapsule(painter, bounds,
        QColor::fromRgbF(0.0F, 0.0F, 0.0F, static_cast<float>(kFillOpacity)), TarnGlassTokens::borderSubtle());

    const QRectF row = bounds.adjusted(kHorizontalPadding, kVerticalPadding, -kHorizontalPadding, -kVerticalPadding);
    const double side = iconSide();
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const double iconX = rightToLeft ? row.right() - side : row.left();
    TarnSymbolIcons::paint(
        painter, QRectF(iconX, row.center().y() - side / 2.0, side, side), symbolName(), symbolColor());

    if (m_message.isEmpty()) {
        return;
    }
    const QRectF textArea
        = rightToLeft ? row.adjusted(0, 0, -(side + kSpacing), 0) : row.adjusted(side + kSpacing, 0, 0, 0);
    painter.setFont(messageFont());
    painter.setPen(Qt::white);
    TarnBidiText::drawText(painter, textArea, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextWordWrap, m_message);
}

} // namespace tarn
