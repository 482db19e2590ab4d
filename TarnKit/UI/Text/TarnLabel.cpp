#include "TarnKit/UI/Text/TarnLabel.h"

#include "TarnKit/UI/Text/TarnTextLabel.h"

namespace tarn {

QLabel* tarnLabel(const QString& text, const QFont& font, const QColor& color, const char* objectName)
{
    auto* label = new TarnTextLabel(text);
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
