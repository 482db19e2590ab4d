#include "TarnInput/Screens/Widgets/AdaptiveGridLayout.h"

#include <algorithm>

#include <QWidget>

namespace tarn::input {

AdaptiveGridLayout::AdaptiveGridLayout(int minimumColumnWidth, int columnSpacing, int rowSpacing, QWidget* parent)
    : QLayout(parent)
    , m_minimumColumnWidth(minimumColumnWidth)
    , m_columnSpacing(columnSpacing)
    , m_rowSpacing(rowSpacing)
{
    setContentsMargins(0, 0, 0, 0);
}

AdaptiveGridLayout::~AdaptiveGridLayout()
{
    while (auto* item = takeAt(0)) {
        delete item;
    }
}

int AdaptiveGridLayout::columnsFor(int width) const
{
    return std::max(1, (width + m_columnSpacing) / (m_minimumColumnWidth + m_columnSpacing));
}

void AdaptiveGridLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
    invalidate();
}

QLayoutItem* AdaptiveGridLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index] : nullptr;
}

QLayoutItem* AdaptiveGridLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size()) {
        return nullptr;
    }
    invalidate();
    return m_items.takeAt(index);
}

int AdaptiveGridLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize AdaptiveGridLayout::sizeHint() const
{
    return QSize(m_minimumColumnWidth, heightForWidth(m_minimumColumnWidth));
}

QSize AdaptiveGridLayout::minimumSize() const
{
    return QSize(m_minimumColumnWidth, heightForWidth(m_minimumColumnWidth));
}

void AdaptiveGridLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int AdaptiveGridLayout::arrange(const QRect& rect, bool apply) const
{
    QList<QLayoutItem*> visible;
    for (auto* item : m_items) {
        if (!item->isEmpty()) {
            visible.append(item);
        }
    }
    const int columns = columnsFor(rect.width());
    const int columnWidth = std::max(1, (rect.width() - m_columnSpacing * (columns - 1)) / columns);
    int top = rect.top();
    for (int first = 0; first < visible.size(); first += columns) {
        int rowHeight = 0;
        const int last = std::min<int>(first + columns, static_cast<int>(visible.size()));
        for (int index = first; index < last; ++index) {
            auto* item = visible[index];
            rowHeight = std::max(
                rowHeight, item->hasHeightForWidth() ? item->heightForWidth(columnWidth) : item->sizeHint().height());
        }
        if (apply) {
            for (int index = first; index < last; ++index) {
                const int x = rect.left() + (index - first) * (columnWidth + m_columnSpacing);
                visible[index]->setGeometry(QRect(x, top, columnWidth, rowHeight));
            }
        }
        top += rowHeight + m_rowSpacing;
    }
    return visible.isEmpty() ? 0 : top - m_rowSpacing - rect.top();
}

} // namespace tarn::input
