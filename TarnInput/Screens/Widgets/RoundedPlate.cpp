#include "TarnInput/Screens/Widgets/RoundedPlate.h"

#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"

namespace tarn::input {

RoundedPlate::RoundedPlate(double radius, const QColor& fill, QWidget* parent)
    : QWidget(parent)
    , m_radius(radius)
    , m_fill(fill)
{
}

void RoundedPlate::setFill(const QColor& fill)
{
    m_fill = fill;
    update();
}

void RoundedPlate::setBorder(const QColor& border)
{
    m_border = border;
    update();
}

void RoundedPlate::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_radius * 2 >= height()) {
        TarnContinuousShape::paintCapsule(painter, QRectF(rect()), m_fill, m_border);
    } else {
        TarnContinuousShape::paintRoundedRect(painter, QRectF(rect()), m_radius, m_fill, m_border);
    }
}

} // namespace tarn::input
