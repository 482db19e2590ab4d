#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "Platform/Fake/Core/FakeEventPoster.h"
#include "Platform/Fake/Core/FakeEventTap.h"
#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "TarnInputCore/Engine/Executor/ThreadEngineExecutor.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Engine/Pointer/ScrollDelta.h"
#include "TarnInputCore/Engine/Pointer/SmoothScrollPhysics.h"

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

constexpr std::uint16_t kEqualsKey = 24;
constexpr std::uint16_t kMinusKey = 27;

struct ScrollRig : FakeEnginePorts {
    explicit ScrollRig(InputSettings initial = {})
        : service(initial, ports())
    {
        EXPECT_TRUE(service.start());
    }

    std::optional<TapEvent> wheel(double dy, double dx = 0, std::uint64_t flags = 0)
    {
        TapEvent event;
        event.type = TapEventType::scrollWheel;
        event.scrollDeltaAxis1 = dy;
        event.scrollDeltaAxis2 = dx;
        event.flags = flags;
        return tap.deliver(event);
    }

    // Vertical pixels of each smoothing frame posted during `frames` ticks.
    std::vector<double> framesY(int frames)
    {
        std::vector<double> amounts;
        for (int i = 0; i < frames; ++i) {
            executor.advance(8ms);
            for (const auto& event : poster.take()) {
                EXPECT_EQ(event.type, TapEventType::scrollWheel);
                EXPECT_TRUE(event.isSynthetic());
                EXPECT_TRUE(event.scrollIsContinuous);
                amounts.push_back(event.scrollPointDeltaAxis1);
            }
        }
        return amounts;
    }

    InputEventInterceptorService service;
};

InputSettings plainWheel()
{
    InputSettings settings;
    settings.reverseMouseWheel = false;
    settings.scrollSpeedMultiplier = 1.0;
    return settings;
}

