#include "TarnKit/UI/Text/TarnTextLabel.h"

#include <QPainter>
#include <QStyle>
#include <QTextDocument>

#include "TarnKit/UI/Text/TarnBidiText.h"

namespace tarn {

bool TarnTextLabel::drawsPlainText() const
{
    constexpr Qt::TextInteractionFlags kSelectable
        = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable;
    const bool plain = textFormat() == Qt::PlainText || (textFormat() == Qt::AutoText && !Qt::mightBeRichText(text()));
    return plain && !(textInteractionFlags() & kSelectable) && pixmap().isNull();
}

void TarnTextLabel::paintEvent(QPaintEvent* event)
{
    if (!drawsPlainText()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    int flags = TarnBidiText::absoluteFlags(static_cast<int>(alignment()), layoutDirection());
    if (wordWrap()) {
        flags |= Qt::TextWordWrap;
    }
    painter.setLayoutDirection(TarnBidiText::directionOf(text()));
    style()->drawItemText(&painter, area, flags, palette(), isEnabled(), text(), foregroundRole());
}

} // namespace tarn
