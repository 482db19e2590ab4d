// The tap thread must keep its pace while the rest of the program changes things under it: with
// 1000 application profiles, the settings are replaced ten times a second and another application
// comes to the front every second, while mouse reports arrive at 8000 Hz. These benchmarks measure
// the tail latency of one event under those updates, and the first event after a switch.
//
// Run: scripts/bench.sh EngineConcurrencyBench   (Release build)

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "TarnInputCore/Engine/Executor/ThreadEngineExecutor.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "bench/DirectTap.h"
#include "bench/ManyProfiles.h"

namespace tarn::input {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

constexpr int kProfiles = 1000;

class CountingPoster final : public EventPoster {
public:
    void post(const TapEvent& event) override { m_posts.fetch_add(1 + event.keyCode, std::memory_order_relaxed); }
    void postText(std::string_view, std::int64_t) override { }
    std::atomic<std::uint64_t> m_posts {0};
};

class NullLog final : public LogSink {
public:
    void log(TarnLogLevel, std::string_view, std::string_view) override { }
};

// The control: a handler that does nothing, timed the same way in the same run, so that what the
// machine and the timing cost is told apart from what the engine costs.
class EmptyHandler final : public EventTapHandler {
public:
    TapVerdict handleTapEvent(TapEvent&) override { return TapVerdict::pass; }
};

struct Engine {
    // Real time, so that telemetry and calibration go out at their real pace.
    SystemClock clock;
    DirectTap tap;
    CountingPoster poster;
    FakeWorkspace workspace;
    FakeWindowAccess windows;
    ThreadEngineExecutor executor;
    NullLog log;
    InputEventInterceptorService service;

