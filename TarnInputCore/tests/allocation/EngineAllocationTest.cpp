// The engine handles every mouse report (up to 8000 a second) on the input thread, where waiting on
// the heap is not allowed: once warmed up, none of its event paths may allocate. Every heap
// allocation of the process is counted, so this test is a program of its own.

#include <chrono>
#include <cstdint>
#include <new>

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "tests/HeapAllocationCounter.h"

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

constexpr auto kSmoothFrame = 8ms;

// The engine on the fake ports with every callback set; the callbacks only count their calls.
struct Rig : FakeEnginePorts {
    explicit Rig(const InputSettings& settings)
        : service(settings, ports())
    {
        // Longer than a short-string buffer: a copy of either name would allocate.
        workspace.activate("org.mozilla.firefox.nightly", "Firefox Nightly Developer Edition");
        EngineCallbacks callbacks;
        callbacks.onKeystrokeToken = [this](const KeyHUDToken&) { ++reports; };
        callbacks.onClickRipple = [this](const ClickRippleEvent&) { ++reports; };
        callbacks.onPointerTelemetry = [this](const PointerTelemetrySnapshot&) { ++reports; };
        callbacks.onCalibrationSnapshot = [this](const PointerCalibrationSnapshot&) { ++reports; };
        callbacks.onTelemetryEvent = [this](const std::string&) { ++reports; };
        service.setCallbacks(std::move(callbacks));
        EXPECT_TRUE(service.start());
    }

    void deliver(TapEventType type, std::int64_t button = 0)
    {
        TapEvent event;
        event.type = type;
        event.buttonNumber = button;
        (void)tap.deliver(event);
    }

    void wheelNotch()
    {
        TapEvent event;
        event.type = TapEventType::scrollWheel;
        event.scrollDeltaAxis1 = 1;
        (void)tap.deliver(event);
    }

    InputEventInterceptorService service;
    int reports = 0;
};

struct Case {
    const char* name;
    InputSettings (*settings)();
    // Brings the engine to where the counted part starts; its allocations are not counted.
    void (*prepare)(Rig&);
    void (*handle)(Rig&);
    // Events one round posts, and whether it calls back: each case is seen to take its path.
    std::size_t posts;
    bool reports;
};

InputSettings defaults()
{
    return {};
}

// At the wheel's plain speed one notch of travel lasts this many smoothing frames.
InputSettings plainWheel()
{
    InputSettings settings;
    settings.reverseMouseWheel = false;
    settings.scrollSpeedMultiplier = 1.0;
    return settings;
}
constexpr int kFramesPerNotch = 19;

void nothing(Rig&) { }

// Lets the travel of an earlier notch run out, so that every round starts with the tick asleep.
void settleScrolling(Rig& rig)
{
    rig.executor.advance(1s);
}

const Case kCases[] = {
    {"mouse move that reports telemetry and calibration", defaults, nothing,
        [](Rig& rig) {
            // Past both report intervals, so that the move also hands out both snapshots.
            rig.clock.advance(250ms);
            TapEvent move;
            move.type = TapEventType::mouseMoved;
            move.mouseDeltaX = 3;
            (void)rig.tap.deliver(move);
        },
        0, true},
    {"left press and release with the double-click guard and ripple",
        [] {
            InputSettings settings;
            settings.doubleClickGuardEnabled = true;
            settings.clickRippleEnabled = true;
            return settings;
        },
        nothing,
        [](Rig& rig) {
            rig.clock.advance(60ms);
            rig.deliver(TapEventType::leftMouseDown);
            rig.deliver(TapEventType::leftMouseUp);
        },
        0, true},
    {"back button bound to an action",
        [] {
            InputSettings settings;
            settings.sideBackAction = MouseButtonAction::browserBack;
            return settings;
        },
        nothing,
        [](Rig& rig) {
            rig.deliver(TapEventType::otherMouseDown, ButtonNumber::back);
            rig.deliver(TapEventType::otherMouseUp, ButtonNumber::back);
        },
        2, true},
    {"wheel notch taken over by smoothing", plainWheel, settleScrolling, [](Rig& rig) { rig.wheelNotch(); }, 0, false},
    {"smoothing tick with a frame to post", plainWheel,
        [](Rig& rig) {
            settleScrolling(rig);
            rig.wheelNotch();
        },
        [](Rig& rig) { rig.executor.advance(kSmoothFrame); }, 1, false},
    {"smoothing tick with nothing left to post", plainWheel,
        [](Rig& rig) {
            settleScrolling(rig);
            rig.wheelNotch();
            // The tick after the last frame finds no travel left and goes to sleep.
            rig.executor.advance(kFramesPerNotch * kSmoothFrame);
            EXPECT_EQ(rig.executor.armedCount(), 1u) << "the tick must still be awake";
        },
        [](Rig& rig) { rig.executor.advance(kSmoothFrame); }, 0, false},
    {"key down feeding the key HUD",
        [] {
            InputSettings settings;
            settings.keyHUDEnabled = true;
            return settings;
        },
        nothing,
        [](Rig& rig) {
            TapEvent key;
            key.type = TapEventType::keyDown;
            key.keyCode = 49; // Space, the longest label: "⌃⌥⇧⌘Space"
            key.flags = EventFlag::control | EventFlag::option | EventFlag::shift | EventFlag::command;
            (void)rig.tap.deliver(key);
        },
        0, true},
};

// Without a working counter every path would look free of allocations.
bool counterSeesAnAllocation()
{
    const auto before = heapAllocationCount();
    // A direct call, unlike a new-expression, may not be optimised away.
    ::operator delete(::operator new(64));
    return heapAllocationCount() > before;
}

TEST(EngineAllocationTest, EventPathsAllocateNothingOnceWarm)
{
    ASSERT_TRUE(counterSeesAnAllocation()) << "the allocation counter is not counting";
    // The first rounds may fill caches and reserve buffers (the fake poster's too: clearing it
    // keeps its capacity, so later rounds post into room the warm-up made).
    constexpr int kWarmUpRounds = 3;
    constexpr int kCountedRounds = 50;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Rig rig(c.settings());
        for (int round = 0; round < kWarmUpRounds; ++round) {
            c.prepare(rig);
            c.handle(rig);
        }
        std::uint64_t allocations = 0;
        for (int round = 0; round < kCountedRounds; ++round) {
            c.prepare(rig);
            rig.poster.clear();
            rig.reports = 0;
            const auto before = heapAllocationCount();
            c.handle(rig);
            allocations += heapAllocationCount() - before;
        }
        EXPECT_EQ(allocations, 0u) << "heap allocations in " << kCountedRounds << " rounds";
        EXPECT_EQ(rig.poster.posted().size(), c.posts) << "events posted by the last round";
        EXPECT_EQ(rig.reports > 0, c.reports) << "callbacks called by the last round";
    }
}

} // namespace
} // namespace tarn::input
