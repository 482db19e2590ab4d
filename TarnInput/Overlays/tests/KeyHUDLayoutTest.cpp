#include "TarnInput/Overlays/KeyHUD/KeyHUDLayout.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "TarnInput/Overlays/KeyHUD/KeyHUDTokenList.h"

namespace tarn::input {
namespace {

using std::chrono::milliseconds;

TEST(KeyHUDLayout, WidthGrowsByOneKeyCapPerKeyAndHeightStays)
{
    const struct {
        std::size_t tokens;
        int width;
    } cases[] = {{1, 144}, {2, 252}, {3, 360}, {4, 468}, {9, 468}};
    for (const auto& c : cases) {
        EXPECT_EQ(KeyHUDLayout::size(c.tokens), QSize(c.width, 64)) << c.tokens << " tokens";
    }
}

TEST(KeyHUDLayout, HideDelayIsTheDurationBoundedToItsSliderRange)
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const struct {
        double seconds;
        milliseconds delay;
    } cases[] = {
        {0.0, milliseconds(600)},
        {-3.0, milliseconds(600)},
        {0.59, milliseconds(600)},
        {std::nan(""), milliseconds(600)},
        {kInfinity, milliseconds(600)},
        {-kInfinity, milliseconds(600)},
        {1.6, milliseconds(1600)},
        {2.5, milliseconds(2500)},
        {4.0, milliseconds(4000)},
        {4.5, milliseconds(4000)},
        {1e300, milliseconds(4000)},
        {std::numeric_limits<double>::max(), milliseconds(4000)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyHUDLayout::hideDelay(c.seconds), c.delay) << c.seconds;
    }
}

TEST(KeyHUDLayout, OriginKeepsTheMarginInsideTheFreeAreaAtEachAnchor)
{
    // A free area that does not start at the screen's corner: a 28-pixel top panel on a second
    // screen to the right of a first one.
    const QRect available(1920, 28, 2560, 1412);
    const QSize size(252, 64);
    const struct {
        KeyHUDPosition anchor;
        QPoint origin;
    } cases[] = {
        {KeyHUDPosition::bottomCenter, {1920 + 1280 - 126, 28 + 1412 - 64 - 34}},
        {KeyHUDPosition::bottomLeft, {1920 + 34, 28 + 1412 - 64 - 34}},
        {KeyHUDPosition::bottomRight, {1920 + 2560 - 252 - 34, 28 + 1412 - 64 - 34}},
        {KeyHUDPosition::topRight, {1920 + 2560 - 252 - 34, 28 + 34}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyHUDLayout::origin(size, c.anchor, available), c.origin) << rawValue(c.anchor);
    }
}

TEST(KeyHUDTokenList, KeepsTheLastFourOldestFirst)
{
    KeyHUDTokenList list;
    for (const char* text : {"A", "B", "C", "D", "E", "F"}) {
        list.append(KeyHUDToken {Uuid::random(), text, false, {}});
    }
    ASSERT_EQ(list.tokens().size(), 4U);
    EXPECT_EQ(list.tokens().front().text, "C");
    EXPECT_EQ(list.tokens().back().text, "F");

    list.clear();
    list.append(KeyHUDToken {Uuid::random(), "G", true, {}});
    ASSERT_EQ(list.tokens().size(), 1U);
    EXPECT_EQ(list.tokens().front().text, "G");
}

} // namespace
} // namespace tarn::input
