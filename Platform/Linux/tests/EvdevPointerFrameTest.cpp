// One grabbed mouse's frames through a handler: what the engine sees, and what the virtual twin
// then sends.

#include "Platform/Linux/Input/EvdevPointerFrame.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Linux/PointerLocationCache.h"

#include <linux/input-event-codes.h>

namespace tarn::input {
namespace {

class ScriptedHandler final : public EventTapHandler {
public:
    TapVerdict handleTapEvent(TapEvent& event) override
    {
        seen.push_back(event);
        return decide ? decide(event) : TapVerdict::pass;
    }

    std::vector<TapEvent> seen;
    std::function<TapVerdict(TapEvent&)> decide;
};

class EvdevPointerFrameTest : public ::testing::Test {
protected:
    std::vector<EvdevEvent> run(std::initializer_list<EvdevEvent> events, bool grabbed = true)
    {
        for (const auto& event : events) {
            frame.add(event);
        }
        const auto out = frame.finish(context(grabbed));
        return {out.begin(), out.end()};
    }

    FrameContext context(bool grabbed = true)
    {
        return {grabbed ? &handler : nullptr, kTappedEventMask, EventFlag::shift, &location};
    }

    ScriptedHandler handler;
    PointerLocationCache location;
    EvdevPointerFrame frame;
};

using Events = std::vector<EvdevEvent>;

TEST_F(EvdevPointerFrameTest, PassedFramesComeOutUnchanged)
{
    const Events frames[] = {
        {{EV_REL, REL_X, 3}, {EV_REL, REL_Y, -2}},
        {{EV_KEY, BTN_LEFT, 1}},
        {{EV_KEY, BTN_LEFT, 0}},
        {{EV_REL, REL_WHEEL, -1}, {EV_REL, REL_WHEEL_HI_RES, -120}},
        {{EV_REL, REL_HWHEEL_HI_RES, 30}},
        {{EV_KEY, BTN_BACK, 1}, {EV_KEY, BTN_BACK, 0}},
        {{EV_REL, REL_DIAL, 4}},
    };
    for (const auto& events : frames) {
        for (const auto& event : events) {
            frame.add(event);
        }
        const auto out = frame.finish(context());
        EXPECT_EQ(Events(out.begin(), out.end()), events);
    }
}

TEST_F(EvdevPointerFrameTest, AWheelWithoutHighResolutionGetsItOnTheTwin)
{
    EXPECT_EQ(run({{EV_REL, REL_WHEEL, -2}}), (Events {{EV_REL, REL_WHEEL, -2}, {EV_REL, REL_WHEEL_HI_RES, -240}}));
    EXPECT_EQ(run({{EV_REL, REL_HWHEEL, 1}}), (Events {{EV_REL, REL_HWHEEL, 1}, {EV_REL, REL_HWHEEL_HI_RES, 120}}));
    // Part of a detent from a free-spinning wheel: the kernel sends no legacy event yet, nor do we.
    EXPECT_EQ(run({{EV_REL, REL_WHEEL_HI_RES, 30}}), (Events {{EV_REL, REL_WHEEL_HI_RES, 30}}));
}

TEST_F(EvdevPointerFrameTest, TheHandlerSeesTheEnginesVocabulary)
{
    run({{EV_REL, REL_X, 5}, {EV_REL, REL_Y, 7}});
    run({{EV_KEY, BTN_SIDE, 1}});
    run({{EV_REL, REL_X, 1}});
    run({{EV_KEY, BTN_SIDE, 0}, {EV_KEY, BTN_RIGHT, 1}});
    run({{EV_REL, REL_Y, 1}, {EV_REL, REL_WHEEL_HI_RES, 60}, {EV_REL, REL_HWHEEL, 1}});
    ASSERT_EQ(handler.seen.size(), 7U);
    EXPECT_EQ(handler.seen[0].type, TapEventType::mouseMoved);
    EXPECT_EQ(handler.seen[0].mouseDeltaX, 5);
    EXPECT_EQ(handler.seen[0].flags, EventFlag::shift);
    // Nothing follows the pointer here, so the tap moves it by the motion.
    EXPECT_EQ(handler.seen[0].location, (EventPoint {5, 7}));
    EXPECT_EQ(handler.seen[1].type, TapEventType::otherMouseDown);
    EXPECT_EQ(handler.seen[1].buttonNumber, 3);
    EXPECT_EQ(handler.seen[2].type, TapEventType::otherMouseDragged);
    EXPECT_EQ(handler.seen[2].buttonNumber, 3);
    EXPECT_EQ(handler.seen[3].type, TapEventType::otherMouseUp);
    EXPECT_EQ(handler.seen[4].type, TapEventType::rightMouseDown);
    EXPECT_EQ(handler.seen[5].type, TapEventType::rightMouseDragged);
    EXPECT_EQ(handler.seen[6].type, TapEventType::scrollWheel);
    EXPECT_EQ(handler.seen[6].scrollDeltaAxis1, 0.5);
    EXPECT_EQ(handler.seen[6].scrollDeltaAxis2, -1);
}

TEST_F(EvdevPointerFrameTest, SwallowedButtonsStayInButMotionStillMoves)
{
    handler.decide = [](TapEvent& event) {
        return event.type == TapEventType::mouseMoved ? TapVerdict::pass : TapVerdict::swallow;
    };
    EXPECT_EQ(run({{EV_KEY, BTN_LEFT, 1}}), Events {});
    // A swallowed drag: applications see no drag, the pointer moves all the same.
    EXPECT_EQ(run({{EV_REL, REL_X, 4}}), (Events {{EV_REL, REL_X, 4}}));
    EXPECT_EQ(run({{EV_KEY, BTN_LEFT, 0}, {EV_REL, REL_WHEEL, 1}}), Events {});
}

TEST_F(EvdevPointerFrameTest, AReleaseWhosePressWentOutIsNeverHeldBack)
{
    run({{EV_KEY, BTN_MIDDLE, 1}});
    handler.decide = [](TapEvent&) { return TapVerdict::swallow; };
    EXPECT_EQ(run({{EV_KEY, BTN_MIDDLE, 0}}), (Events {{EV_KEY, BTN_MIDDLE, 0}}));
}

TEST_F(EvdevPointerFrameTest, ChangedWheelAmountsAreSentOnBothAxes)
{
    handler.decide = [](TapEvent& event) {
        event.scrollDeltaAxis1 *= -1.5;
        return TapVerdict::pass;
    };
    EXPECT_EQ(run({{EV_REL, REL_WHEEL, 1}, {EV_REL, REL_WHEEL_HI_RES, 120}}),
        (Events {{EV_REL, REL_WHEEL, -2}, {EV_REL, REL_WHEEL_HI_RES, -180}}));
    EXPECT_EQ(run({{EV_REL, REL_WHEEL, 1}, {EV_REL, REL_WHEEL_HI_RES, 120}}),
        (Events {{EV_REL, REL_WHEEL, -1}, {EV_REL, REL_WHEEL_HI_RES, -180}}));
}

TEST_F(EvdevPointerFrameTest, AChangedButtonNumberPressesThatButton)
{
    handler.decide = [](TapEvent& event) {
        event.buttonNumber = 2;
        return TapVerdict::pass;
    };
    EXPECT_EQ(run({{EV_KEY, BTN_EXTRA, 1}}), (Events {{EV_KEY, BTN_MIDDLE, 1}}));
}

TEST_F(EvdevPointerFrameTest, UngrabbedFramesAreOnlyFollowed)
{
    EXPECT_EQ(run({{EV_KEY, BTN_LEFT, 1}, {EV_REL, REL_X, 2}}, false), Events {});
    EXPECT_TRUE(handler.seen.empty());
    EXPECT_TRUE(frame.anyButtonHeld());
    run({{EV_KEY, BTN_LEFT, 0}}, false);
    EXPECT_FALSE(frame.anyButtonHeld());
}

TEST_F(EvdevPointerFrameTest, UnpluggedMidPressReleasesEveryHeldButton)
{
    run({{EV_KEY, BTN_LEFT, 1}, {EV_KEY, BTN_SIDE, 1}});
    handler.seen.clear();
    const auto out = frame.releaseHeldButtons(context());
    EXPECT_EQ(Events(out.begin(), out.end()), (Events {{EV_KEY, BTN_LEFT, 0}, {EV_KEY, BTN_SIDE, 0}}));
    ASSERT_EQ(handler.seen.size(), 2U);
    EXPECT_EQ(handler.seen[0].type, TapEventType::leftMouseUp);
    EXPECT_EQ(handler.seen[1].type, TapEventType::otherMouseUp);
    EXPECT_FALSE(frame.anyButtonHeld());
}

TEST_F(EvdevPointerFrameTest, KeysOfAMouseReachTheKeyHudAndPassOn)
{
    EXPECT_EQ(run({{EV_KEY, KEY_LEFTCTRL, 1}, {EV_KEY, KEY_C, 1}, {EV_KEY, KEY_C, 2}, {EV_KEY, KEY_C, 0}}),
        (Events {{EV_KEY, KEY_LEFTCTRL, 1}, {EV_KEY, KEY_C, 1}, {EV_KEY, KEY_C, 2}, {EV_KEY, KEY_C, 0}}));
    ASSERT_EQ(handler.seen.size(), 1U) << "a modifier alone is no key press";
    EXPECT_EQ(handler.seen[0].type, TapEventType::keyDown);
    EXPECT_EQ(handler.seen[0].keyCode, 8);
}

TEST_F(EvdevPointerFrameTest, UntappedTypesPassWithoutTheHandler)
{
    for (const auto& event : {EvdevEvent {EV_KEY, BTN_LEFT, 1}, EvdevEvent {EV_REL, REL_X, 1}}) {
        frame.add(event);
    }
    const auto out = frame.finish({&handler, eventMaskBit(TapEventType::leftMouseDown), 0, &location});
    EXPECT_EQ(Events(out.begin(), out.end()), (Events {{EV_REL, REL_X, 1}, {EV_KEY, BTN_LEFT, 1}}));
    ASSERT_EQ(handler.seen.size(), 1U);
    EXPECT_EQ(handler.seen[0].type, TapEventType::leftMouseDown);
}

TEST_F(EvdevPointerFrameTest, ADisplayServerThatFollowsThePointerPlacesIt)
{
    location.setFollowedByDisplayServer(true);
    location.store({100, 200});
    run({{EV_REL, REL_X, -300}});
    ASSERT_EQ(handler.seen.size(), 1U);
    EXPECT_EQ(handler.seen[0].location, (EventPoint {100, 200}));
    location.setFollowedByDisplayServer(false);
    run({{EV_REL, REL_X, -300}});
    EXPECT_EQ(handler.seen[1].location, (EventPoint {0, 200}));
}

} // namespace
} // namespace tarn::input
