#include "TarnInput/Screens/Widgets/PresetTile.h"

#include <cmath>

#include <QPainter>

#include "TarnInput/Screens/Widgets/VisualRect.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnSymbolIcons.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {

constexpr double kPaddingX = 10.0;
constexpr double kPaddingY = 7.0;
constexpr double kGap = 6.0;
constexpr double kRadius = 9.0;

} // namespace

PresetTile::PresetTile(const QString& name, QWidget* parent)
    : QAbstractButton(parent)
{
    setText(name);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFont(TarnTextStyles::systemFont(11.5, QFont::Medium));
}

void PresetTile::setSymbol(std::string symbol, const QColor& color)
{
    m_symbol = std::move(symbol);
    m_symbolColor = color;
    update();
}

QSize PresetTile::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const double icon = TarnSymbolIcons::sideForText(metrics);
    const double width = 2 * kPaddingX + icon + kGap + metrics.horizontalAdvance(text());
    const double height = 2 * kPaddingY + std::max(icon, metrics.height());
    return QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
}

QSize PresetTile::minimumSizeHint() const
{
    return QSize(60, sizeHint().height());
}

void PresetTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isDown() ? 0.7 : 1.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(TarnGlassTokens::surface2());
    painter.drawRoundedRect(QRectF(rect()), kRadius, kRadius);
    const QFontMetricsF metrics(font());
    const double icon = TarnSymbolIcons::sideForText(metrics);
    // The symbol leads the name: on its right in a right-to-left layout.
    const QRectF bounds(rect());
    const QRectF iconRect(kPaddingX, (height() - icon) / 2, icon, icon);
    TarnSymbolIcons::paint(painter, visualRect(layoutDirection(), bounds, iconRect), m_symbol, m_symbolColor);
    const double textLeft = iconRect.right() + kGap;
    const double available = width() - textLeft - kPaddingX;
    painter.setPen(Qt::white);
    TarnBidiText::drawText(painter, visualRect(layoutDirection(), bounds, QRectF(textLeft, 0, available, height())),
        Qt::AlignVCenter | Qt::AlignLeft, TarnTextStyles::singleLine(text(), metrics, available));
}

} // namespace tarn::input
