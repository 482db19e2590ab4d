#include "TarnInput/Screens/Widgets/ModifierChip.h"

#include <QPainter>

#include "TarnKit/UI/TarnGlassTokens.h"
#include "TarnKit/UI/TarnTextStyles.h"

namespace tarn::input {

namespace {

constexpr double kRadius = 7.0;

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace

ModifierChip::ModifierChip(const QString& glyph, const QColor& accent, QWidget* parent)
    : QAbstractButton(parent)
    , m_accent(accent)
{
    setText(glyph);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFont(TarnTextStyles::systemFont(12.5, QFont::Bold));
}

QSize ModifierChip::sizeHint() const
{
    return QSize(28, 26);
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
