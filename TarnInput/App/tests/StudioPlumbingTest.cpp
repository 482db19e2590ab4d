#include <vector>

#include <QRect>
#include <gtest/gtest.h>

#include "TarnInput/App/Tray/PopoverPlacement.h"

namespace tarn::input::testing {
namespace {

TEST(PopoverPlacement, OpensAtTheIconAndStaysOnTheScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize popover(295, 400);
    struct Case {
        const char* what;
        QRect anchor;
        QPoint expected;
    };
    const std::vector<Case> cases {
        {"top panel: centred under the icon", {600, 0, 24, 24}, {611 - 147, 28}},
        {"bottom panel: above the icon", {600, 776, 24, 24}, {611 - 147, 776 - 4 - 400}},
        {"icon in the top-right corner: pulled left", {1260, 0, 20, 20}, {1280 - 295, 24}},
        {"icon in the bottom-left corner: pulled right", {0, 780, 20, 20}, {0, 780 - 4 - 400}},
        {"pointer in mid-screen, lower half", {640, 500, 1, 1}, {640 - 147, 500 - 4 - 400}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(popoverPosition(c.anchor, popover, screen), c.expected) << c.what;
    }
    const QRect second(1280, 0, 1920, 1080);
    const QPoint onSecond = popoverPosition({3190, 0, 10, 24}, popover, second);
    EXPECT_TRUE(second.contains(QRect(onSecond, popover))) << "the screen that holds the icon";
    EXPECT_EQ(popoverPosition({10, 10, 1, 1}, QSize(2000, 2000), screen), QPoint(0, 0))
        << "too large: the top-left corner stays on the screen";
}

} // namespace
} // namespace tarn::input::testing
