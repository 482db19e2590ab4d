#include "TarnInput/Screens/Controls/SwitchToggle.h"

#include <algorithm>

#include <QPainter>
#include <QtMath>

#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Text/TarnBidiText.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

namespace {
constexpr double kLabelGap = 8;
}

SwitchToggle::SwitchToggle(QWidget* parent)
    : QAbstractButton(parent)
    , m_accent(TarnGlassTokens::success())
    , m_labelColor(TarnGlassTokens::textPrimary())
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFont(TarnTextStyles::font(TarnTextStyle::body));
    // The height follows the label, which wraps where the width runs short.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void SwitchToggle::setAccent(const QColor& accent)
{
    m_accent = accent;
    update();
}

void SwitchToggle::setLabelColor(const QColor& color)
{
    m_labelColor = color;
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

bool SwitchToggle::hasHeightForWidth() const
{
    return !text().isEmpty();
}

int SwitchToggle::heightForWidth(int width) const
{
    // A label longer than the room left of the track runs onto a second line.
    const QRectF label = QFontMetricsF(font()).boundingRect(
        QRectF(0, 0, std::max(1.0, width - trackSize().width() - kLabelGap), 1000), Qt::TextWordWrap, text());
    return qCeil(std::max(trackSize().height(), label.height()));
}

void SwitchToggle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The track sits at the trailing end and the knob moves towards it when on: mirrored in a
    // right-to-left layout.
    const bool rightToLeft = isRightToLeft();
    const QSizeF track = trackSize();
    const double trackLeft = rightToLeft ? 0 : width() - track.width();
    const QRectF trackRect(trackLeft, (height() - track.height()) / 2, track.width(), track.height());
    if (!text().isEmpty()) {
        painter.setPen(m_labelColor);
        painter.setFont(font());
        const double labelLeft = rightToLeft ? trackRect.right() + kLabelGap : 0;
        const QRectF labelRect(labelLeft, 0, width() - track.width() - kLabelGap, height());
        TarnBidiText::drawText(painter, labelRect, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextWordWrap, text());
    }
    const double radius = track.height() / 2;
    painter.setPen(QPen(TarnGlassTokens::borderSubtle(), 1));
    painter.setBrush(isChecked() ? m_accent : TarnGlassTokens::surface3());
    painter.drawRoundedRect(trackRect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    const double knob = track.height() - 4;
    const bool knobAtRight = isChecked() != rightToLeft;
    const double knobX = knobAtRight ? trackRect.right() - 2 - knob : trackRect.left() + 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? QColor(Qt::white) : TarnGlassTokens::textMuted());
    painter.drawEllipse(QRectF(knobX, trackRect.top() + 2, knob, knob));
}

} // namespace tarn::input
