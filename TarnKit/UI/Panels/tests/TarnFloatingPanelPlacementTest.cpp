#include "TarnKit/UI/Panels/TarnFloatingPanelPlacement.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

// How far the panel's bottom edge sits above the bottom of the usable area.
int bottomClearance(const QRect& visibleFrame, QPoint origin, QSize size)
{
    return visibleFrame.y() + visibleFrame.height() - (origin.y() + size.height());
}

TEST(TarnFloatingPanelPlacement, CentresLiftsAndFloorsOnTheUsableArea)
{
    struct Case {
        QRect visibleFrame;
        QSize size;
        QPoint origin;
        int clearance;
    };
    const std::vector<Case> cases {
        // 900 high from 0: a 300-high panel's bottom edge is 450 - 150 + 40 = 340 above the bottom.
        {{0, 0, 1440, 900}, {400, 300}, {520, 260}, 340},
        // A 1000-high one would end 10 below it; the floor keeps its bottom edge 24 above.
        {{0, 0, 1440, 900}, {400, 1000}, {520, -124}, 24},
        // Below 932 px the lift decides, at 932 both rules agree, above it the floor decides.
        {{0, 0, 1440, 900}, {400, 836}, {520, -8}, 72},
        {{0, 0, 1440, 900}, {400, 932}, {520, -56}, 24},
        {{0, 0, 1440, 900}, {400, 940}, {520, -64}, 24},
        // The usable area of a second screen, below a 28 px panel.
        {{1440, 28, 1920, 1052}, {300, 200}, {2250, 414}, 466},
        // Odd sizes round once.
        {{0, 0, 1001, 901}, {301, 301}, {350, 260}, 340},
    };
    for (const Case& c : cases) {
        const QPoint origin = TarnFloatingPanelPlacement::centredOrigin(c.visibleFrame, c.size);
        EXPECT_EQ(origin, c.origin) << c.visibleFrame.height() << " " << c.size.height();
        EXPECT_EQ(bottomClearance(c.visibleFrame, origin, c.size), c.clearance) << c.size.height();
    }
}

TEST(TarnFloatingPanelPlacement, PicksTheScreenUnderThePointerElseThePrimaryElseTheFirst)
{
    const TarnScreenArea left {{0, 0, 1440, 900}, {0, 25, 1440, 875}, false};
    const TarnScreenArea right {{1440, 0, 1920, 1080}, {1440, 0, 1920, 1040}, true};
    const TarnScreenArea third {{3360, 0, 1280, 1024}, {3360, 0, 1280, 1024}, false};
    const std::vector<TarnScreenArea> screens {left, right, third};

    struct Case {
        QPoint pointer;
        QRect expectedFrame;
    };
    const std::vector<Case> cases {
        {{10, 10}, left.frame},
        {{1439, 899}, left.frame},
        {{1440, 0}, right.frame},
        {{4000, 500}, third.frame},
        // Outside every frame: the primary screen, which is not the first.
        {{-50, 300}, right.frame},
        {{1000, 950}, right.frame},
    };
    for (const Case& c : cases) {
        const auto screen = TarnFloatingPanelPlacement::activeScreen(screens, c.pointer);
        ASSERT_TRUE(screen.has_value());
        EXPECT_EQ(screen->frame, c.expectedFrame) << c.pointer.x() << "," << c.pointer.y();
    }

    const auto noPrimary = TarnFloatingPanelPlacement::activeScreen({left, third}, {-5, -5});
    ASSERT_TRUE(noPrimary.has_value());
    EXPECT_EQ(noPrimary->frame, left.frame);
}

TEST(TarnFloatingPanelPlacement, UsesTheUsableAreaOfTheChosenScreenAndNothingWithoutScreens)
{
    const std::vector<TarnScreenArea> screens {
        {{0, 0, 1440, 900}, {0, 24, 1440, 876}, true},
    };
    EXPECT_EQ(TarnFloatingPanelPlacement::centredOnActiveScreen(screens, {5000, 5000}, {400, 300}), QPoint(520, 272));
    EXPECT_FALSE(TarnFloatingPanelPlacement::centredOnActiveScreen({}, {0, 0}, {400, 300}).has_value());
    EXPECT_FALSE(TarnFloatingPanelPlacement::activeScreen({}, {0, 0}).has_value());
}

} // namespace
} // namespace tarn
