#include "TarnInput/Screens/Controls/CapsuleChip.h"

#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

CapsuleChip::CapsuleChip(QWidget* parent)
    : QWidget(parent)
    , m_font(TarnTextStyles::font(TarnTextStyle::caption))
    , m_textColor(Qt::white)
    , m_fill(Qt::transparent)
    , m_border(Qt::transparent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CapsuleChip::setText(const QString& text)
{
    m_text = text;
    updateGeometry();
    update();
}

void CapsuleChip::setTextFont(const QFont& font)
{
    m_font = font;
    updateGeometry();
    update();
}

void CapsuleChip::setColors(const QColor& text, const QColor& fill, const QColor& border)
{
    m_textColor = text;
    m_fill = fill;
    m_border = border;
    update();
}

void CapsuleChip::setPadding(double horizontal, double vertical)
{
    m_horizontalPadding = horizontal;
    m_verticalPadding = vertical;
    updateGeometry();
}

QSize CapsuleChip::sizeHint() const
{
    const QFontMetricsF metrics(m_font);
    return QSize(qCeil(metrics.horizontalAdvance(m_text) + 2 * m_horizontalPadding),
        qCeil(metrics.height() + 2 * m_verticalPadding));
}

void CapsuleChip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    TarnContinuousShape::paintCapsule(painter, QRectF(rect()), m_fill, m_border);
    TarnTextStyles::drawCentredLine(painter, QRectF(rect()).adjusted(m_horizontalPadding, 0, -m_horizontalPadding, 0),
        m_text, QFontMetricsF(m_font), m_font, m_textColor);
}

} // namespace tarn::input
