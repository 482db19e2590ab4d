#include "TarnKit/UI/Glass/TarnLeadingTrailingLayout.h"

#include <algorithm>

#include <QGuiApplication>
#include <QStyle>
#include <QWidget>

namespace tarn {
namespace {

bool present(const QLayoutItem* item)
{
    return item != nullptr && !item->isEmpty();
}

int idealWidth(const QLayoutItem* item)
{
    return present(item) ? item->sizeHint().width() : 0;
}

int heightAt(const QLayoutItem* item, int width)
{
    if (!present(item)) {
        return 0;
    }
    return item->hasHeightForWidth() ? item->heightForWidth(width) : item->sizeHint().height();
}

} // namespace

TarnLeadingTrailingLayout::TarnLeadingTrailingLayout(int spacing, int lineSpacing, QWidget* parent)
    : QLayout(parent)
    , m_lineSpacing(lineSpacing)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(spacing);
}

TarnLeadingTrailingLayout::~TarnLeadingTrailingLayout()
{
    for (QLayoutItem* item : m_items) {
        delete item;
    }
}

void TarnLeadingTrailingLayout::addItem(QLayoutItem* item)
{
    m_items.push_back(item);
}

int TarnLeadingTrailingLayout::count() const
{
    return static_cast<int>(m_items.size());
}

QLayoutItem* TarnLeadingTrailingLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? m_items[static_cast<std::size_t>(index)] : nullptr;
}

QLayoutItem* TarnLeadingTrailingLayout::takeAt(int index)
{
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    QLayoutItem* item = m_items[static_cast<std::size_t>(index)];
    m_items.erase(m_items.begin() + index);
    invalidate();
    return item;
}

QLayoutItem* TarnLeadingTrailingLayout::leading() const
{
    return itemAt(0);
}

QLayoutItem* TarnLeadingTrailingLayout::trailing() const
{
    return itemAt(1);
}

Qt::Orientations TarnLeadingTrailingLayout::expandingDirections() const
{
    return Qt::Horizontal;
}

bool TarnLeadingTrailingLayout::wrapsAt(int width) const
{
    if (!present(leading()) || !present(trailing())) {
        return false;
    }
    const QMargins margins = contentsMargins();
    return idealWidth(leading()) + spacing() + idealWidth(trailing()) > width - margins.left() - margins.right();
}

TarnLeadingTrailingLayout::Placement TarnLeadingTrailingLayout::placeWithin(int width) const
{
    const QMargins margins = contentsMargins();
    Placement placement;
    const int leadingWidth = std::min(idealWidth(leading()), width);
    const int trailingWidth = std::min(idealWidth(trailing()), width);
    const int leadingHeight = heightAt(leading(), leadingWidth);
    if (!wrapsAt(width + margins.left() + margins.right())) {
        const int trailingHeight = heightAt(trailing(), trailingWidth);
        placement.height = std::max(leadingHeight, trailingHeight);
        placement.leading = QRect(0, (placement.height - leadingHeight) / 2, leadingWidth, leadingHeight);
        placement.trailing
            = QRect(width - trailingWidth, (placement.height - trailingHeight) / 2, trailingWidth, trailingHeight);
        return placement;
    }
    // Wrapped, an item wider than the line gets the line: it shrinks towards its minimum.
    const int trailingHeight = heightAt(trailing(), trailingWidth);
    placement.leading = QRect(0, 0, leadingWidth, leadingHeight);
    placement.trailing = QRect(width - trailingWidth, leadingHeight + m_lineSpacing, trailingWidth, trailingHeight);
    placement.height = leadingHeight + m_lineSpacing + trailingHeight;
    return placement;
}

int TarnLeadingTrailingLayout::heightForWidth(int width) const
{
    const QMargins margins = contentsMargins();
    return placeWithin(width - margins.left() - margins.right()).height + margins.top() + margins.bottom();
}

QSize TarnLeadingTrailingLayout::sizeHint() const
{
    const QMargins margins = contentsMargins();
    int width = idealWidth(leading()) + idealWidth(trailing());
    if (present(leading()) && present(trailing())) {
        width += spacing();
    }
    return {width + margins.left() + margins.right(), heightForWidth(width + margins.left() + margins.right())};
}

QSize TarnLeadingTrailingLayout::minimumSize() const
{
    const QMargins margins = contentsMargins();
    int width = 0;
    for (const QLayoutItem* item : {leading(), trailing()}) {
        if (present(item)) {
            width = std::max(width, item->minimumSize().width());
        }
    }
    width += margins.left() + margins.right();
    return {width, heightForWidth(width)};
}

void TarnLeadingTrailingLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect area = contentsRect();
    const Placement placement = placeWithin(area.width());
    const Qt::LayoutDirection direction
        = parentWidget() != nullptr ? parentWidget()->layoutDirection() : QGuiApplication::layoutDirection();
    const auto put = [&](QLayoutItem* item, const QRect& within) {
        if (present(item)) {
            item->setGeometry(QStyle::visualRect(direction, area, within.translated(area.topLeft())));
        }
    };
    put(leading(), placement.leading);
    put(trailing(), placement.trailing);
}

} // namespace tarn
