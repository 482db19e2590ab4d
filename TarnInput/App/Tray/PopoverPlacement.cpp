#include "TarnInput/App/Tray/PopoverPlacement.h"

#include <algorithm>

namespace tarn::input {

namespace {

constexpr int kGap = 4;

int clampedInto(int start, int length, int areaStart, int areaLength)
{
    // A popover larger than the area keeps its top-left corner on it.
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

QPoint popoverPosition(const QRect& anchor, const QSize& popover, const QRect& screen)
{
    const int x = anchor.center().x() - popover.width() / 2;
    const bool below = anchor.center().y() < screen.center().y();
    const int y = below ? anchor.bottom() + 1 + kGap : anchor.top() - kGap - popover.height();
    return {clampedInto(x, popover.width(), screen.left(), screen.width()),
        clampedInto(y, popover.height(), screen.top(), screen.height())};
}

} // namespace tarn::input
