#include "TarnInput/Screens/Profiles/StepStrip.h"

#include <QHBoxLayout>

#include "TarnInput/Screens/Widgets/ScreenParts.h"

namespace tarn::input {

StepStrip::StepStrip(int spacing, int verticalPadding, QWidget* parent)
    : QScrollArea(parent)
    , m_row(new QHBoxLayout)
{
    m_row->setContentsMargins(0, verticalPadding, 0, verticalPadding);
    m_row->setSpacing(spacing);
    // Keeps the items at the leading edge; they go in before it.
    m_row->addStretch(1);
    auto* content = new QWidget;
    content->setLayout(m_row);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setStyleSheet("background: transparent;");
    setWidget(content);
}

void StepStrip::clear()
{
    discardWidgets(m_row);
    m_row->addStretch(1);
    updateGeometry();
}

void StepStrip::append(QWidget* item)
{
    m_row->insertWidget(m_row->count() - 1, item);
    item->show();
    updateGeometry();
}

QSize StepStrip::sizeHint() const
{
    const QSize items = widget()->sizeHint();
    return {items.width() + 2 * frameWidth(), items.height() + 2 * frameWidth()};
}

QSize StepStrip::minimumSizeHint() const
{
    return {0, sizeHint().height()};
}

} // namespace tarn::input
