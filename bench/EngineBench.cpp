// The engine sits between every mouse report and the screen: at 8000 Hz a report arrives every
// 125 µs. These benchmarks time one event of each kind through the service (fake ports, the post
// itself free), with every callback set, and count heap allocations per event by counting malloc
// itself (operator new, the C++ library and fmt all end there). Every path must allocate nothing.
//
// Run: scripts/bench.sh EngineBench   (Release build; aggregates over 5 repetitions)

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "bench/DirectTap.h"
#include "bench/ManualExecutor.h"
#include "tests/HeapAllocationCounter.h"

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

class CountingPoster final : public EventPoster {
public:
    void post(const TapEvent& event) override { m_keyCodes += event.keyCode; }
    void postText(std::string_view, std::int64_t) override { }
    std::uint64_t m_keyCodes = 0;
};

class NullLog final : public LogSink {
public:
    void log(TarnLogLevel, std::string_view, std::string_view message) override { benchmark::DoNotOptimize(&message); }
};

struct Engine {
    FakeClock clock;
    DirectTap tap;
    CountingPoster poster;
    FakeWorkspace workspace;
    FakeWindowAccess windows;
    ManualExecutor executor;
    NullLog log;
    InputEventInterceptorService service;

    explicit Engine(const InputSettings& settings = {})
        : service(settings, EnginePorts {tap, poster, workspace, windows, clock, executor, log})
    {
        // Longer than a short-string buffer: a copy of it would allocate.
        workspace.activate("org.mozilla.firefox.nightly", "Firefox Nightly Developer Edition");
        EngineCallbacks callbacks;
        callbacks.onPointerTelemetry = [](const PointerTelemetrySnapshot& s) { benchmark::DoNotOptimize(&s); };
        callbacks.onCalibrationSnapshot = [](const PointerCalibrationSnapshot& s) { benchmark::DoNotOptimize(&s); };
        callbacks.onTelemetryEvent = [](const std::string& s) { benchmark::DoNotOptimize(&s); };
        callbacks.onClickRipple = [](const ClickRippleEvent& s) { benchmark::DoNotOptimize(&s); };
        callbacks.onKeystrokeToken = [](const KeyHUDToken& s) { benchmark::DoNotOptimize(&s); };
        service.setCallbacks(std::move(callbacks));
        (void)service.start();
    }
};

TapEvent makeEvent(TapEventType type, std::int64_t button = 0)
{
    TapEvent event;
    event.type = type;
    event.buttonNumber = button;
    return event;
}

// Runs `step` (which handles `eventsPerStep` events) in the timed loop and reports the time per
// event. Allocations are counted apart, over a fixed number of steps with nothing else running, so
// the benchmark library's own bookkeeping is not counted. The first step warms the engine up.
void measure(benchmark::State& state, int eventsPerStep, const std::function<void()>& step)
{
    step();
    std::uint64_t events = 0;
    for (auto _ : state) {
        step();
        events += std::uint64_t(eventsPerStep);
    }
    state.SetItemsProcessed(std::int64_t(events));
    constexpr int kCountedSteps = 10000;
    const auto before = heapAllocationCount();
    for (int i = 0; i < kCountedSteps; ++i) {
        step();
    }
    state.counters["allocs_per_event"]
        = double(heapAllocationCount() - before) / (double(kCountedSteps) * double(eventsPerStep));
}

// One mouse move per 125 µs of virtual time, so the throttled telemetry goes out as it would at
// 8000 Hz (about once every 1100 reports).
void BM_MouseMove(benchmark::State& state)
{
    Engine engine;
    TapEvent event = makeEvent(TapEventType::mouseMoved);
    event.mouseDeltaX = 1;
    measure(state, 1, [&] {
        event.location.x += 1;
        engine.clock.advance(125us);
        benchmark::DoNotOptimize(engine.tap.deliver(event));
    });
}

// A left press and release (guard and ripple on), reported to the callbacks.
void BM_LeftClick(benchmark::State& state)
{
    InputSettings settings;
    settings.doubleClickGuardEnabled = true;
    settings.clickRippleEnabled = true;
    Engine engine(settings);
    TapEvent down = makeEvent(TapEventType::leftMouseDown);
    TapEvent up = makeEvent(TapEventType::leftMouseUp);
    measure(state, 2, [&] {
        engine.clock.advance(60ms);
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        benchmark::DoNotOptimize(engine.tap.deliver(up));
    });
}

// A bounce swallowed by the guard: the warning line is formatted and logged.
void BM_BlockedBounce(benchmark::State& state)
{
    InputSettings settings;
    settings.doubleClickGuardEnabled = true;
    Engine engine(settings);
    TapEvent down = makeEvent(TapEventType::leftMouseDown);
    TapEvent up = makeEvent(TapEventType::leftMouseUp);
    measure(state, 4, [&] {
        engine.clock.advance(200ms);
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        benchmark::DoNotOptimize(engine.tap.deliver(up));
        engine.clock.advance(5ms);
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        benchmark::DoNotOptimize(engine.tap.deliver(up));
    });
}

// The back button bound to Navigate Back: the press posts Command+[ down and up and reports the
// line; press and release are swallowed.
void BM_BackButtonWithAction(benchmark::State& state)
{
    Engine engine;
    TapEvent down = makeEvent(TapEventType::otherMouseDown, ButtonNumber::back);
    TapEvent up = makeEvent(TapEventType::otherMouseUp, ButtonNumber::back);
    measure(state, 2, [&] {
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        benchmark::DoNotOptimize(engine.tap.deliver(up));
    });
    benchmark::DoNotOptimize(engine.poster.m_keyCodes);
}

