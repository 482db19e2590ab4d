#include "TarnInput/App/Studio/EnginePillButton.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

#include "TarnInput/App/Studio/StatusDot.h"
#include "TarnKit/UI/Buttons/TarnGlassButtonStyle.h"
#include "TarnKit/UI/Text/TarnTextStyles.h"

namespace tarn::input {

EnginePillButton::EnginePillButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void EnginePillButton::setEngineEnabled(bool enabled)
{
    m_engineEnabled = enabled;
    update();
}

void EnginePillButton::setTapActive(bool active)
{
    m_tapActive = active;
    update();
}

QSize EnginePillButton::sizeHint() const
{
    const QFontMetricsF metrics(TarnGlassButtonStyle::font(), this);
    const QSizeF label = TarnGlassButtonStyle::idealSize(metrics, text());
    return {static_cast<int>(std::ceil(label.width() + StatusDot::kSide + kSpacing)),
        static_cast<int>(std::ceil(label.height()))};
}

void EnginePillButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRectF bounds(rect());
    const QFontMetricsF metrics(TarnGlassButtonStyle::font(), this);
    // The glass with no label; the dot and the text are drawn over it as one centred row.
    TarnGlassButtonStyle(m_engineEnabled).paint(painter, bounds, QString(), metrics, isDown());
    if (isDown()) {
        painter.setOpacity(TarnGlassButtonStyle::kPressedOpacity);
    }
    const double textWidth = metrics.horizontalAdvance(text());
    const double rowWidth = StatusDot::kSide + kSpacing + textWidth;
    const double left = bounds.center().x() - rowWidth / 2;
    StatusDot::paint(painter, QPointF(left, bounds.center().y() - StatusDot::kSide / 2.0), m_tapActive);
    const QRectF textArea(left + StatusDot::kSide + kSpacing, bounds.top(), textWidth + 1, bounds.height());
    TarnTextStyles::drawCentredLine(
        painter, textArea, text(), metrics, TarnGlassButtonStyle::font(), TarnGlassButtonStyle::textColor());
}

bool EnginePillButton::hitButton(const QPoint& pos) const
{
    return TarnGlassButtonStyle::hitShape(QRectF(rect())).contains(QPointF(pos) + QPointF(0.5, 0.5));
}

} // namespace tarn::input
