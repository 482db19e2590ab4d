#include "TarnInput/Overlays/KeyHUD/KeyHUDLayout.h"

#include <algorithm>
#include <cmath>

namespace tarn::input {

namespace {

constexpr int kWidthPerToken = 108;
constexpr int kMinimumRowWidth = 104;
constexpr int kMaximumRowWidth = 504;
constexpr int kSidePadding = 36;

} // namespace

int KeyHUDLayout::width(std::size_t tokenCount)
{
    const auto count = static_cast<int>(std::min(tokenCount, kMaxTokens));
    return std::clamp(count * kWidthPerToken, kMinimumRowWidth, kMaximumRowWidth) + kSidePadding;
}

QSize KeyHUDLayout::size(std::size_t tokenCount)
{
    return {width(tokenCount), kHeight};
}

QSize KeyHUDLayout::size(std::size_t tokenCount, int naturalWidth, int availableWidth)
{
    const int least = width(tokenCount);
    const int widest = std::max(least, availableWidth - 2 * kMargin);
    return {std::clamp(naturalWidth, least, widest), kHeight};
}

std::chrono::milliseconds KeyHUDLayout::hideDelay(double durationSeconds)
{
    const double seconds = std::isfinite(durationSeconds)
        ? std::clamp(durationSeconds, kShortestDurationSeconds, kLongestDurationSeconds)
        : kShortestDurationSeconds;
    return std::chrono::milliseconds(std::llround(seconds * 1000.0));
}

QPoint KeyHUDLayout::origin(QSize size, KeyHUDPosition anchor, const QRect& availableGeometry)
{
    // QRect::right() and bottom() are the last pixel inside; the far edges are one further.
    const int left = availableGeometry.left() + kMargin;
    const int right = availableGeometry.left() + availableGeometry.width() - size.width() - kMargin;
    const int top = availableGeometry.top() + kMargin;
    const int bottom = availableGeometry.top() + availableGeometry.height() - size.height() - kMargin;
    switch (anchor) {
    case KeyHUDPosition::bottomCenter: {
        const double midX = availableGeometry.left() + availableGeometry.width() / 2.0;
        return {static_cast<int>(std::lround(midX - size.width() / 2.0)), bottom};
    }
    case KeyHUDPosition::bottomLeft:
        return {left, bottom};
    case KeyHUDPosition::bottomRight:
        return {right, bottom};
    case KeyHUDPosition::topRight:
        return {right, top};
    }
    return {left, bottom};
}

} // namespace tarn::input
