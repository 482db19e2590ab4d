#include "TarnInput/Overlays/Ripples/ClickRippleOverlay.h"

#include <algorithm>
#include <random>
#include <set>

#include <QApplication>
#include <gtest/gtest.h>

#include "OverlayTestSupport.h"
#include "TarnInput/Overlays/Ripples/ClickRippleHaloView.h"

namespace tarn::input {
namespace {

using std::chrono::milliseconds;

class ClickRippleOverlayTest : public ::testing::Test {
protected:
    ClickRippleOverlayTest() { screens.setLayout(twoScreenLayout()); }

    const ClickRippleHaloView& only() const
    {
        EXPECT_EQ(overlay.ripples().size(), 1U);
        return *overlay.ripples().front();
    }

    FakeOverlayClock clock;
    FakeOverlayScreens screens;
    FakeOverlayWindowManager windowManager;
    ClickRippleOverlay overlay {clock, screens, windowManager};
};

TEST_F(ClickRippleOverlayTest, EachPressGetsA68SquareWindowCentredOnTheConvertedPoint)
{
    const struct {
        ClickRippleEvent::Point device;
        QRect window;
    } cases[] = {
        {{400, 300}, QRect(366, 266, 68, 68)},
        // On the scale-2 screen device pixels are halved from its corner at x 1920.
        {{1920 + 1000, 500}, QRect(1920 + 500 - 34, 250 - 34, 68, 68)},
        // At the very corner part of the window lies off the screen; it is not pushed back.
        {{0, 0}, QRect(-34, -34, 68, 68)},
    };
    for (const auto& c : cases) {
        ClickRippleOverlay ripples(clock, screens, windowManager);
        ripples.show(ClickRippleEvent {c.device, false});
        ASSERT_EQ(ripples.ripples().size(), 1U);
        EXPECT_EQ(ripples.ripples().front()->geometry(), c.window) << c.device.x << "," << c.device.y;
        EXPECT_TRUE(ripples.ripples().front()->isVisible());
    }
}

TEST_F(ClickRippleOverlayTest, TwoPressesATenthApartLiveIndependently)
{
    overlay.show(ClickRippleEvent {{100, 100}, false});
    clock.advance(milliseconds(100));
    overlay.show(ClickRippleEvent {{300, 300}, true});
    const auto both = overlay.ripples();
    ASSERT_EQ(both.size(), 2U);
    EXPECT_NE(both[0]->winId(), both[1]->winId());
    EXPECT_EQ(windowManager.prepared(), (std::vector<std::uint64_t> {both[0]->winId(), both[1]->winId()}));

    clock.advance(milliseconds(279));
    EXPECT_EQ(overlay.ripples().size(), 2U) << "0.379 s after the first press";
    clock.advance(milliseconds(1));
    ASSERT_EQ(overlay.ripples().size(), 1U) << "0.38 s after the first press";
    EXPECT_TRUE(overlay.ripples().front()->isRightClick());
    clock.advance(milliseconds(100));
    EXPECT_TRUE(overlay.ripples().empty());
    EXPECT_EQ(clock.pendingCount(), 0U);
}

// Presses at random moments, some in quick bursts: the windows are made only while every window
// made so far shows a halo, so there are never more than were ever on screen at once, and a
// reused window starts its halo afresh, for its own button, where its own press was.
TEST_F(ClickRippleOverlayTest, PressesReuseTheWindowsOfHalosThatAreGone)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pause(0, 600);
    std::bernoulli_distribution rightClick(0.3);
    std::uniform_real_distribution<double> coordinate(0, 1900);
    std::size_t mostAtOnce = 0;
    std::set<WId> nativeWindows;
    for (int press = 0; press < 400; ++press) {
        clock.advance(milliseconds(pause(random) < 150 ? pause(random) / 10 : pause(random)));
        const ClickRippleEvent event {{coordinate(random), coordinate(random) / 2}, rightClick(random)};
        overlay.show(event);

        const auto onScreen = overlay.ripples();
        mostAtOnce = std::max(mostAtOnce, onScreen.size());
        ASSERT_EQ(overlay.windowCount(), mostAtOnce) << "press " << press;
        ASSERT_EQ(std::set<const ClickRippleHaloView*>(onScreen.begin(), onScreen.end()).size(), onScreen.size());
        const ClickRippleHaloView& newest = *onScreen.back();
        nativeWindows.insert(newest.winId());
        EXPECT_TRUE(newest.isVisible());
        EXPECT_EQ(newest.isRightClick(), event.isRightClick);
        EXPECT_EQ(newest.frame(), RippleAnimation::frameAt(milliseconds(0)));
        const QPoint centre
            = screens.layout().logicalFromDevice(QPointF(event.screenPoint.x, event.screenPoint.y)).toPoint();
        EXPECT_LE((newest.geometry().center() - centre).manhattanLength(), 2) << "press " << press;
    }
    EXPECT_EQ(nativeWindows.size(), overlay.windowCount()) << "no native window made twice";
    EXPECT_LE(overlay.windowCount(), 8U);
    EXPECT_EQ(windowManager.prepared().size(), 400U) << "every press still readies its window for showing";

