#include "TarnKit/Suite/Views/TarnAdaptiveGridLayout.h"

#include <algorithm>
#include <cmath>

namespace tarn {

TarnAdaptiveGridLayout::TarnAdaptiveGridLayout(
    double minimumColumnWidth, double columnSpacing, double rowSpacing, QWidget* parent)
    : QLayout(parent)
    , m_minimumColumnWidth(minimumColumnWidth)
    , m_columnSpacing(columnSpacing)
    , m_rowSpacing(rowSpacing)
{
    setContentsMargins(0, 0, 0, 0);
}

TarnAdaptiveGridLayout::~TarnAdaptiveGridLayout()
{
    for (QLayoutItem* item : m_items) {
        delete item;
    }
}

int TarnAdaptiveGridLayout::columnsFor(double width) const
{
    return std::max(
        1, static_cast<int>(std::floor((width + m_columnSpacing) / (m_minimumColumnWidth + m_columnSpacing))));
}

void TarnAdaptiveGridLayout::addItem(QLayoutItem* item)
{
    m_items.push_back(item);
}

int TarnAdaptiveGridLayout::count() const
{
    return static_cast<int>(m_items.size());
}

QLayoutItem* TarnAdaptiveGridLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? m_items[static_cast<std::size_t>(index)] : nullptr;
}

QLayoutItem* TarnAdaptiveGridLayout::takeAt(int index)
{
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    QLayoutItem* item = m_items[static_cast<std::size_t>(index)];
    m_items.erase(m_items.begin() + index);
    return item;
}

QSize TarnAdaptiveGridLayout::sizeHint() const
{
    const int width = static_cast<int>(std::ceil(m_minimumColumnWidth * 2 + m_columnSpacing));
    return {width, heightForWidth(width)};
}

QSize TarnAdaptiveGridLayout::minimumSize() const
{
    // The height follows the width given (heightForWidth); a one-column minimum here would hold
    // the grid at its tallest in every wider layout.
    return {static_cast<int>(std::ceil(m_minimumColumnWidth)), 0};
}

int TarnAdaptiveGridLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

void TarnAdaptiveGridLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int TarnAdaptiveGridLayout::arrange(const QRect& rect, bool apply) const
{
    const int columns = columnsFor(rect.width());
    const double cell = (rect.width() - (columns - 1) * m_columnSpacing) / columns;
    const int cellWidth = std::max(0, static_cast<int>(std::floor(cell)));
    double y = rect.y();
    for (std::size_t start = 0; start < m_items.size(); start += static_cast<std::size_t>(columns)) {
        const std::size_t end = std::min(m_items.size(), start + static_cast<std::size_t>(columns));
        int rowHeight = 0;
        for (std::size_t i = start; i < end; ++i) {
            QLayoutItem* item = m_items[i];
            rowHeight = std::max(
                rowHeight, item->hasHeightForWidth() ? item->heightForWidth(cellWidth) : item->sizeHint().height());
        }
        for (std::size_t i = start; apply && i < end; ++i) {
            const double x = rect.x() + static_cast<double>(i - start) * (cell + m_columnSpacing);
            QLayoutItem* item = m_items[i];
            const int h = item->hasHeightForWidth() ? item->heightForWidth(cellWidth) : item->sizeHint().height();
            item->setGeometry(
                QRect(static_cast<int>(std::round(x)), static_cast<int>(y + (rowHeight - h) / 2.0), cellWidth, h));
        }
        y += rowHeight + (end < m_items.size() ? m_rowSpacing : 0);
    }
    return static_cast<int>(std::ceil(y - rect.y()));
}

} // namespace tarn
