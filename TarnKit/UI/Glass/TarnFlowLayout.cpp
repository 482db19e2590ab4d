#include "TarnKit/UI/Glass/TarnFlowLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QWidget>

namespace tarn {

namespace {

// Placing lets an item end this far past the right edge before it wraps.
constexpr double kPlacingOverflowAllowance = 0.5;

} // namespace

TarnFlowLayout::TarnFlowLayout(double spacing, double lineSpacing, QWidget* parent)
    : QLayout(parent)
    , m_itemSpacing(spacing)
    , m_lineSpacing(lineSpacing)
{
    setContentsMargins(0, 0, 0, 0);
}

TarnFlowLayout::~TarnFlowLayout()
{
    while (QLayoutItem* item = takeAt(0)) {
        delete item;
    }
}

void TarnFlowLayout::setItemSpacing(double spacing)
{
    m_itemSpacing = spacing;
    invalidate();
}

void TarnFlowLayout::setLineSpacing(double spacing)
{
    m_lineSpacing = spacing;
    invalidate();
}

QSizeF TarnFlowLayout::measure(
    const std::vector<QSizeF>& itemSizes, std::optional<double> proposedWidth, double spacing, double lineSpacing)
{
    const double limit = proposedWidth.value_or(std::numeric_limits<double>::infinity());
    double x = 0;
    double lineHeight = 0;
    double y = 0;
    double widest = 0;
    for (const QSizeF& size : itemSizes) {
        double lineEnd = x + size.width();
        if (x > 0 && limit < lineEnd) {
            y += lineSpacing + lineHeight;
            lineHeight = 0;
            x = 0;
            lineEnd = size.width();
        }
        widest = std::max(widest, lineEnd);
        x += size.width() + spacing;
        lineHeight = std::max(lineHeight, size.height());
    }
    return {proposedWidth ? *proposedWidth : widest, y + lineHeight};
}

std::vector<QPointF> TarnFlowLayout::place(
    const std::vector<QSizeF>& itemSizes, const QRectF& bounds, double spacing, double lineSpacing)
{
    std::vector<QPointF> origins;
    origins.reserve(itemSizes.size());
    double x = bounds.left();
    double y = bounds.top();
    double lineHeight = 0;
    for (const QSizeF& size : itemSizes) {
        if (x > bounds.left() && x + size.width() > bounds.right() + kPlacingOverflowAllowance) {
            y += lineSpacing + lineHeight;
            x = bounds.left();
            lineHeight = 0;
        }
        origins.emplace_back(x, y);
        x += size.width() + spacing;
        lineHeight = std::max(lineHeight, size.height());
    }
    return origins;
}

void TarnFlowLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
}

int TarnFlowLayout::count() const
{
    return static_cast<int>(m_items.size());
}

QLayoutItem* TarnFlowLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

QLayoutItem* TarnFlowLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

Qt::Orientations TarnFlowLayout::expandingDirections() const
{
    return {};
}

bool TarnFlowLayout::hasHeightForWidth() const
{
    return true;
}

int TarnFlowLayout::heightForWidth(int width) const
{
    const QMargins margins = contentsMargins();
    const double inner = std::max(0, width - margins.left() - margins.right());
    return withMargins(measure(idealSizes(visibleItems()), inner, m_itemSpacing, m_lineSpacing)).height();
}

QSize TarnFlowLayout::sizeHint() const
{
    return withMargins(measure(idealSizes(visibleItems()), std::nullopt, m_itemSpacing, m_lineSpacing));
}

QSize TarnFlowLayout::minimumSize() const
{
    // The narrowest the layout can go is its widest item on a line of its own.
    double widest = 0;
    for (const QSizeF& size : idealSizes(visibleItems())) {
        widest = std::max(widest, size.width());
    }
    return withMargins(QSizeF(widest, 0));
}

void TarnFlowLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const std::vector<QLayoutItem*> items = visibleItems();
    const std::vector<QSizeF> sizes = idealSizes(items);
    const QRectF bounds = QRectF(rect.marginsRemoved(contentsMargins()));
    const std::vector<QPointF> origins = place(sizes, bounds, m_itemSpacing, m_lineSpacing);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QPoint origin(
            static_cast<int>(std::lround(origins[i].x())), static_cast<int>(std::lround(origins[i].y())));
        items[i]->setGeometry(QRect(origin, sizes[i].toSize()));
    }
}

std::vector<QLayoutItem*> TarnFlowLayout::visibleItems() const
{
    std::vector<QLayoutItem*> items;
    for (QLayoutItem* item : m_items) {
        if (!item->isEmpty()) {
            items.push_back(item);
        }
    }
    return items;
}

std::vector<QSizeF> TarnFlowLayout::idealSizes(const std::vector<QLayoutItem*>& items)
{
    std::vector<QSizeF> sizes;
    sizes.reserve(items.size());
    for (const QLayoutItem* item : items) {
        sizes.emplace_back(item->sizeHint());
    }
    return sizes;
}

QSize TarnFlowLayout::withMargins(const QSizeF& size) const
{
    const QMargins margins = contentsMargins();
    return {static_cast<int>(std::ceil(size.width())) + margins.left() + margins.right(),
        static_cast<int>(std::ceil(size.height())) + margins.top() + margins.bottom()};
}

} // namespace tarn
