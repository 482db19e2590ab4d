// A Ctrl+Alt window drag through the real X11 adapter: the engine with its window port on an X
// display, a window of another client under a window manager, and the press, three moves and the
// release delivered as the tap thread would, each followed by the executor's work. Counted per
// drag: heap allocations (every thread; the executor's work runs on this one, and xcb keeps each
// answer of the server in a block of its own) and round trips to the X server (waits for an answer
// after sending). Seven other windows lie above the dragged one, none under the pointer, as on a
// desktop with a few applications open.
//
// Needs an X11 display with a window manager: scripts/bench.sh starts Xvfb and openbox where
// there is no display. Run: scripts/bench.sh X11WindowDragBench   (Release build)

#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/X11/X11WindowAccess.h"
#include "Platform/Linux/tests/x11/X11TestClient.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "bench/DirectTap.h"
#include "bench/ManualExecutor.h"
#include "tests/HeapAllocationCounter.h"
#include "tests/XcbRoundTripCounter.h"

namespace tarn::input {
namespace {

class NullPoster final : public EventPoster {
public:
    void post(const TapEvent&) override { }
    void postText(std::string_view, std::int64_t) override { }
};

// The windows, the adapter and the engine, made once: an X server resets itself when its last
// client leaves, and refuses connections while it does.
struct Desktop {
    Desktop()
    {
        if (!client.connected()) {
            return;
        }
        dragged = client.open({"dragged", "Dragged", "Dragged", false, XCB_ATOM_NONE, 100, 100, 400, 300});
        for (int index = 0; index < 7; ++index) {
            others.push_back(client.open({"other", "Other", "Other", false, XCB_ATOM_NONE,
                static_cast<std::int16_t>(560 + 60 * index), static_cast<std::int16_t>(420 + 20 * index), 120, 90}));
        }
        for (const auto window : others) {
            waitUntil([&] { return client.isFramed(window); });
        }
        waitUntil([&] { return client.isFramed(dragged) && client.geometry(dragged).width == 400; });
        managed = client.isFramed(dragged);
        const auto area = client.geometry(dragged);
        home = area.x;
        press = {area.x + 200.0, area.y + 150.0};
        windows = std::make_unique<X11WindowAccess>(log);
        service = std::make_unique<InputEventInterceptorService>(
            InputSettings {}, EnginePorts {tap, poster, workspace, *windows, clock, executor, log});
        (void)service->start();
    }

    bool ready() const { return service != nullptr && windows->isConnected(); }

    // Press at the window's middle, three moves of 10 pixels, release: to the right from home, back
    // to the left from there, so the window stays where the next press finds it.
    void drag()
    {
        const double step = awayFromHome ? -10 : 10;
        awayFromHome = !awayFromHome;
        TapEvent event;
        event.flags = EventFlag::control | EventFlag::option;
        event.location = press;
        event.type = TapEventType::leftMouseDown;
        (void)tap.deliver(event);
        executor.runArmed();
        event.type = TapEventType::leftMouseDragged;
        for (int move = 1; move <= 3; ++move) {
            event.location.x = press.x + step * move;
            (void)tap.deliver(event);
            executor.runArmed();
        }
        event.type = TapEventType::leftMouseUp;
        (void)tap.deliver(event);
        executor.runArmed();
    }

    // The window manager's moves land before the next press looks for the window. False when they
    // did not within five seconds.
    bool waitForTheMoves()
    {
        const int expected = home + (awayFromHome ? 30 : 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (client.geometry(dragged).x != expected) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return true;
    }

    X11TestClient client;
    xcb_window_t dragged = XCB_NONE;
    std::vector<xcb_window_t> others;
    bool managed = false;
    // Where the window's left edge is between drags, or 30 pixels to the right of it.
    int home = 0;
    bool awayFromHome = false;
    // In the window wherever it is.
    EventPoint press;
    RecordingLogSink log;
    DirectTap tap;
    NullPoster poster;
    FakeWorkspace workspace;
    FakeClock clock;
    ManualExecutor executor;
    std::unique_ptr<X11WindowAccess> windows;
    std::unique_ptr<InputEventInterceptorService> service;
};

void BM_WindowDragThroughX11(benchmark::State& state)
{
    static Desktop desktop;
    if (!desktop.ready()) {
        state.SkipWithError("needs an X11 display");
        return;
    }
    std::uint64_t drags = 0;
    std::uint64_t allocations = 0;
    std::uint64_t roundTrips = 0;
    for (auto _ : state) {
        const auto allocationsBefore = heapAllocationCount();
        const auto roundTripsBefore = xcbRoundTripCount();
        desktop.drag();
        allocations += heapAllocationCount() - allocationsBefore;
        roundTrips += xcbRoundTripCount() - roundTripsBefore;
        ++drags;
        state.PauseTiming();
        if (!desktop.waitForTheMoves()) {
            state.SkipWithError("the window manager did not move the window");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["allocations_per_drag"] = double(allocations) / double(drags);
    state.counters["round_trips_per_drag"] = double(roundTrips) / double(drags);
    state.counters["window_manager"] = desktop.managed ? 1 : 0;
}
BENCHMARK(BM_WindowDragThroughX11)->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(3);

} // namespace
} // namespace tarn::input