// The back button bound to a macro of two keystrokes, a pause and a short text: press and
// release on the tap thread, then the whole playback on the executor (its pause not waited for).
void BM_BackButtonWithMacro(benchmark::State& state)
{
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = "Copy, wait and sign";
    macro.triggerButtonNumber = ButtonNumber::back;
    macro.steps = {MacroStep::keystroke(8, {"cmd"}, "⌘C"), MacroStep::delay(20), MacroStep::keystroke(9, {"cmd"}, "⌘V"),
        MacroStep::typeText("ok")};
    InputSettings settings;
    settings.macros = {macro};
    Engine engine(settings);
    TapEvent down = makeEvent(TapEventType::otherMouseDown, ButtonNumber::back);
    TapEvent up = makeEvent(TapEventType::otherMouseUp, ButtonNumber::back);
    measure(state, 2, [&] {
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        benchmark::DoNotOptimize(engine.tap.deliver(up));
        engine.executor.runArmed();
    });
    benchmark::DoNotOptimize(engine.poster.m_keyCodes);
}

// A Control+Option drag: the press, three moves and the release on the tap thread, with the
// lookup and the newest position applied on the executor after each.
void BM_WindowDrag(benchmark::State& state)
{
    Engine engine;
    engine.windows.addWindow(WindowRef {7}, WindowFrame {{100, 100}, {300, 200}});
    const auto drag = EventFlag::control | EventFlag::option;
    TapEvent down = makeEvent(TapEventType::leftMouseDown);
    TapEvent moved = makeEvent(TapEventType::leftMouseDragged);
    TapEvent up = makeEvent(TapEventType::leftMouseUp);
    for (auto* event : {&down, &moved, &up}) {
        event->flags = drag;
        event->location = {200, 150};
    }
    measure(state, 5, [&] {
        (void)engine.windows.setPosition(WindowRef {7}, {100, 100});
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        engine.executor.runArmed();
        for (double x = 210; x <= 230; x += 10) {
            moved.location.x = x;
            benchmark::DoNotOptimize(engine.tap.deliver(moved));
            engine.executor.runArmed();
        }
        benchmark::DoNotOptimize(engine.tap.deliver(up));
        engine.executor.runArmed();
    });
}

// A gesture with the middle button: press, four drags past the threshold, release fires the
// action of the direction.
void BM_Gesture(benchmark::State& state)
{
    Engine engine;
    TapEvent down = makeEvent(TapEventType::otherMouseDown, ButtonNumber::middle);
    TapEvent drag = makeEvent(TapEventType::otherMouseDragged, ButtonNumber::middle);
    TapEvent up = makeEvent(TapEventType::otherMouseUp, ButtonNumber::middle);
    measure(state, 6, [&] {
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        for (int step = 1; step <= 4; ++step) {
            drag.location.y = -20.0 * step;
            benchmark::DoNotOptimize(engine.tap.deliver(drag));
        }
        up.location = drag.location;
        benchmark::DoNotOptimize(engine.tap.deliver(up));
    });
}

// One wheel notch with smoothing on (resolved, scaled, added to the travel, swallowed) and the
// frame ticks that follow it.
void BM_WheelSmoothWithTicks(benchmark::State& state)
{
    Engine engine;
    TapEvent wheel = makeEvent(TapEventType::scrollWheel);
    measure(state, 20, [&] {
        wheel.scrollDeltaAxis1 = 1;
        benchmark::DoNotOptimize(engine.tap.deliver(wheel));
        for (int frame = 0; frame < 19; ++frame) {
            engine.executor.tick();
        }
    });
}

// Shift-Command-4 with the key HUD on: a token is made and handed out.
void BM_KeyHUDToken(benchmark::State& state)
{
    InputSettings settings;
    settings.keyHUDEnabled = true;
    Engine engine(settings);
    TapEvent key = makeEvent(TapEventType::keyDown);
    key.keyCode = 49; // Space: the longest label, "⌃⌥⇧⌘Space"
    key.flags = EventFlag::control | EventFlag::option | EventFlag::shift | EventFlag::command;
    measure(state, 1, [&] { benchmark::DoNotOptimize(engine.tap.deliver(key)); });
}

// The control: an event handed through the same tap to a handler that does nothing, so that what
// the loop and the tap cost is told apart from what the engine costs.
class EmptyHandler final : public EventTapHandler {
public:
    TapVerdict handleTapEvent(TapEvent&) override { return TapVerdict::pass; }
};

void BM_EmptyHandlerControl(benchmark::State& state)
{
    EmptyHandler nothing;
    DirectTap tap;
    (void)tap.create(0, nothing);
    TapEvent event = makeEvent(TapEventType::mouseMoved);
    measure(state, 1, [&] { benchmark::DoNotOptimize(tap.deliver(event)); });
}

BENCHMARK(BM_EmptyHandlerControl)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MouseMove)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LeftClick)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BlockedBounce)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BackButtonWithAction)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BackButtonWithMacro)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WindowDrag)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Gesture)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WheelSmoothWithTicks)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeyHUDToken)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace tarn::input
