#include "TarnInput/App/Studio/StatusDot.h"

#include <QPainter>

#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn::input {

StatusDot::StatusDot(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kSide, kSide);
}

void StatusDot::setOn(bool on)
{
    if (m_on != on) {
        m_on = on;
        update();
    }
}

QColor StatusDot::color() const
{
    return m_on ? TarnGlassTokens::success() : TarnGlassTokens::warning();
}

void StatusDot::paint(QPainter& painter, QPointF topLeft, bool on)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? TarnGlassTokens::success() : TarnGlassTokens::warning());
    painter.drawEllipse(QRectF(topLeft, QSizeF(kSide, kSide)));
    painter.restore();
}

void StatusDot::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paint(painter, QPointF(0, 0), m_on);
}

} // namespace tarn::input
