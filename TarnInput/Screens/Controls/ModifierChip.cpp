#include "TarnInput/Screens/Controls/ModifierChip.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {

constexpr double kRadius = 7.0;

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace

ModifierChip::ModifierChip(const QString& name, const QColor& accent, QWidget* parent)
    : QAbstractButton(parent)
    , m_accent(accent)
{
    setText(name);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFont(TarnTextStyles::systemFont(12.5, QFont::Bold));
}

QSize ModifierChip::sizeHint() const
{
    // At least square for a one-letter name; a key name ("Shift") gets room on both sides.
    constexpr int kHeight = 26;
    constexpr int kSidePadding = 8;
    const int textWidth = qCeil(QFontMetricsF(font()).horizontalAdvance(text()));
    return QSize(std::max(28, textWidth + 2 * kSidePadding), kHeight);
}

void ModifierChip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isDown() ? 0.7 : 1.0);
    const bool on = isChecked();
    const QRectF plate = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(on ? withAlpha(m_accent, 0.8) : TarnGlassTokens::borderSubtle(), 1.0));
    painter.setBrush(on ? withAlpha(m_accent, 0.36) : TarnGlassTokens::surface2());
    painter.drawRoundedRect(plate, kRadius, kRadius);
    painter.setPen(on ? QColor(Qt::white) : TarnGlassTokens::textMuted());
    painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace tarn::input
