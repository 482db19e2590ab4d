#include "TarnInput/Screens/Widgets/SwitchToggle.h"

#include <QPainter>

#include "TarnKit/UI/TarnGlassTokens.h"
#include "TarnKit/UI/TarnTextStyles.h"

namespace tarn::input {

namespace {
constexpr double kLabelGap = 8;
}

SwitchToggle::SwitchToggle(QWidget* parent)
    : QAbstractButton(parent)
    , m_accent(TarnGlassTokens::success())
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFont(TarnTextStyles::systemFont(13));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void SwitchToggle::setAccent(const QColor& accent)
{
    m_accent = accent;
    update();
}

void SwitchToggle::setControlSize(Size size)
{
    m_size = size;
    updateGeometry();
    update();
}

QSizeF SwitchToggle::trackSize() const
{
    return m_size == Size::small ? QSizeF(32, 18) : QSizeF(40, 22);
}

QSize SwitchToggle::sizeHint() const
{
    const QSizeF track = trackSize();
    double width = track.width();
    double height = track.height();
    if (!text().isEmpty()) {
        const QFontMetricsF metrics(font());
        width += metrics.horizontalAdvance(text()) + kLabelGap;
        height = std::max(height, metrics.height());
    }
    return QSize(qCeil(width), qCeil(height));
}

void SwitchToggle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF track = trackSize();
    const QRectF trackRect(width() - track.width(), (height() - track.height()) / 2, track.width(), track.height());
    if (!text().isEmpty()) {
        painter.setPen(TarnGlassTokens::textPrimary());
        painter.setFont(font());
        const QRectF labelRect(0, 0, trackRect.left() - kLabelGap, height());
        painter.drawText(labelRect, Qt::AlignLeft | Qt::AlignVCenter,
            TarnTextStyles::singleLine(text(), QFontMetricsF(font()), labelRect.width()));
    }
    const double radius = track.height() / 2;
    painter.setPen(QPen(TarnGlassTokens::borderSubtle(), 1));
    painter.setBrush(isChecked() ? m_accent : TarnGlassTokens::surface3());
    painter.drawRoundedRect(trackRect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    const double knob = track.height() - 4;
    const double knobX = isChecked() ? trackRect.right() - 2 - knob : trackRect.left() + 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? QColor(Qt::white) : TarnGlassTokens::textMuted());
    painter.drawEllipse(QRectF(knobX, trackRect.top() + 2, knob, knob));
}

} // namespace tarn::input
