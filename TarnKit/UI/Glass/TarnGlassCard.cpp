#include "TarnKit/UI/Glass/TarnGlassCard.h"

#include <QPainter>
#include <QVBoxLayout>

#include "TarnKit/UI/Glass/TarnContinuousShape.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {

TarnGlassCard::TarnGlassCard(double padding, double cornerRadius, QWidget* parent)
    : QWidget(parent)
    , m_padding(padding)
    , m_cornerRadius(cornerRadius)
    , m_layout(new QVBoxLayout(this))
{
    // Widget geometry is whole pixels; a fractional padding rounds to the nearest one.
    const int margin = qRound(padding);
    m_layout->setContentsMargins(margin, margin, margin, margin);
    m_layout->setSpacing(0);
}

void TarnGlassCard::setContent(QWidget* content)
{
    if (content == m_content) {
        return;
    }
    if (m_content) {
        m_layout->removeWidget(m_content);
        delete m_content;
    }
    m_content = content;
    if (content != nullptr) {
        m_layout->addWidget(content);
    }
}

void TarnGlassCard::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    TarnContinuousShape::paintRoundedRect(
        painter, QRectF(rect()), m_cornerRadius, TarnGlassTokens::surface1(), TarnGlassTokens::borderSubtle());
}

} // namespace tarn
