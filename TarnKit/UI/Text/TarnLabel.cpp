#include "TarnKit/UI/Text/TarnLabel.h"

#include <QLabel>

namespace tarn {

QLabel* tarnLabel(const QString& text, const QFont& font, const QColor& color, const char* objectName)
{
    auto* label = new QLabel(text);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    label->setPalette(palette);
    label->setTextFormat(Qt::PlainText);
    if (objectName != nullptr) {
        label->setObjectName(QString::fromLatin1(objectName));
    }
    return label;
}

} // namespace tarn
