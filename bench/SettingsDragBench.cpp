// Dragging a slider changes the settings sixty times a second. With 1000 application profiles,
// each step must leave the interface thread quickly (the new value handed to the engine, resolved
// once, its save queued, and the engine's report of the new resolution published), and the
// settings file must be written at most every 250 ms, off the interface thread. This benchmark
// drags for two seconds through the view model over fakes, with the real settings file and the
// real input-permission check (over a device folder of its own with 24 event devices), and
// watches the file's folder to see when the file is replaced.
//
// The control: after each step the same thread copies the settings value and frees the copy, the
// least a change can cost (the session keeps one copy per change for the engine and the writer),
// touching as much memory in the same way. Its longest time is what this machine adds to work of
// that kind (other builds crowding the caches, the host taking the virtual processor away while
// the thread's clock runs on), so a step's longest time is read against the control's.
//
// Run: scripts/bench.sh SettingsDragBench   (Release build)

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>
#include <fmt/format.h>

#include "Platform/Fake/App/StudioHarness.h"
#include "Platform/Linux/Devices/DeviceNodePermissionBackend.h"
#include "bench/ManyProfiles.h"

#include <poll.h>
#include <sys/inotify.h>
#include <time.h>
#include <unistd.h>

namespace tarn::input {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

constexpr int kProfiles = 1000;

// Stamps each replacement of the settings file (the rename that ends an atomic write) as it
// happens, on a thread of its own.
class FileReplacementWatch {
public:
    explicit FileReplacementWatch(const std::filesystem::path& file)
        : m_fd(::inotify_init1(IN_CLOEXEC))
        , m_name(file.filename().string())
    {
        std::filesystem::create_directories(file.parent_path());
        (void)::inotify_add_watch(m_fd, file.parent_path().c_str(), IN_MOVED_TO);
        m_thread = std::thread([this] { run(); });
    }
    ~FileReplacementWatch()
    {
        stop();
        ::close(m_fd);
    }

    void stop()
    {
        m_running = false;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    // Once stopped.
    const std::vector<SteadyClock::time_point>& replacements() const { return m_replacements; }

private:
    void run()
    {
        alignas(inotify_event) char buffer[4096];
        while (m_running.load()) {
            pollfd readable {m_fd, POLLIN, 0};
            if (::poll(&readable, 1, 50) <= 0) {
                continue;
            }
            const auto length = ::read(m_fd, buffer, sizeof buffer);
            const auto now = SteadyClock::now();
            for (ssize_t offset = 0; offset < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
                if (event->len > 0 && m_name == event->name) {
                    m_replacements.push_back(now);
                }
                offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    int m_fd;
    std::string m_name;
    std::atomic<bool> m_running {true};
    std::vector<SteadyClock::time_point> m_replacements;
    std::thread m_thread;
};

double milliseconds(SteadyClock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The calling thread's processor time: a step's own work, without the time it waited for the
// processor on a busy machine.
double threadCpuMilliseconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// A folder standing for /dev as a desktop with a few input devices has it: the uinput node and
// 24 event devices, all readable and writable by the user.
class DeviceFolder {
public:
    explicit DeviceFolder(const std::filesystem::path& root)
        : m_root(root)
    {
        std::filesystem::create_directories(m_root / "input");
        std::ofstream(m_root / "uinput").put('\0');
        for (int index = 0; index < 24; ++index) {
            std::ofstream(m_root / "input" / fmt::format("event{}", index)).put('\0');
        }
    }
    ~DeviceFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    const std::filesystem::path& root() const { return m_root; }

private:
    std::filesystem::path m_root;
};

// Two seconds of a drag at 60 steps a second. One step is the interface thread's whole share:
// the timers that fell due since the last step (the end of a save's wait), the change through the
// view model, then the main-thread tasks it caused (the engine's reports). The harness's virtual
// clock is set to the real time at each step, so the save interval's timer fires no earlier than a
// real one would, and its wait is timed from when its work really ran.
void BM_SliderDrag(benchmark::State& state)
{
    for (auto _ : state) {
        testing::StudioHarness harness;
        harness.waitForEachSave = false;
        harness.writeSettingsFile(manyProfiles(kProfiles));
        const DeviceFolder devices(harness.settingsFile().parent_path().parent_path() / "dev");
        const DeviceNodePermissionBackend permission(devices.root());
        harness.usePermission(permission);
        auto& viewModel = harness.start();
        FileReplacementWatch watch(harness.settingsFile());
        constexpr int kSteps = 120;
        constexpr auto kPeriod = std::chrono::microseconds(16667);
        std::vector<double> steps;
        steps.reserve(kSteps);
        std::vector<double> stepsCpu;
        stepsCpu.reserve(kSteps);
        std::vector<double> controlsCpu;
        controlsCpu.reserve(kSteps);
        const auto dragStart = SteadyClock::now();
        auto due = dragStart;
        SteadyClock::duration virtualElapsed {};
        for (int step = 0; step < kSteps; ++step) {
            const auto start = SteadyClock::now();
            const double startCpu = threadCpuMilliseconds();
            harness.advance(start - dragStart - virtualElapsed);
            virtualElapsed = start - dragStart;
            viewModel.applySettingsChange(
                [step](InputSettings& settings) { settings.scrollSpeedMultiplier = 1.0 + step / 100.0; });
            harness.mainThread.runPending();
            steps.push_back(milliseconds(SteadyClock::now() - start));
            stepsCpu.push_back(threadCpuMilliseconds() - startCpu);
            const double controlStart = threadCpuMilliseconds();
            benchmark::DoNotOptimize(std::make_shared<const InputSettings>(viewModel.settings()));
            controlsCpu.push_back(threadCpuMilliseconds() - controlStart);
            due += kPeriod;
            std::this_thread::sleep_until(due);
        }
        // The quit writes what waits at once; the watch then has seen every replacement.
        const auto quitStart = SteadyClock::now();
        harness.quit();
        watch.stop();

        std::sort(steps.begin(), steps.end());
        state.counters["step_p50_ms"] = steps[steps.size() / 2];
        state.counters["step_max_ms"] = steps.back();
        std::sort(stepsCpu.begin(), stepsCpu.end());
        state.counters["step_cpu_p50_ms"] = stepsCpu[stepsCpu.size() / 2];
        state.counters["step_cpu_max_ms"] = stepsCpu.back();
        std::sort(controlsCpu.begin(), controlsCpu.end());
        state.counters["control_cpu_p50_ms"] = controlsCpu[controlsCpu.size() / 2];
        state.counters["control_cpu_max_ms"] = controlsCpu.back();
        std::vector<SteadyClock::time_point> duringDrag;
        std::copy_if(watch.replacements().begin(), watch.replacements().end(), std::back_inserter(duringDrag),
            [quitStart](SteadyClock::time_point at) { return at < quitStart; });
        state.counters["drag_s"] = milliseconds(quitStart - dragStart) / 1000;
        state.counters["writes_in_drag"] = double(duringDrag.size());
        state.counters["writes_at_quit"] = double(watch.replacements().size() - duringDrag.size());
        double shortestGap = 0;
        for (std::size_t index = 1; index < duringDrag.size(); ++index) {
            const double gap = milliseconds(duringDrag[index] - duringDrag[index - 1]);
            shortestGap = index == 1 ? gap : std::min(shortestGap, gap);
        }
        state.counters["min_write_gap_ms"] = shortestGap;
    }
}

BENCHMARK(BM_SliderDrag)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarn::input
