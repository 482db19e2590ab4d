#pragma once

// QStyle::visualRect for fractional rectangles: where a rectangle laid out from the left edge of
// `bounds` lies in `direction`, mirrored about the bounds' centre when right to left.

#include <QRectF>
#include <Qt>

namespace tarn::input {

inline QRectF visualRect(Qt::LayoutDirection direction, const QRectF& bounds, const QRectF& logical)
{
    if (direction != Qt::RightToLeft) {
        return logical;
    }
    return QRectF(bounds.left() + bounds.right() - logical.right(), logical.y(), logical.width(), logical.height());
}

} // namespace tarn::input
