#pragma once

#include <QString>
#include <QVBoxLayout>
#include <QWidget>

#include "TarnKit/UI/Glass/TarnGlassCard.h"

namespace tarn {

// The sheets build each card as a column of rows inside a glass card; these two steps are shared
// so that every sheet's cards are made alike.

// A widget holding a margin-less column of rows `spacing` apart; `layout` receives the column.
inline QWidget* tarnCardColumn(int spacing, QVBoxLayout*& layout)
{
    auto* widget = new QWidget;
    layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return widget;
}

// A glass card around `content`, named for style sheets and tests.
inline TarnGlassCard* tarnGlassCardAround(QWidget* content, const char* objectName, double padding, double cornerRadius)
{
    auto* card = new TarnGlassCard(padding, cornerRadius);
    card->setObjectName(QString::fromLatin1(objectName));
    card->setContent(content);
    return card;
}

} // namespace tarn
