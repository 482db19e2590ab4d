// The engine handles every mouse report (up to 8000 a second) on the input thread, where waiting on
// the heap or on the kernel is not allowed: once warmed up, none of its event paths may allocate
// or ask the kernel for randomness, and neither may the work they hand to the executor (window
// moves, macro playback). Every heap allocation and every getrandom call of the process is
// counted, so this test is a program of its own.

#include <chrono>
#include <cstdint>
#include <new>

#include <gtest/gtest.h>

#include "KernelRandomCounter.h"
#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "tests/HeapAllocationCounter.h"

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

constexpr auto kSmoothFrame = 8ms;
constexpr WindowRef kWindow {7};
constexpr EventPoint kOnTheWindow {200, 150};
constexpr EventPoint kOffAnyWindow {950, 800};

// Counts lines instead of keeping them: a kept line would be an allocation of the test's own.
class CountingLog final : public LogSink {
public:
    void log(TarnLogLevel, std::string_view, std::string_view) override { ++lines; }
    int lines = 0;
};

// The engine on the fake ports with every callback set; the callbacks only count their calls.
struct Rig : FakeEnginePorts {
    explicit Rig(const InputSettings& settings)
        : service(settings, EnginePorts {tap, poster, workspace, windows, clock, executor, countingLog})
    {
        windows.addWindow(kWindow, {{100, 100}, {300, 200}});
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

    void click(TapEventType type, EventPoint location, std::uint64_t flags)
    {
        TapEvent event;
        event.type = type;
        event.location = location;
        event.flags = flags;
        (void)tap.deliver(event);
    }

    void wheelNotch(double delta = 1)
    {
        TapEvent event;
        event.type = TapEventType::scrollWheel;
        event.scrollDeltaAxis1 = delta;
        (void)tap.deliver(event);
    }

    CountingLog countingLog;
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

constexpr auto kDragModifiers = EventFlag::control | EventFlag::option;

// The back button plays a macro of two keystrokes, a pause and a short text.
InputSettings backButtonMacro()
{
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = "Copy, wait and sign: a name longer than a short string";
    macro.triggerButtonNumber = ButtonNumber::back;
    macro.steps = {MacroStep::keystroke(8, {"cmd"}, "⌘C"), MacroStep::delay(20), MacroStep::keystroke(9, {"cmd"}, "⌘V"),
        MacroStep::typeText("ok")};
    InputSettings settings;
    settings.macros = {macro};
    return settings;
}

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
    {"back button bound to a macro: press, release and the whole playback", backButtonMacro, nothing,
        [](Rig& rig) {
            rig.deliver(TapEventType::otherMouseDown, ButtonNumber::back);
            rig.deliver(TapEventType::otherMouseUp, ButtonNumber::back);
            rig.executor.advance(1s);
        },
        4, true},
    {"Control+Option drag that moves a window", defaults,
        // Each round starts with the window where the press finds it.
        [](Rig& rig) {
            (void)rig.windows.setPosition(kWindow, {100, 100});
        },
        [](Rig& rig) {
            rig.click(TapEventType::leftMouseDown, kOnTheWindow, kDragModifiers);
            rig.executor.advance(0ms);
            for (double x = 210; x <= 230; x += 10) {
                rig.click(TapEventType::leftMouseDragged, {x, 150}, kDragModifiers);
                rig.executor.advance(0ms);
            }
            rig.click(TapEventType::leftMouseUp, {230, 150}, kDragModifiers);
            rig.executor.advance(0ms);
        },
        0, false},
    {"Control+Option click without a window, given back on the tap thread", defaults, nothing,
        [](Rig& rig) {
            rig.click(TapEventType::leftMouseDown, kOffAnyWindow, kDragModifiers);
            rig.executor.advance(0ms);
            rig.click(TapEventType::leftMouseUp, kOffAnyWindow, kDragModifiers);
        },
        1, true},
    {"Control+Option click without a window, released before the lookup", defaults, nothing,
        [](Rig& rig) {
            rig.click(TapEventType::rightMouseDown, kOffAnyWindow, kDragModifiers);
            rig.click(TapEventType::rightMouseUp, kOffAnyWindow, kDragModifiers);
            rig.executor.advance(0ms);
        },
        2, false},
    {"wheel notch taken over by smoothing", plainWheel, settleScrolling, [](Rig& rig) { rig.wheelNotch(); }, 0, false},
    {"smoothing tick with a frame to post", plainWheel,
        [](Rig& rig) {
            settleScrolling(rig);
            rig.wheelNotch();
        },
        [](Rig& rig) { rig.executor.advance(kSmoothFrame); }, 1, false},
    {"smoothing tick posting the last frame and going to sleep", plainWheel,
        [](Rig& rig) {
            settleScrolling(rig);
            rig.wheelNotch();
            rig.executor.advance((kFramesPerNotch - 1) * kSmoothFrame);
            EXPECT_EQ(rig.executor.armedCount(), 1u) << "the tick must still be awake";
        },
        [](Rig& rig) { rig.executor.advance(kSmoothFrame); }, 1, false},
    {"smoothing tick with nothing left to post", plainWheel,
        [](Rig& rig) {
            settleScrolling(rig);
            // Less travel than a frame's threshold: the tick finds nothing and goes to sleep.
            rig.wheelNotch(0.008);
            EXPECT_EQ(rig.executor.armedCount(), 1u) << "the tick must still be awake";
        },
        [](Rig& rig) { rig.executor.advance(kSmoothFrame); }, 0, false},
    {"calibration and diagnostics requests, carried out on a wake-up of the tap", defaults, nothing,
        [](Rig& rig) {
            rig.service.resetCalibrationSession();
            rig.service.resetDiagnostics();
        },
        0, true},
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

// Without working counters every path would look free of allocations and system calls.
bool countersSeeTheirCalls()
{
    const auto before = heapAllocationCount();
    const auto randomBefore = kernelRandomCallCount();
    // A direct call, unlike a new-expression, may not be optimised away.
    ::operator delete(::operator new(64));
    (void)Uuid::random();
    return heapAllocationCount() > before && kernelRandomCallCount() > randomBefore;
}

TEST(EngineAllocationTest, EventPathsAllocateNothingOnceWarm)
{
    ASSERT_TRUE(countersSeeTheirCalls()) << "the counters are not counting";
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
        std::uint64_t kernelRandomCalls = 0;
        for (int round = 0; round < kCountedRounds; ++round) {
            c.prepare(rig);
            rig.poster.clear();
            rig.reports = 0;
            const auto before = heapAllocationCount();
            const auto randomBefore = kernelRandomCallCount();
            c.handle(rig);
            allocations += heapAllocationCount() - before;
            kernelRandomCalls += kernelRandomCallCount() - randomBefore;
        }
        EXPECT_EQ(allocations, 0u) << "heap allocations in " << kCountedRounds << " rounds";
        EXPECT_EQ(kernelRandomCalls, 0u) << "getrandom calls in " << kCountedRounds << " rounds";
        EXPECT_EQ(rig.poster.posted().size(), c.posts) << "events posted by the last round";
        EXPECT_EQ(rig.reports > 0, c.reports) << "callbacks called by the last round";
    }
}

} // namespace
} // namespace tarn::input
