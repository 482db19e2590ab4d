#include "TarnInput/Overlays/OverlayScreenLayout.h"

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

// Two screens side by side: a 1920 × 1080 one at scale 1, and to its right a 2560 × 1440 panel
// at scale 2, which Qt lays out as 1280 × 720 logical pixels from the same corner.
OverlayScreenLayout twoScreens()
{
    OverlayScreenLayout layout;
    layout.screens = {{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040), 1.0},
        {QRect(1920, 0, 1280, 720), QRect(1920, 28, 1280, 692), 2.0}};
    layout.primaryIndex = 1;
    return layout;
}

TEST(OverlayScreenLayout, ScreenForAPointIsTheOneHoldingItElseThePrimaryElseTheFirst)
{
    const OverlayScreenLayout layout = twoScreens();
    EXPECT_EQ(layout.screenFor(QPointF(100, 100)), &layout.screens[0]);
    EXPECT_EQ(layout.screenFor(QPointF(2000, 700)), &layout.screens[1]);
    EXPECT_EQ(layout.screenFor(QPointF(1920, 0)), &layout.screens[1]) << "the left edge belongs to the right screen";
    // Below the smaller screen lies no screen at all.
    EXPECT_EQ(layout.screenFor(QPointF(2000, 900)), &layout.screens[1]) << "off every screen: the primary";

    OverlayScreenLayout noPrimary = twoScreens();
    noPrimary.primaryIndex.reset();
    EXPECT_EQ(noPrimary.screenFor(QPointF(2000, 900)), &noPrimary.screens[0]);

    OverlayScreenLayout mirrored = twoScreens();
    mirrored.screens[1].geometry = mirrored.screens[0].geometry;
    EXPECT_EQ(mirrored.screenFor(QPointF(10, 10)), &mirrored.screens[0]) << "the first in the system's order";

    EXPECT_EQ(OverlayScreenLayout {}.screenFor(QPointF(0, 0)), nullptr);
}

TEST(OverlayScreenLayout, DevicePointsConvertByTheScaleOfTheirScreen)
{
    const OverlayScreenLayout layout = twoScreens();
    const struct {
        QPointF device;
        QPointF logical;
    } cases[] = {
        {{100, 200}, {100, 200}},
        {{1919, 1079}, {1919, 1079}},
        {{1920, 0}, {1920, 0}},
        {{1920 + 1000, 500}, {1920 + 500, 250}},
        {{1920 + 2559, 1439}, {1920 + 1279.5, 719.5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(layout.logicalFromDevice(c.device), c.logical) << c.device.x() << "," << c.device.y();
        EXPECT_EQ(layout.deviceFromLogical(c.logical), c.device) << c.logical.x() << "," << c.logical.y();
    }
    // Off every screen the point stays as it is rather than jumping to some screen.
    EXPECT_EQ(layout.logicalFromDevice(QPointF(5000, 5000)), QPointF(5000, 5000));
    EXPECT_EQ(OverlayScreenLayout {}.logicalFromDevice(QPointF(7, 8)), QPointF(7, 8));
}

} // namespace
} // namespace tarn::input
