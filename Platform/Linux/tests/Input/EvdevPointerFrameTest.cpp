// One grabbed mouse's frames through a handler: what the engine sees, and what the virtual twin
// then sends.

#include "Platform/Linux/Input/EvdevPointerFrame.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Linux/X11/PointerLocationCache.h"

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

using Events = std::vector<EvdevEvent>;

// What the buffer holds, frame by frame (each ended by its SYN_REPORT, left out here).
std::vector<Events> framesIn(const UinputWriteBuffer& out)
{
    std::vector<Events> frames(1);
    for (const auto& event : out.events()) {
        EXPECT_EQ(event.time.tv_sec + event.time.tv_usec, 0) << "the kernel stamps them";
        if (event.type == EV_SYN && event.code == SYN_REPORT) {
            frames.emplace_back();
        } else {
            frames.back().push_back({event.type, event.code, event.value});
        }
    }
    EXPECT_TRUE(frames.back().empty()) << "every frame ends with a SYN_REPORT";
    frames.pop_back();
    return frames;
}

class EvdevPointerFrameTest : public ::testing::Test {
protected:
    // One frame through the handler as the tap runs it: motion alone goes out first and reaches
    // the handler after.
    Events run(std::initializer_list<EvdevEvent> events, bool grabbed = true)
    {
        for (const auto& event : events) {
            frame.add(event);
        }
        UinputWriteBuffer out;
        TapEvent motion;
        if (frame.finish(context(grabbed), out, motion)) {
            EvdevPointerFrame::deliverMotion(context(grabbed), motion);
        }
        const auto frames = framesIn(out);
        EXPECT_LE(frames.size(), 1U);
        return frames.empty() ? Events {} : frames.front();
    }

    FrameContext context(bool grabbed = true)
    {
        return {grabbed ? &handler : nullptr, kTappedEventMask, EventFlag::shift, &location};
    }

    ScriptedHandler handler;
    PointerLocationCache location;
    EvdevPointerFrame frame;
};

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
    UinputWriteBuffer out;
    for (const auto& events : frames) {
        for (const auto& event : events) {
            frame.add(event);
        }
        TapEvent motion;
        if (frame.finish(context(), out, motion)) {
            EvdevPointerFrame::deliverMotion(context(), motion);
        }
    }
    EXPECT_EQ(framesIn(out), std::vector<Events>(std::begin(frames), std::end(frames))) << "one buffer, seven frames";
}

TEST_F(EvdevPointerFrameTest, MotionAloneGoesOutBeforeTheHandlerSeesIt)
{
    frame.add({EV_REL, REL_X, 3});
    frame.add({EV_REL, REL_Y, -1});
    EXPECT_FALSE(frame.needsVerdict());
    UinputWriteBuffer out;
    TapEvent motion;
    ASSERT_TRUE(frame.finish(context(), out, motion));
    EXPECT_EQ(framesIn(out), (std::vector<Events> {{{EV_REL, REL_X, 3}, {EV_REL, REL_Y, -1}}}));
    EXPECT_TRUE(handler.seen.empty());
    EvdevPointerFrame::deliverMotion(context(), motion);
    ASSERT_EQ(handler.seen.size(), 1U);
    EXPECT_EQ(handler.seen[0].type, TapEventType::mouseMoved);
    EXPECT_EQ(handler.seen[0].location, (EventPoint {3, 0}));
}

TEST_F(EvdevPointerFrameTest, TheHandlerCannotChangeWhereThePointerGoes)
{
    handler.decide = [](TapEvent& event) {
        event.mouseDeltaX = 100;
        return TapVerdict::swallow;
    };
    EXPECT_EQ(run({{EV_REL, REL_X, 2}}), (Events {{EV_REL, REL_X, 2}}));
    frame.add({EV_REL, REL_X, 2});
    frame.add({EV_KEY, BTN_RIGHT, 1});
    EXPECT_TRUE(frame.needsVerdict());
    EXPECT_EQ(run({}), (Events {{EV_REL, REL_X, 2}})) << "seen first, swallowed press, motion as it came";
    ASSERT_EQ(handler.seen.size(), 3U);
    EXPECT_EQ(handler.seen[1].type, TapEventType::mouseMoved);
    EXPECT_EQ(handler.seen[2].type, TapEventType::rightMouseDown);
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
    UinputWriteBuffer out;
    frame.releaseHeldButtons(context(), out);
    EXPECT_EQ(framesIn(out), (std::vector<Events> {{{EV_KEY, BTN_LEFT, 0}, {EV_KEY, BTN_SIDE, 0}}}));
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
    UinputWriteBuffer out;
    TapEvent motion;
    EXPECT_FALSE(frame.finish({&handler, eventMaskBit(TapEventType::leftMouseDown), 0, &location}, out, motion));
    EXPECT_EQ(framesIn(out), (std::vector<Events> {{{EV_REL, REL_X, 1}, {EV_KEY, BTN_LEFT, 1}}}));
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
