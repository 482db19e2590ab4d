#include "TarnKit/UI/Glass/TarnRoundedPanel.h"

#include <QPainter>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"

namespace tarn {

TarnRoundedPanel::TarnRoundedPanel(QColor fill, double cornerRadius, QColor border, QWidget* parent)
    : QWidget(parent)
    , m_fill(std::move(fill))
    , m_cornerRadius(cornerRadius)
    , m_border(std::move(border))
{
}

void TarnRoundedPanel::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    TarnContinuousShape::paintRoundedRect(painter, QRectF(rect()), m_cornerRadius, m_fill, m_border);
}

} // namespace tarn
