// Scrolling sits on the wheel path and the smoothing timer wakes every 8 ms while there is travel
// left. These benchmarks time one wheel event through the service (fake ports, the post itself
// free), one smoothing tick with and without travel left, and the idle cost of the real timer
// thread (none: it sleeps until a wheel step arms it).
//
// Run: scripts/bench.sh EngineScrollBench   (Release build; aggregates over 5 repetitions)

#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

#include <benchmark/benchmark.h>

#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "TarnInputCore/Engine/Executor/ThreadEngineExecutor.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "bench/DirectTap.h"

#include <unistd.h>

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

class CountingPoster final : public EventPoster {
public:
    void post(const TapEvent& event) override
    {
        m_posts += 1;
        m_pixels += event.scrollPointDeltaAxis1;
    }
    void postText(std::string_view, std::int64_t) override { m_posts += 1; }
    std::uint64_t m_posts = 0;
    double m_pixels = 0;
};

class NullLog final : public LogSink {
public:
    void log(TarnLogLevel, std::string_view, std::string_view) override { }
};

// Keeps the smoothing task so a benchmark can run one tick by hand, with no executor cost.
class CapturingExecutor final : public EngineExecutor {
public:
    TaskId scheduleAfter(std::chrono::nanoseconds, std::function<void()>) override { return 0; }
    TaskId scheduleRepeating(std::chrono::nanoseconds, std::chrono::nanoseconds, std::function<void()>) override
    {
        return 0;
    }
    TaskId addDormant(std::chrono::nanoseconds period, std::function<void()> task) override
    {
        if (period > std::chrono::nanoseconds {0}) {
            m_tick = std::move(task);
        }
        return m_nextId++;
    }
    void arm(TaskId, std::chrono::nanoseconds) override { }
    void disarm(TaskId) override { }
    void cancel(TaskId) override { }
    std::function<void()> m_tick;
    TaskId m_nextId = 1;
};

// The real executor, counting how often its tasks run.
class CountingExecutor final : public EngineExecutor {
public:
    TaskId scheduleAfter(std::chrono::nanoseconds delay, std::function<void()> task) override
    {
        return m_inner.scheduleAfter(delay, counted(std::move(task)));
    }
    TaskId scheduleRepeating(
        std::chrono::nanoseconds firstDelay, std::chrono::nanoseconds period, std::function<void()> task) override
    {
        return m_inner.scheduleRepeating(firstDelay, period, counted(std::move(task)));
    }
    TaskId addDormant(std::chrono::nanoseconds period, std::function<void()> task) override
    {
        return m_inner.addDormant(period, counted(std::move(task)));
    }
    void arm(TaskId id, std::chrono::nanoseconds firstDelay) override { m_inner.arm(id, firstDelay); }
    void disarm(TaskId id) override { m_inner.disarm(id); }
    void cancel(TaskId id) override { m_inner.cancel(id); }
    std::atomic<std::uint64_t> m_runs {0};

private:
    std::function<void()> counted(std::function<void()> task)
    {
        return [this, task = std::move(task)] {
            m_runs.fetch_add(1, std::memory_order_relaxed);
            task();
        };
    }
    ThreadEngineExecutor m_inner;
};

template <typename Executor> struct Engine {
    FakeClock clock;
    DirectTap tap;
    CountingPoster poster;
    FakeWorkspace workspace;
    FakeWindowAccess windows;
    Executor executor;
    NullLog log;
    InputEventInterceptorService service;

    explicit Engine(InputSettings settings = {})
        : service(settings, EnginePorts {tap, poster, workspace, windows, clock, executor, log})
    {
        workspace.activate("org.mozilla.firefox", "Firefox");
        (void)service.start();
    }
};

TapEvent wheelStep()
{
    TapEvent event;
    event.type = TapEventType::scrollWheel;
    event.scrollDeltaAxis1 = 1;
    return event;
}

// One wheel notch with smoothing on: resolved, scaled and added to the travel, then swallowed.
void BM_ScrollWheelSmooth(benchmark::State& state)
{
    Engine<CapturingExecutor> engine;
    for (auto _ : state) {
        TapEvent event = wheelStep();
        benchmark::DoNotOptimize(engine.tap.deliver(event));
    }
}

// Smoothing off: the step is changed in place and passed on.
void BM_ScrollWheelInPlace(benchmark::State& state)
{
    InputSettings settings;
    settings.smoothScrollEnabled = false;
    Engine<CapturingExecutor> engine(settings);
    for (auto _ : state) {
        TapEvent event = wheelStep();
        benchmark::DoNotOptimize(engine.tap.deliver(event));
    }
}

// A tick with nothing to scroll: what the timer costs every 8 ms while no one scrolls.
void BM_SmoothTickIdle(benchmark::State& state)
{
    Engine<CapturingExecutor> engine;
    for (auto _ : state) {
        engine.executor.m_tick();
    }
    if (engine.poster.m_posts != 0) {
        state.SkipWithError("an idle tick posted");
    }
}

// A tick during a decay: one frame computed and posted. A notch is added whenever the travel ends.
void BM_SmoothTickScrolling(benchmark::State& state)
{
    Engine<CapturingExecutor> engine;
    std::uint64_t ticks = 0;
    for (auto _ : state) {
        if (ticks++ % 19 == 0) {
            state.PauseTiming();
            TapEvent event = wheelStep();
            (void)engine.tap.deliver(event);
            state.ResumeTiming();
        }
        engine.executor.m_tick();
    }
    benchmark::DoNotOptimize(engine.poster.m_pixels);
}

double processCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Voluntary context switches (a thread going to sleep and being woken) of every thread of the
// process but the calling one: the engine's own wake-ups while this thread waits.
long otherThreadsWakeups()
{
    const auto self = std::to_string(gettid());
    long switches = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        if (task.path().filename() == self) {
            continue;
        }
        std::ifstream status(task.path() / "status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.starts_with("voluntary_ctxt_switches:")) {
                switches += std::stol(line.substr(line.find(':') + 1));
            }
        }
    }
    return switches;
}

// The running service with no input at all, on the real timer thread, for two seconds: the
// executor sleeps until a wheel step arms the smoothing timer.
void BM_IdleTimerCost(benchmark::State& state)
{
    for (auto _ : state) {
        Engine<CountingExecutor> engine;
        std::this_thread::sleep_for(100ms);
        const double cpuBefore = processCpuSeconds();
        const long wakeupsBefore = otherThreadsWakeups();
        const auto runsBefore = engine.executor.m_runs.load();
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(2s);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["ticks_per_s"] = double(engine.executor.m_runs.load() - runsBefore) / seconds;
        state.counters["wakeups_per_s"] = double(otherThreadsWakeups() - wakeupsBefore) / seconds;
        state.counters["cpu_us_per_s"] = (processCpuSeconds() - cpuBefore) * 1e6 / seconds;
    }
}

BENCHMARK(BM_ScrollWheelSmooth)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ScrollWheelInPlace)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SmoothTickIdle)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SmoothTickScrolling)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_IdleTimerCost)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarn::input
