// The engine executor runs the smoothing frames and the macro steps: they must run on time, and
// the worker must not wake between them. These benchmarks measure how late a task due now runs
// while the worker waits for one far ahead (a macro's pause), and how often the worker wakes for
// the frames of one wheel notch and of a scroll of many notches.
//
// Run: scripts/bench.sh EngineExecutorBench   (Release build; best on an idle machine)

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "TarnInputCore/Engine/Executor/ThreadEngineExecutor.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "bench/DirectTap.h"
#include "tests/ThreadContextSwitches.h"

#include <unistd.h>

namespace tarn::input {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

pid_t workerThread(EngineExecutor& executor)
{
    std::atomic<pid_t> worker {0};
    (void)executor.scheduleAfter(0ns, [&] { worker = gettid(); });
    while (worker.load() == 0) {
        std::this_thread::sleep_for(1ms);
    }
    return worker;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
}

// A task due now, scheduled (state.range(0) == 0) or armed as the input thread arms one
// (state.range(0) == 1), while the worker waits for a task 250 ms ahead, at a moment 1 to 120 ms
// into that wait: how late it starts, in microseconds.
void BM_DueNowWhileAFarTaskWaits(benchmark::State& state)
{
    const bool armed = state.range(0) == 1;
    constexpr int kRounds = 100;
    for (auto _ : state) {
        ThreadEngineExecutor executor;
        std::atomic<std::int64_t> ranAt {0};
        const auto dormant = executor.addDormant(0ns, [&] { ranAt = SteadyClock::now().time_since_epoch().count(); });
        std::mt19937 random(7);
        std::uniform_int_distribution<int> intoTheWait(1, 120);
        std::vector<double> lateness;
        for (int round = 0; round < kRounds; ++round) {
            const auto far = executor.scheduleAfter(250ms, [] {});
            std::this_thread::sleep_for(std::chrono::milliseconds(intoTheWait(random)));
            ranAt = 0;
            const auto scheduledAt = SteadyClock::now();
            if (armed) {
                executor.arm(dormant, 0ns);
            } else {
                (void)executor.scheduleAfter(0ns, [&] { ranAt = SteadyClock::now().time_since_epoch().count(); });
            }
            while (ranAt.load() == 0) { }
            lateness.push_back(double(ranAt.load() - scheduledAt.time_since_epoch().count()) / 1000.0);
            executor.cancel(far);
        }
        state.counters["late_p50_us"] = percentile(lateness, 0.5);
        state.counters["late_p99_us"] = percentile(lateness, 0.99);
        state.counters["late_max_us"] = percentile(lateness, 1.0);
    }
}

// The control: a bare thread in a condition variable's wait for 250 ms, signalled the same way,
// in the same rounds. What it shows is the machine's own wake-up latency (a busy machine's
// scheduler may keep a woken thread waiting for a processor for milliseconds).
void BM_DueNowControl(benchmark::State& state)
{
    constexpr int kRounds = 100;
    for (auto _ : state) {
        std::mutex mutex;
        std::condition_variable signal;
        bool due = false;
        bool stop = false;
        std::atomic<std::int64_t> ranAt {0};
        std::jthread waiter([&] {
            std::unique_lock lock(mutex);
            while (!stop) {
                if (signal.wait_until(lock, SteadyClock::now() + 250ms, [&] { return due || stop; }) && due) {
                    due = false;
                    ranAt = SteadyClock::now().time_since_epoch().count();
                }
            }
        });
        std::mt19937 random(7);
        std::uniform_int_distribution<int> intoTheWait(1, 120);
        std::vector<double> lateness;
        for (int round = 0; round < kRounds; ++round) {
            std::this_thread::sleep_for(std::chrono::milliseconds(intoTheWait(random)));
            ranAt = 0;
            const auto scheduledAt = SteadyClock::now();
            {
                std::lock_guard lock(mutex);
                due = true;
            }
            signal.notify_one();
            while (ranAt.load() == 0) { }
            lateness.push_back(double(ranAt.load() - scheduledAt.time_since_epoch().count()) / 1000.0);
        }
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        signal.notify_one();
        state.counters["late_p50_us"] = percentile(lateness, 0.5);
        state.counters["late_p99_us"] = percentile(lateness, 0.99);
        state.counters["late_max_us"] = percentile(lateness, 1.0);
    }
}

class CountingPoster final : public EventPoster {
public:
    void post(const TapEvent&) override { m_posts.fetch_add(1, std::memory_order_relaxed); }
    void postText(std::string_view, std::int64_t) override { }
    std::atomic<std::uint64_t> m_posts {0};
};

class NullLog final : public LogSink {
public:
    void log(TarnLogLevel, std::string_view, std::string_view) override { }
};

struct Engine {
    SystemClock clock;
    DirectTap tap;
    CountingPoster poster;
    FakeWorkspace workspace;
    FakeWindowAccess windows;
    ThreadEngineExecutor executor;
    NullLog log;
    InputEventInterceptorService service;

    Engine()
        : service(InputSettings {}, EnginePorts {tap, poster, workspace, windows, clock, executor, log})
    {
        workspace.activate("org.mozilla.firefox", "Firefox");
        (void)service.start();
    }
};

// state.range(0) wheel notches 25 ms apart, then the decay to its end: the worker's wake-ups and
// the frames it posted, per notch. At best a wake-up is a frame; a scroll that starts from rest
// costs one more, to take the arming of the tick.
void BM_WakeUpsPerWheelNotch(benchmark::State& state)
{
    const auto notches = state.range(0);
    for (auto _ : state) {
        Engine engine;
        const pid_t worker = workerThread(engine.executor);
        std::this_thread::sleep_for(20ms);
        const long before = contextSwitches(worker);
        const auto postsBefore = engine.poster.m_posts.load();
        for (std::int64_t notch = 0; notch < notches; ++notch) {
            TapEvent wheel;
            wheel.type = TapEventType::scrollWheel;
            wheel.scrollDeltaAxis1 = 1;
            (void)engine.tap.deliver(wheel);
            std::this_thread::sleep_for(25ms);
        }
        // A notch's decay ends within 19 frames (152 ms).
        std::this_thread::sleep_for(300ms);
        const double wakeUps = double(contextSwitches(worker) - before);
        const double frames = double(engine.poster.m_posts.load() - postsBefore);
        state.counters["wakeups_per_notch"] = wakeUps / double(notches);
        state.counters["frames_per_notch"] = frames / double(notches);
        state.counters["wakeups_per_frame"] = wakeUps / frames;
    }
}

BENCHMARK(BM_DueNowWhileAFarTaskWaits)
    ->ArgName("armed")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DueNowControl)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WakeUpsPerWheelNotch)
    ->ArgName("notches")
    ->Arg(1)
    ->Arg(40)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarn::input