TEST(SmoothScrollPhysicsTest, OneNotchDecaysInNineteenFramesAndStops)
{
    SmoothScrollPhysics physics;
    physics.enqueueImpulse(0, 1, 28);
    std::vector<long> rounded;
    while (const auto frame = physics.stepFrame(0.22)) {
        rounded.push_back(std::lround(frame->y));
        EXPECT_EQ(frame->x, 0);
    }
    EXPECT_EQ(rounded, (std::vector<long> {6, 5, 4, 3, 2, 2, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(physics.remainingY, 0);
}

TEST(SmoothScrollPhysicsTest, ImpulsesAccumulateOrDiscardPerAxisAndRatesAreClamped)
{
    SmoothScrollPhysics physics;
    physics.enqueueImpulse(1, 1, 28);
    (void)physics.stepFrame(0.5); // 14 left on each axis
    physics.enqueueImpulse(1, -1, 28);
    EXPECT_DOUBLE_EQ(physics.remainingX, 42); // same direction: added
    EXPECT_DOUBLE_EQ(physics.remainingY, -28); // against it: the rest is dropped

    struct Case {
        double rate;
        double expected;
    };
    for (const auto& c : {Case {0.01, 0.08}, Case {0.08, 0.08}, Case {0.3, 0.3}, Case {0.9, 0.65},
             Case {std::numeric_limits<double>::quiet_NaN(), 0.08}}) {
        SmoothScrollPhysics p;
        p.remainingY = 100;
        EXPECT_DOUBLE_EQ(p.stepFrame(c.rate)->y, 100 * c.expected) << c.rate;
    }

    SmoothScrollPhysics small;
    small.remainingX = 0.2;
    small.remainingY = -0.1;
    EXPECT_FALSE(small.stepFrame(0.22));
    EXPECT_EQ(small.remainingX, 0);
    EXPECT_EQ(small.remainingY, 0);
}

TEST(ScrollDeltaTest, TransformRawDeltaFollowsTheWheelRule)
{
    InputSettings settings;
    settings.reverseMouseWheel = true;
    settings.scrollSpeedMultiplier = 1.35;
    settings.reverseTrackpad = true;
    const auto fromSettings = ScrollDelta::Options::fromSettings(settings);
    EXPECT_EQ(ScrollDelta::transformRawDelta(0, 1, false, false, fromSettings), (ScrollDelta {0, -1.35, true}));
    EXPECT_EQ(ScrollDelta::transformRawDelta(2, 3, true, true, fromSettings), (ScrollDelta {-2, -3, false}));
    // Shift: sideways only when there is no real horizontal component.
    EXPECT_EQ(ScrollDelta::transformRawDelta(0, 1, false, true, fromSettings), (ScrollDelta {-1.35, 0, true}));
    const auto withSpeed = [](double speed) {
        return ScrollDelta::Options {.scrollSpeedMultiplier = speed, .shiftScrollHorizontal = true};
    };
    EXPECT_EQ(ScrollDelta::transformRawDelta(0.01, 1, false, true, withSpeed(1)), (ScrollDelta {0.01, 1, true}));
    EXPECT_EQ(ScrollDelta::transformRawDelta(0, 1, false, false, withSpeed(10)), (ScrollDelta {0, 4, true}));
    EXPECT_EQ(ScrollDelta::transformRawDelta(0, 1, false, false, withSpeed(0.1)), (ScrollDelta {0, 0.4, true}));
}

TEST(InputEventInterceptorServiceScrollTest, OneNotchPostsTheNineteenFrameDecayThenNothing)
{
    ScrollRig rig(plainWheel());
    EXPECT_FALSE(rig.wheel(1)); // swallowed: smoothing takes over
    EXPECT_EQ(rig.framesY(25), (std::vector<double> {6, 5, 4, 3, 2, 2, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(InputEventInterceptorServiceScrollTest, FrameTimerSleepsUnlessThereIsTravelLeft)
{
    struct Case {
        const char* name;
        bool smoothing;
        bool engine;
    };
    for (const auto& c :
        {Case {"smoothing", true, true}, Case {"smoothing off", false, true}, Case {"engine off", true, false}}) {
        auto settings = plainWheel();
        settings.smoothScrollEnabled = c.smoothing;
        settings.engineEnabled = c.engine;
        ScrollRig rig(settings);
        rig.executor.advance(1s);
        EXPECT_EQ(rig.executor.armedCount(), 0u) << c.name << ": idle";
        (void)rig.wheel(1);
        EXPECT_EQ(rig.executor.armedCount(), c.smoothing && c.engine ? 1u : 0u) << c.name << ": after a step";
        // The whole decay, then the timer disarms itself.
        (void)rig.framesY(20);
        EXPECT_EQ(rig.executor.armedCount(), 0u) << c.name << ": after the decay";
    }
    // A step while the decay runs keeps the 8 ms cadence; a step after it ends arms the timer again.
    ScrollRig rig(plainWheel());
    (void)rig.wheel(1);
    rig.executor.advance(3ms);
    (void)rig.wheel(1);
    rig.executor.advance(5ms);
    EXPECT_EQ(rig.poster.take().size(), 1u);
    (void)rig.framesY(30);
    (void)rig.wheel(1);
    EXPECT_EQ(rig.framesY(1), (std::vector<double> {6}));
}

// Each wake-up of the executor's thread is one frame: the tick that posts the last frame of a
// decay sleeps at once, instead of waking once more only to find nothing left.
TEST(InputEventInterceptorServiceScrollTest, TheLastFrameOfADecayPutsTheTimerToSleep)
{
    ScrollRig rig(plainWheel());
    (void)rig.wheel(1);
    EXPECT_EQ(rig.framesY(18).size(), 18u);
    EXPECT_EQ(rig.executor.armedCount(), 1u);
    EXPECT_EQ(rig.framesY(1).size(), 1u);
    EXPECT_EQ(rig.executor.armedCount(), 0u);
    // The next step starts a fresh travel, nothing of the old one left.
    (void)rig.wheel(1);
    EXPECT_EQ(rig.framesY(2), (std::vector<double> {6, 5}));
}

TEST(InputEventInterceptorServiceScrollTest, ReversalDiscardsTheRemainingTravel)
{
    ScrollRig rig(plainWheel());
    (void)rig.wheel(1);
    EXPECT_EQ(rig.framesY(2), (std::vector<double> {6, 5}));
    (void)rig.wheel(-1);
    // A fresh 28-pixel travel the other way, nothing left of the first.
    EXPECT_EQ(rig.framesY(3), (std::vector<double> {-6, -5, -4}));

    // Three quick notches the same way accumulate.
    ScrollRig quick(plainWheel());
    (void)quick.wheel(1);
    (void)quick.wheel(1);
    (void)quick.wheel(1);
    EXPECT_EQ(quick.framesY(1), (std::vector<double> {std::round(84 * 0.22)}));
}

TEST(InputEventInterceptorServiceScrollTest, DiscreteWheelIsChangedInPlaceWithoutSmoothing)
{
    auto settings = plainWheel();
    settings.smoothScrollEnabled = false;
    settings.reverseMouseWheel = true;
    settings.scrollSpeedMultiplier = 1.35;
    ScrollRig rig(settings);
    auto out = rig.wheel(1);
    ASSERT_TRUE(out);
    EXPECT_DOUBLE_EQ(out->scrollDeltaAxis1, -1.35);

    // Shift turns a vertical step sideways; a real horizontal component stays as it is.
    out = rig.wheel(1, 0, EventFlag::shift);
    ASSERT_TRUE(out);
    EXPECT_DOUBLE_EQ(out->scrollDeltaAxis2, -1.35);
    EXPECT_EQ(out->scrollDeltaAxis1, 0);
    out = rig.wheel(1, 0.5, EventFlag::shift);
    ASSERT_TRUE(out);
    EXPECT_DOUBLE_EQ(out->scrollDeltaAxis1, -1.35);
    EXPECT_DOUBLE_EQ(out->scrollDeltaAxis2, -0.675);

    // A broken delta moves nothing instead of poisoning the output.
    out = rig.wheel(std::numeric_limits<double>::quiet_NaN());
    ASSERT_TRUE(out);
    EXPECT_EQ(out->scrollDeltaAxis1, 0);
    EXPECT_TRUE(rig.poster.posted().empty());
}

TEST(InputEventInterceptorServiceScrollTest, OptionWheelZoomsInTheWheelsDirection)
{
    struct Case {
        bool reverse;
        double dy;
        std::uint16_t key;
    };
    for (const auto& c : {Case {false, 1, kEqualsKey}, Case {false, -1, kMinusKey}, Case {true, 1, kMinusKey},
             Case {true, -1, kEqualsKey}}) {
        auto settings = plainWheel();
        settings.reverseMouseWheel = c.reverse;
        ScrollRig rig(settings);
        EXPECT_FALSE(rig.wheel(c.dy, 0, EventFlag::option));
        const auto posted = rig.poster.take();
        ASSERT_EQ(posted.size(), 2u);
        EXPECT_EQ(posted[0].type, TapEventType::keyDown);
        EXPECT_EQ(posted[0].keyCode, c.key) << c.reverse << " " << c.dy;
        EXPECT_EQ(posted[0].flags, EventFlag::command);
        EXPECT_EQ(posted[1].type, TapEventType::keyUp);
        EXPECT_TRUE(rig.framesY(3).empty()); // no smoothing travel either
    }
    // Zoom switched off: Option + wheel scrolls.
    auto settings = plainWheel();
    settings.optionScrollZoomEnabled = false;
    ScrollRig rig(settings);
    EXPECT_FALSE(rig.wheel(1, 0, EventFlag::option));
    EXPECT_EQ(rig.framesY(1), (std::vector<double> {6}));
}

TEST(InputEventInterceptorServiceScrollTest, ExcludedApplicationScrollsInPlaceAndTicksPostNothing)
{
    ScrollRig rig(plainWheel());
    (void)rig.wheel(1);
    EXPECT_EQ(rig.framesY(1), (std::vector<double> {6}));
    // Switching to an excluded application drops the rest of the travel.
    rig.workspace.activate("com.figma.Desktop", "Figma");
    const auto out = rig.wheel(2);
    ASSERT_TRUE(out);
    EXPECT_DOUBLE_EQ(out->scrollDeltaAxis1, 2);
    EXPECT_TRUE(rig.framesY(20).empty());
    EXPECT_EQ(rig.service.currentResolution().smoothScrollEnabled, false);
}

TEST(InputEventInterceptorServiceScrollTest, ContinuousScrollingIsOnlyEverReversedGlobally)
{
    auto settings = plainWheel();
    settings.reverseMouseWheel = true;
    settings.scrollSpeedMultiplier = 3;
    settings.reverseTrackpad = true;
    ScrollRig rig(settings);
    TapEvent trackpad;
    trackpad.type = TapEventType::scrollWheel;
    trackpad.scrollIsContinuous = true;
    trackpad.flags = EventFlag::option | EventFlag::shift;
    trackpad.scrollDeltaAxis1 = 2;
    trackpad.scrollDeltaAxis2 = -1;
    trackpad.scrollPointDeltaAxis1 = 20;
    trackpad.scrollPointDeltaAxis2 = -10;
    auto out = rig.tap.deliver(trackpad);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->scrollDeltaAxis1, -2);
    EXPECT_EQ(out->scrollDeltaAxis2, 1);
    EXPECT_EQ(out->scrollPointDeltaAxis1, -20);
    EXPECT_EQ(out->scrollPointDeltaAxis2, 10);
    EXPECT_TRUE(rig.poster.posted().empty()); // no zoom
    EXPECT_TRUE(rig.framesY(3).empty()); // no smoothing

    settings.reverseTrackpad = false;
    rig.service.updateSettings(settings);
    EXPECT_EQ(rig.tap.deliver(trackpad), trackpad);
    settings.reverseTrackpad = true;
    settings.engineEnabled = false;
    rig.service.updateSettings(settings);
    EXPECT_EQ(rig.tap.deliver(trackpad), trackpad);
    TapEvent wheel;
    wheel.type = TapEventType::scrollWheel;
    wheel.scrollDeltaAxis1 = 1;
    EXPECT_EQ(rig.tap.deliver(wheel), wheel);
}

TEST(InputEventInterceptorServiceScrollTest, TickClearsTinyRemaindersAndClampsHugeSteps)
{
    ScrollRig rig(plainWheel());
    (void)rig.wheel(0.008); // 0.224 pixels: below the stop threshold
    EXPECT_TRUE(rig.framesY(3).empty());

    (void)rig.wheel(1e12); // far beyond any wheel: the post is held in range
    const auto amounts = rig.framesY(1);
    ASSERT_EQ(amounts.size(), 1u);
    EXPECT_EQ(amounts[0], std::numeric_limits<std::int32_t>::max());
    (void)rig.wheel(-1e12);
    EXPECT_EQ(rig.framesY(1), (std::vector<double> {double(std::numeric_limits<std::int32_t>::min())}));

    // Stopping drops the travel and the timer; only the macro player's task, asleep, is left.
    rig.service.stop();
    EXPECT_EQ(rig.executor.pendingCount(), 1u);
    EXPECT_EQ(rig.executor.armedCount(), 0u);
}

// The wheel path, the frame timer on its own thread and settings changes all at once: the
// travel changes hands without a lock and every frame leaves marked and whole.
TEST(InputEventInterceptorServiceScrollTest, WheelTimerAndSettingsRunConcurrently)
{
    FakeClock clock;
    FakeEventTap tap;
    FakeEventPoster poster;
    FakeWorkspace workspace;
    FakeWindowAccess windows;
    ThreadEngineExecutor executor;
    RecordingLogSink log;
    InputEventInterceptorService service(
        plainWheel(), EnginePorts {tap, poster, workspace, windows, clock, executor, log});
    ASSERT_TRUE(service.start());
    std::thread settingsThread([&] {
        auto settings = plainWheel();
        for (int i = 0; i < 200; ++i) {
            settings.smoothScrollEnabled = i % 4 != 0;
            settings.smoothDecayRate = 0.1 + (i % 5) * 0.1;
            service.updateSettings(settings);
            std::this_thread::yield();
        }
    });
    for (int i = 0; i < 2000; ++i) {
        TapEvent event;
        event.type = TapEventType::scrollWheel;
        event.scrollDeltaAxis1 = i % 7 == 0 ? -1 : 1;
        (void)tap.deliver(event);
    }
    settingsThread.join();
    service.stop();
    for (const auto& event : poster.posted()) {
        if (event.type == TapEventType::scrollWheel) {
            EXPECT_TRUE(event.isSynthetic());
            EXPECT_EQ(event.scrollPointDeltaAxis1, std::round(event.scrollPointDeltaAxis1));
        }
    }
}

} // namespace
} // namespace tarn::input
