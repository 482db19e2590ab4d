// The engine sits between every mouse report and the screen: at 8000 Hz a report arrives every
// 125 µs. These benchmarks time one event through the service (with fake ports, the post itself
// free) and count heap allocations by replacing the global operator new.
//
// Run: scripts/bench.sh EngineBench   (Release build; aggregates over 5 repetitions)

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>

#include <benchmark/benchmark.h>

#include "Platform/Fake/FakeClock.h"
#include "Platform/Fake/FakeEngineExecutor.h"
#include "Platform/Fake/FakeWindowAccess.h"
#include "Platform/Fake/FakeWorkspace.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "bench/DirectTap.h"

namespace {

std::atomic<std::uint64_t> gAllocations {0};

} // namespace

void* operator new(std::size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

// GCC cannot see that the replaced operator new above allocates with malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#pragma GCC diagnostic pop

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
    void log(TarnLogLevel, std::string_view, std::string_view) override { }
};

struct Engine {
    FakeClock clock;
    DirectTap tap;
    CountingPoster poster;
    FakeWorkspace workspace;
    FakeWindowAccess windows;
    FakeEngineExecutor executor {clock};
    NullLog log;
    InputEventInterceptorService service;

    explicit Engine(bool withCallbacks)
        : service(InputSettings {}, EnginePorts {tap, poster, workspace, windows, clock, executor, log})
    {
        workspace.activate("org.mozilla.firefox", "Firefox");
        if (withCallbacks) {
            EngineCallbacks callbacks;
            callbacks.onPointerTelemetry = [](const PointerTelemetrySnapshot& s) { benchmark::DoNotOptimize(&s); };
            callbacks.onCalibrationSnapshot = [](const PointerCalibrationSnapshot& s) { benchmark::DoNotOptimize(&s); };
            callbacks.onTelemetryEvent = [](const std::string& s) { benchmark::DoNotOptimize(&s); };
            callbacks.onClickRipple = [](const ClickRippleEvent& s) { benchmark::DoNotOptimize(&s); };
            service.setCallbacks(std::move(callbacks));
        }
        (void)service.start();
    }
};

// One mouse move per 125 µs of virtual time, so the throttled telemetry goes out as it would at
// 8000 Hz (about once every 1100 reports).
void mouseMove(benchmark::State& state, bool withCallbacks)
{
    Engine engine(withCallbacks);
    TapEvent event;
    event.type = TapEventType::mouseMoved;
    event.mouseDeltaX = 1;
    std::uint64_t events = 0;
    const auto before = gAllocations.load();
    for (auto _ : state) {
        event.location.x += 1;
        engine.clock.advance(125us);
        benchmark::DoNotOptimize(engine.tap.deliver(event));
        ++events;
    }
    state.counters["allocs_per_event"] = double(gAllocations.load() - before) / double(events);
}

void BM_MouseMove(benchmark::State& state)
{
    mouseMove(state, false);
}
void BM_MouseMoveWithCallbacks(benchmark::State& state)
{
    mouseMove(state, true);
}

// A left press and release (default settings: no guard, no ripple), reported to callbacks.
void BM_LeftClick(benchmark::State& state)
{
    Engine engine(true);
    TapEvent down;
    down.type = TapEventType::leftMouseDown;
    TapEvent up;
    up.type = TapEventType::leftMouseUp;
    const auto before = gAllocations.load();
    std::uint64_t events = 0;
    for (auto _ : state) {
        engine.clock.advance(60ms);
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        benchmark::DoNotOptimize(engine.tap.deliver(up));
        events += 2;
    }
    state.SetItemsProcessed(std::int64_t(events));
    state.counters["allocs_per_event"] = double(gAllocations.load() - before) / double(events);
}

// The back button bound to Navigate Back: the press posts Command+[ down and up and is
// swallowed, the release is swallowed. Only the press is timed (manual time).
void BM_OtherButtonPressWithAction(benchmark::State& state)
{
    Engine engine(true);
    TapEvent down;
    down.type = TapEventType::otherMouseDown;
    down.buttonNumber = 3;
    TapEvent up = down;
    up.type = TapEventType::otherMouseUp;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        benchmark::DoNotOptimize(engine.tap.deliver(up));
    }
    benchmark::DoNotOptimize(engine.poster.m_keyCodes);
}

void BM_OtherButtonPressAndRelease(benchmark::State& state)
{
    Engine engine(true);
    TapEvent down;
    down.type = TapEventType::otherMouseDown;
    down.buttonNumber = 3;
    TapEvent up = down;
    up.type = TapEventType::otherMouseUp;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine.tap.deliver(down));
        benchmark::DoNotOptimize(engine.tap.deliver(up));
    }
}

BENCHMARK(BM_MouseMove)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MouseMoveWithCallbacks)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LeftClick)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_OtherButtonPressWithAction)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_OtherButtonPressAndRelease)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace tarn::input
