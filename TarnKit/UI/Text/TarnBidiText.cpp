#include "TarnKit/UI/Text/TarnBidiText.h"

#include <QPainter>
#include <QStyle>

namespace tarn {

Qt::LayoutDirection TarnBidiText::directionOf(const QString& text)
{
    return text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
}

int TarnBidiText::absoluteFlags(int flags, Qt::LayoutDirection layout)
{
    const auto alignment = QStyle::visualAlignment(layout, Qt::Alignment(flags & Qt::AlignHorizontal_Mask));
    return (flags & ~Qt::AlignHorizontal_Mask) | static_cast<int>(alignment) | Qt::AlignAbsolute;
}

void TarnBidiText::drawText(QPainter& painter, const QRectF& rect, int flags, const QString& text)
{
    const Qt::LayoutDirection layout = painter.layoutDirection();
    painter.setLayoutDirection(directionOf(text));
    painter.drawText(rect, absoluteFlags(flags, layout), text);
    painter.setLayoutDirection(layout);
}

} // namespace tarn
