#include "TarnInput/Screens/Controls/SegmentedPicker.h"

#include <QButtonGroup>
#include <QHBoxLayout>

#include "TarnKit/UI/Buttons/TarnGlassButton.h"

namespace tarn::input {

SegmentedPicker::SegmentedPicker(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_group(new QButtonGroup(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(6);
    connect(m_group, &QButtonGroup::idClicked, this, &SegmentedPicker::onButtonClicked);
}

void SegmentedPicker::setSegments(const QStringList& labels)
{
    const auto buttons = m_group->buttons();
    for (int index = 0; index < labels.size(); ++index) {
        if (auto* existing = m_group->button(index)) {
            existing->setText(labels[index]);
            continue;
        }
        auto* button = new TarnGlassButton(labels[index], this);
        button->setObjectName(QStringLiteral("segment%1").arg(index));
        m_group->addButton(button, index);
        m_layout->addWidget(button);
    }
    for (int index = static_cast<int>(labels.size()); index < buttons.size(); ++index) {
        auto* extra = m_group->button(index);
        m_group->removeButton(extra);
        delete extra;
    }
    showSelection();
}

int SegmentedPicker::count() const
{
    return static_cast<int>(m_group->buttons().size());
}

void SegmentedPicker::setCurrentIndex(int index)
{
    m_current = index;
    showSelection();
}

void SegmentedPicker::onButtonClicked(int index)
{
    m_current = index;
    showSelection();
    emit activated(index);
}

void SegmentedPicker::showSelection()
{
    for (auto* button : m_group->buttons()) {
        static_cast<TarnGlassButton*>(button)->setActive(m_group->id(button) == m_current);
    }
}

} // namespace tarn::input
