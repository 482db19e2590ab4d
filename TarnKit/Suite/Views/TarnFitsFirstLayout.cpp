#include "TarnKit/Suite/Views/TarnFitsFirstLayout.h"

#include <QWidget>

namespace tarn {
namespace {

// A hidden widget's item reports no size, and every arrangement but one is hidden: ask the
// widget itself.
int idealWidth(QLayoutItem* item)
{
    const QWidget* widget = item->widget();
    return widget != nullptr ? widget->sizeHint().width() : item->sizeHint().width();
}

} // namespace

TarnFitsFirstLayout::TarnFitsFirstLayout(QWidget* parent)
    : QLayout(parent)
{
    setContentsMargins(0, 0, 0, 0);
}

TarnFitsFirstLayout::~TarnFitsFirstLayout()
{
    for (QLayoutItem* item : m_items) {
        delete item;
    }
}

void TarnFitsFirstLayout::addItem(QLayoutItem* item)
{
    m_items.push_back(item);
}

int TarnFitsFirstLayout::count() const
{
    return static_cast<int>(m_items.size());
}

QLayoutItem* TarnFitsFirstLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? m_items[static_cast<std::size_t>(index)] : nullptr;
}

QLayoutItem* TarnFitsFirstLayout::takeAt(int index)
{
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    QLayoutItem* item = m_items[static_cast<std::size_t>(index)];
    m_items.erase(m_items.begin() + index);
    return item;
}

int TarnFitsFirstLayout::chosenAt(int width) const
{
    for (int i = 0; i < count(); ++i) {
        if (idealWidth(m_items[static_cast<std::size_t>(i)]) <= width) {
            return i;
        }
    }
    return count() - 1;
}

QSize TarnFitsFirstLayout::sizeHint() const
{
    return m_items.empty() ? QSize() : m_items.front()->sizeHint();
}

QSize TarnFitsFirstLayout::minimumSize() const
{
    return m_items.empty() ? QSize() : m_items.back()->minimumSize();
}

int TarnFitsFirstLayout::heightForWidth(int width) const
{
    const int chosen = chosenAt(width);
    if (chosen < 0) {
        return 0;
    }
    QLayoutItem* item = m_items[static_cast<std::size_t>(chosen)];
    if (const QWidget* widget = item->widget()) {
        const int height = widget->heightForWidth(width);
        return height >= 0 ? height : widget->sizeHint().height();
    }
    return item->hasHeightForWidth() ? item->heightForWidth(width) : item->sizeHint().height();
}

void TarnFitsFirstLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const int chosen = chosenAt(rect.width());
    m_chosen = chosen;
    for (int i = 0; i < count(); ++i) {
        QLayoutItem* item = m_items[static_cast<std::size_t>(i)];
        if (QWidget* widget = item->widget()) {
            widget->setVisible(i == chosen);
        }
        if (i == chosen) {
            if (QWidget* widget = item->widget()) {
                widget->setGeometry(QRect(rect.topLeft(), QSize(rect.width(), heightForWidth(rect.width()))));
                continue;
            }
            item->setGeometry(QRect(rect.topLeft(), QSize(rect.width(), heightForWidth(rect.width()))));
        }
    }
}

} // namespace tarn
