#include "TarnInput/Screens/Widgets/ScreenPage.h"

#include <QVBoxLayout>

namespace tarn::input {

ScreenPage::ScreenPage(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The ground shows through: the page and its viewport paint nothing themselves.
    setAttribute(Qt::WA_TranslucentBackground);
    viewport()->setAutoFillBackground(false);
    auto* content = new QWidget;
    content->setObjectName("screenContent");
    content->setAutoFillBackground(false);
    m_column = new QVBoxLayout(content);
    m_column->setContentsMargins(22, 22, 22, 22);
    m_column->setSpacing(18);
    m_column->addStretch(1);
    setWidget(content);
}

void ScreenPage::addSection(QWidget* section)
{
    // Sections go above the closing stretch, which keeps them at the top.
    m_column->insertWidget(m_column->count() - 1, section);
}

} // namespace tarn::input