    clock.advance(RippleAnimation::kLifetime);
    EXPECT_TRUE(overlay.ripples().empty());
    EXPECT_EQ(clock.pendingCount(), 0U);
}

TEST_F(ClickRippleOverlayTest, TheHaloFollowsTheCurveAndStopsAtItsEnd)
{
    overlay.show(ClickRippleEvent {{100, 100}, false});
    EXPECT_EQ(only().frame(), RippleAnimation::frameAt(milliseconds(0)));
    clock.advance(milliseconds(176));
    EXPECT_EQ(only().frame(), RippleAnimation::frameAt(milliseconds(176)));
    clock.advance(milliseconds(200));
    EXPECT_EQ(only().frame(), RippleAnimation::frameAt(RippleAnimation::kDuration));
    EXPECT_EQ(clock.pendingCount(), 1U) << "no frames after the motion, only the removal";
}

TEST_F(ClickRippleOverlayTest, TheWindowNeverTakesFocusOrInput)
{
    overlay.show(ClickRippleEvent {{100, 100}, false});
    const Qt::WindowFlags flags = only().windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    for (const Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint, Qt::WindowDoesNotAcceptFocus,
             Qt::WindowTransparentForInput}) {
        EXPECT_TRUE(flags.testFlag(flag)) << flag;
    }
    EXPECT_TRUE(only().testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(QApplication::activeWindow(), nullptr);
}

// The ring of the frame at 176 ms covers 55.8 to 57.7 pixels right of the window's left edge on
// its middle row; the centre holds only the faint disc.
constexpr QPoint kOnTheRing(56, 34);
constexpr QPoint kCentre(34, 34);

TEST_F(ClickRippleOverlayTest, LeftAndRightPressesDrawInTheirOwnColours)
{
    for (const bool isRightClick : {false, true}) {
        ClickRippleOverlay ripples(clock, screens, windowManager);
        ripples.show(ClickRippleEvent {{100, 100}, isRightClick});
        clock.advance(milliseconds(176));
        auto& window = const_cast<ClickRippleHaloView&>(*ripples.ripples().front());
        const QImage image = paintedImage(window);
        const RippleFrame frame = window.frame();
        // The opaque ring covers the disc; the whole halo is at the frame's opacity.
        const QColor color = RippleAnimation::color(isRightClick);
        EXPECT_TRUE(colorNear(image.pixelColor(kOnTheRing), withAlpha(color, frame.opacity), 4))
            << isRightClick << " " << image.pixelColor(kOnTheRing).name(QColor::HexArgb).toStdString();
        // The disc is too faint by now for its colour to survive 8-bit rounding; its strength does.
        EXPECT_NEAR(image.pixelColor(kCentre).alpha(), 255.0 * frame.opacity * frame.discOpacity, 1.5);
        EXPECT_EQ(image.pixelColor(1, 1).alpha(), 0);
        EXPECT_TRUE(window.mask().isEmpty());
    }
}

TEST_F(ClickRippleOverlayTest, WithoutACompositorTheRingIsSolidAndTheWindowMaskedToIt)
{
    windowManager.setCompositing(false);
    overlay.show(ClickRippleEvent {{100, 100}, false});
    clock.advance(milliseconds(176));
    auto& window = const_cast<ClickRippleHaloView&>(only());
    const QImage image = paintedImage(window);
    EXPECT_TRUE(colorNear(image.pixelColor(kOnTheRing), RippleAnimation::color(false), 4))
        << image.pixelColor(kOnTheRing).name(QColor::HexArgb).toStdString();
    EXPECT_EQ(image.pixelColor(kCentre).alpha(), 0) << "no disc: it could only show as a dark blot";
    EXPECT_TRUE(window.mask().contains(kOnTheRing));
    EXPECT_FALSE(window.mask().contains(kCentre));
    EXPECT_FALSE(window.mask().contains(QPoint(1, 1)));
}

} // namespace
} // namespace tarn::input
