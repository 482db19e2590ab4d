#include "TarnKit/Feedback/Composer/Sheet/TarnFeedbackKindChip.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnQString.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn {

TarnFeedbackKindChip::TarnFeedbackKindChip(TarnFeedbackKind kind, TarnLanguage language, QColor accent, QWidget* parent)
    : QAbstractButton(parent)
    , m_kind(kind)
    , m_accent(std::move(accent))
{
    setText(toQString(title(kind, language)));
    setObjectName(QStringLiteral("kindChip_") + toQString(rawValue(kind)));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TarnFeedbackKindChip::setSelected(bool selected)
{
    if (selected != m_selected) {
        m_selected = selected;
        update();
    }
}

QFont TarnFeedbackKindChip::titleFont() const
{
    return TarnTextStyles::font(TarnTextStyle::caption, m_selected ? QFont::DemiBold : QFont::Medium);
}

double TarnFeedbackKindChip::symbolSide() const
{
    return TarnSymbolIcons::sideForText(QFontMetricsF(TarnTextStyles::systemFont(kSymbolFontSize), this));
}

QSize TarnFeedbackKindChip::sizeHint() const
{
    // Measured semibold, so that selecting a chip never needs more room.
    const QFontMetricsF metrics(TarnTextStyles::font(TarnTextStyle::caption, QFont::DemiBold), this);
    const double side = symbolSide();
    return {static_cast<int>(std::ceil(2 * kHorizontalPadding + side + kSpacing + metrics.horizontalAdvance(text()))),
        static_cast<int>(std::ceil(2 * kVerticalPadding + std::max(side, metrics.height())))};
}

QSize TarnFeedbackKindChip::minimumSizeHint() const
{
    const QFontMetricsF metrics(titleFont(), this);
    const double side = symbolSide();
    return {static_cast<int>(
                std::ceil(2 * kHorizontalPadding + side + kSpacing + metrics.horizontalAdvance(QStringLiteral("…")))),
        sizeHint().height()};
}

void TarnFeedbackKindChip::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (isDown()) {
        painter.setOpacity(0.85);
    }
    const QRectF bounds(rect());
    QColor border = m_accent;
    border.setAlphaF(kSelectedBorderOpacity);
    TarnContinuousShape::paintRoundedRect(painter, bounds, kCornerRadius,
        m_selected ? TarnGlassTokens::surface3() : TarnGlassTokens::surface1(),
        m_selected ? border : TarnGlassTokens::borderSubtle());

    // Symbol, then title, then the free space: mirrored in a right-to-left layout.
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const QRectF content
        = bounds.adjusted(kHorizontalPadding, kVerticalPadding, -kHorizontalPadding, -kVerticalPadding);
    const double side = symbolSide();
    const QRectF symbol(
        rightToLeft ? content.right() - side : content.left(), content.center().y() - side / 2.0, side, side);
    TarnSymbolIcons::paint(
        painter, symbol, symbolName(m_kind), m_selected ? m_accent : TarnGlassTokens::textSecondary());

    const QFont font = titleFont();
    const QFontMetricsF metrics(font, this);
    const QRectF textArea
        = rightToLeft ? content.adjusted(0, 0, -(side + kSpacing), 0) : content.adjusted(side + kSpacing, 0, 0, 0);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(textArea, (rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter | Qt::TextSingleLine,
        TarnTextStyles::singleLine(text(), metrics, textArea.width()));
}

} // namespace tarn