    explicit Engine(const InputSettings& settings)
        : service(settings, EnginePorts {tap, poster, workspace, windows, clock, executor, log})
    {
        EngineCallbacks callbacks;
        callbacks.onPointerTelemetry = [](const PointerTelemetrySnapshot& s) { benchmark::DoNotOptimize(&s); };
        callbacks.onCalibrationSnapshot = [](const PointerCalibrationSnapshot& s) { benchmark::DoNotOptimize(&s); };
        callbacks.onTelemetryEvent = [](const std::string& s) { benchmark::DoNotOptimize(&s); };
        service.setCallbacks(std::move(callbacks));
        workspace.activate(manyProfilesBundleID(kProfiles - 1), "Application");
        (void)service.start();
    }
};

// The mix of a moving, scrolling, clicking hand at 8000 reports a second: mostly moves, a wheel
// notch 40 times a second, a back-button click 4 times a second.
TapEvent nextEvent(std::uint64_t index, bool& pairedRelease)
{
    TapEvent event;
    if (pairedRelease) {
        pairedRelease = false;
        event.type = TapEventType::otherMouseUp;
        event.buttonNumber = ButtonNumber::back;
    } else if (index % 2000 == 0) {
        pairedRelease = true;
        event.type = TapEventType::otherMouseDown;
        event.buttonNumber = ButtonNumber::back;
    } else if (index % 200 == 0) {
        event.type = TapEventType::scrollWheel;
        event.scrollDeltaAxis1 = 1;
    } else {
        event.type = TapEventType::mouseMoved;
        event.mouseDeltaX = 1;
        event.location = {double(index % 1000), 300};
    }
    return event;
}

// Three seconds of 8000 reports a second while another thread replaces the settings every 100 ms
// and switches the frontmost application every second (state.range(0) == 1), or with no updates at
// all, to tell the machine's own noise from what the updates cost. Each report also goes to an
// empty handler right after the engine, timed alike: the engine's share of a percentile is the
// engine's figure minus the control's.
void BM_EventLatency(benchmark::State& state)
{
    const bool withUpdates = state.range(0) == 1;
    auto settings = manyProfiles(kProfiles);
    for (auto _ : state) {
        Engine engine(settings);
        std::atomic<bool> running {true};
        std::thread updater([&] {
            auto changing = settings;
            int round = 0;
            while (withUpdates && running.load()) {
                std::this_thread::sleep_for(100ms);
                changing.smoothDecayRate = round % 2 == 0 ? 0.22 : 0.3;
                engine.service.updateSettings(changing);
                if (++round % 10 == 0) {
                    engine.workspace.activate(manyProfilesBundleID((round * 7) % kProfiles), "Application");
                }
            }
        });
        constexpr auto kPeriod = 125us;
        constexpr std::uint64_t kEvents = 3 * 8000;
        std::vector<std::int64_t> latencies;
        latencies.reserve(kEvents);
        EmptyHandler nothing;
        DirectTap control;
        (void)control.create(0, nothing);
        std::vector<std::int64_t> controlLatencies;
        controlLatencies.reserve(kEvents);
        // A press comes after thousands of moves, with the code and data it needs out of the
        // caches: its cost is shown apart.
        std::vector<std::int64_t> presses;
        presses.reserve(kEvents);
        // The wheel notches, which hand their step to the smoothing tick on the executor.
        std::vector<std::int64_t> notches;
        notches.reserve(kEvents);
        bool pairedRelease = false;
        auto due = SteadyClock::now();
        for (std::uint64_t index = 0; index < kEvents; ++index) {
            due += kPeriod;
            while (SteadyClock::now() < due) { }
            TapEvent event = nextEvent(index, pairedRelease);
            const auto start = SteadyClock::now();
            benchmark::DoNotOptimize(engine.tap.deliver(event));
            latencies.push_back(
                std::chrono::duration_cast<std::chrono::nanoseconds>(SteadyClock::now() - start).count());
            if (event.type == TapEventType::otherMouseDown) {
                presses.push_back(latencies.back());
            }
            if (event.type == TapEventType::scrollWheel) {
                notches.push_back(latencies.back());
            }
            const auto controlStart = SteadyClock::now();
            benchmark::DoNotOptimize(control.deliver(event));
            controlLatencies.push_back(
                std::chrono::duration_cast<std::chrono::nanoseconds>(SteadyClock::now() - controlStart).count());
        }
        running = false;
        updater.join();
        std::sort(latencies.begin(), latencies.end());
        std::sort(controlLatencies.begin(), controlLatencies.end());
        const auto at = [](const std::vector<std::int64_t>& sorted, double fraction) {
            return double(sorted[std::min(sorted.size() - 1, std::size_t(fraction * double(sorted.size())))]);
        };
        state.counters["p50_ns"] = at(latencies, 0.5);
        state.counters["p99_ns"] = at(latencies, 0.99);
        state.counters["p99.9_ns"] = at(latencies, 0.999);
        state.counters["max_ns"] = double(latencies.back());
        state.counters["control_p99.9_ns"] = at(controlLatencies, 0.999);
        state.counters["engine_p99.9_ns"] = at(latencies, 0.999) - at(controlLatencies, 0.999);
        std::sort(presses.begin(), presses.end());
        state.counters["press_p50_ns"] = double(presses[presses.size() / 2]);
        state.counters["press_max_ns"] = double(presses.back());
        std::sort(notches.begin(), notches.end());
        state.counters["wheel_p50_ns"] = at(notches, 0.5);
        state.counters["wheel_p90_ns"] = at(notches, 0.9);
    }
}

// The first wheel notch and the first back-button press after another application came to the
// front. The switch itself (resolved on the notifying thread) is not timed.
void firstEventAfterSwitch(benchmark::State& state, TapEventType type, std::int64_t button)
{
    Engine engine(manyProfiles(kProfiles));
    int switches = 0;
    for (auto _ : state) {
        engine.workspace.activate(manyProfilesBundleID(kProfiles - 1 - (switches++ % 2)), "Application");
        TapEvent event;
        event.type = type;
        event.buttonNumber = button;
        event.scrollDeltaAxis1 = 1;
        const auto start = SteadyClock::now();
        benchmark::DoNotOptimize(engine.tap.deliver(event));
        state.SetIterationTime(std::chrono::duration<double>(SteadyClock::now() - start).count());
        if (type == TapEventType::otherMouseDown) {
            TapEvent release = event;
            release.type = TapEventType::otherMouseUp;
            benchmark::DoNotOptimize(engine.tap.deliver(release));
        }
    }
}

void BM_FirstWheelAfterSwitch(benchmark::State& state)
{
    firstEventAfterSwitch(state, TapEventType::scrollWheel, 0);
}

void BM_FirstBackPressAfterSwitch(benchmark::State& state)
{
    firstEventAfterSwitch(state, TapEventType::otherMouseDown, ButtonNumber::back);
}

// A back press and its release after the caches were filled with other work, as they are after
// a quarter of a second of mouse moves on a machine that runs other programs too.
void BM_BackPressFromColdCaches(benchmark::State& state)
{
    Engine engine(manyProfiles(kProfiles));
    // Larger than the processor's own caches (L1 and L2).
    std::vector<std::uint64_t> otherWork(std::size_t(8) << 20 >> 3, 1);
    std::uint64_t sum = 0;
    TapEvent press;
    press.type = TapEventType::otherMouseDown;
    press.buttonNumber = ButtonNumber::back;
    TapEvent release = press;
    release.type = TapEventType::otherMouseUp;
    std::vector<double> presses;
    for (auto _ : state) {
        for (auto& word : otherWork) {
            word += sum;
            sum += word;
        }
        const auto start = SteadyClock::now();
        benchmark::DoNotOptimize(engine.tap.deliver(press));
        const auto pressed = SteadyClock::now();
        benchmark::DoNotOptimize(engine.tap.deliver(release));
        state.SetIterationTime(std::chrono::duration<double>(pressed - start).count());
    }
    benchmark::DoNotOptimize(sum);
}

BENCHMARK(BM_EventLatency)
    ->ArgName("updates")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BackPressFromColdCaches)
    ->UseManualTime()
    ->Iterations(500)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kNanosecond);
BENCHMARK(BM_FirstWheelAfterSwitch)
    ->UseManualTime()
    ->Iterations(2000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kNanosecond);
BENCHMARK(BM_FirstBackPressAfterSwitch)
    ->UseManualTime()
    ->Iterations(2000)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kNanosecond);

} // namespace
} // namespace tarn::input
