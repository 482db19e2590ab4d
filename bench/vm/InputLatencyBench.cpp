// End-to-end latency of a mouse frame, from the write to a (uinput) "physical" mouse to the read of
// what comes out, on the same kind of device:
//   a   the bare uinput → evdev round trip (the floor of the kernel path);
//   a′  the floor of any in-process pass-through: a thread blocked in poll on the grabbed device
//       copies what each read brings to a second uinput device with one write;
//   t   TarnInput's tap with a handler that passes everything (the tap's own share);
//   b   TarnInput's tap and engine, with nothing configured and with a realistic configuration;
//   c   interception-tools' pass-through, `interception -g DEV | uinput -d DEV`, when its two
//       programs are given as arguments.
// The paths are measured in turns, frame by frame (a, a′, t or b, c, then the next frame starting
// one path later), so that whatever else the machine does falls on all of them alike and the
// ratios hold on a loaded machine. One round per TarnInput configuration, each with its own
// a, a′ and c. Every frame is checked: none lost, none reordered, none duplicated, nothing extra.
//
// The reader (this program's main thread) runs at real-time priority where it may, as a desktop's
// compositor does on a core of its own: it reads a frame as soon as the frame is written, whatever
// the writer still does after that. On the one emulated CPU of scripts/uinput-vm it would
// otherwise wait until the writer sleeps. The paths' own threads and processes do not inherit
// that priority (they run as the programs do, at normal priority), and each measurement starts
// once whatever the previous one left to do is done, so no path pays for another's work. Motion
// and click frames are also shown apart: TarnInput writes motion before its engine sees it, a
// click only once the engine has passed it. The wake-ups of the threads behind each path are
// counted too; the engine reports to an interface thread through the program's own mailbox.
//
//   InputLatencyBench [FRAMES] [INTERCEPTION UINPUT]

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fmt/format.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Linux/Input/EvdevEventTap.h"
#include "Platform/Linux/Uinput/UinputEventPoster.h"
#include "Platform/Linux/X11/PointerLocationCache.h"
#include "TarnInput/ViewModel/Mailbox/EngineMailbox.h"
#include "TarnInputCore/Engine/Executor/ThreadEngineExecutor.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnKit/Foundation/Files/CHandle.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"
#include "TarnKit/Foundation/Ports/Clock.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace tarn;
using namespace tarn::input;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Uinput = CHandle<libevdev_uinput, libevdev_uinput_destroy>;

constexpr int kReaderPriority = 10;

// The reader at real-time priority; threads and processes started afterwards run at normal
// priority, as the programs do.
bool readAtRealTimePriority()
{
    sched_param priority {};
    priority.sched_priority = kReaderPriority;
    return ::sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &priority) == 0;
}

// Lets every other thread finish what it has to do: the reader steps back behind all of them for
// a moment. It does not sleep, because waking an idle emulated CPU costs more than a frame.
void letOthersFinish()
{
    sched_param none {};
    if (::sched_setscheduler(0, SCHED_IDLE | SCHED_RESET_ON_FORK, &none) == 0) {
        ::sched_yield();
        (void)readAtRealTimePriority();
    }
}

struct Frame {
    std::uint16_t type;
    std::uint16_t code;
    std::int32_t value;
};

// Mostly motion, with a click every ten frames, as a mouse in use sends.
Frame frameAt(int index)
{
    switch (index % 10) {
    case 0:
        return {EV_KEY, BTN_LEFT, 1};
    case 1:
        return {EV_KEY, BTN_LEFT, 0};
    default:
        return {EV_REL, REL_X, 1 + index % 7};
    }
}

Uinput createMouse(const std::string& name)
{
    libevdev* description = libevdev_new();
    libevdev_set_name(description, name.c_str());
    libevdev_set_id_bustype(description, BUS_USB);
    libevdev_set_id_vendor(description, 0x1234);
    libevdev_set_id_product(description, 0x5678);
    for (unsigned code = BTN_LEFT; code <= BTN_TASK; ++code) {
        libevdev_enable_event_code(description, EV_KEY, code, nullptr);
    }
    for (unsigned code : {REL_X, REL_Y, REL_WHEEL, REL_WHEEL_HI_RES, REL_HWHEEL, REL_HWHEEL_HI_RES}) {
        libevdev_enable_event_code(description, EV_REL, code, nullptr);
    }
    libevdev_uinput* mouse = nullptr;
    const int rc = libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &mouse);
    libevdev_free(description);
    if (rc != 0) {
        fmt::print(stderr, "cannot create a uinput device\n");
        std::exit(77);
    }
    return Uinput(mouse);
}

// The event node of the device called `name` that is not `except`, waiting for it to appear.
std::optional<std::string> devnodeNamed(const std::string& name, const std::string& except = {})
{
    for (int attempt = 0; attempt < 500; ++attempt) {
        for (int number = 0; number < 64; ++number) {
            const auto node = fmt::format("/dev/input/event{}", number);
            UniqueFd fd(::open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
            char buffer[256] = {};
            if (fd && ::ioctl(fd.get(), EVIOCGNAME(sizeof buffer - 1), buffer) >= 0 && name == buffer
                && node != except) {
                return node;
            }
        }
        std::this_thread::sleep_for(10ms);
    }
    return std::nullopt;
}

// A reader of what comes out of a path. `hold` grabs the node, which keeps TarnInput's tap away
// from the devices of the other paths.
UniqueFd openOutput(const std::string& node, bool hold)
{
    UniqueFd fd(::open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd || (hold && ::ioctl(fd.get(), EVIOCGRAB, 1) != 0)) {
        fmt::print(stderr, "cannot read {}\n", node);
        std::exit(1);
    }
    return fd;
}

// Reads one whole frame (up to SYN_REPORT), blocking.
bool readFrame(int fd, std::vector<input_event>& events)
{
    events.clear();
    while (true) {
        pollfd descriptor {fd, POLLIN, 0};
        if (::poll(&descriptor, 1, 2000) <= 0) {
            return false;
        }
        input_event event {};
        while (::read(fd, &event, sizeof event) == sizeof event) {
            if (event.type == EV_SYN && event.code == SYN_REPORT) {
                return true;
            }
            if (event.type != EV_MSC) {
                events.push_back(event);
            }
        }
    }
}

struct Measurement {
    std::vector<double> micros;
    bool faithful = true;

    double percentile(double p) const
    {
        auto sorted = micros;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, std::size_t(p * (sorted.size() - 1) + 0.5))];
    }
    double max() const { return micros.empty() ? 0 : *std::max_element(micros.begin(), micros.end()); }
};

// One way from a "physical" mouse to a reader.
struct Path {
    std::string name;
    libevdev_uinput* source = nullptr;
    UniqueFd output;
    Measurement result;
    std::vector<input_event> events;

    void measure(const Frame& frame)
    {
        const auto start = Clock::now();
        libevdev_uinput_write_event(source, frame.type, frame.code, frame.value);
        libevdev_uinput_write_event(source, EV_SYN, SYN_REPORT, 0);
        const bool read = readFrame(output.get(), events);
        result.micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        // What the path does after the frame is out (a handler's bookkeeping, a pipe drained) runs
        // now, and not in the next path's measurement.
        letOthersFinish();
        if (!read || events.size() != 1 || events[0].type != frame.type || events[0].code != frame.code
            || events[0].value != frame.value) {
            result.faithful = false;
        }
    }

    // Whatever is in flight is not measured; then nothing may be left over.
    void settle()
    {
        for (int i = 0; i < 50; ++i) {
            measure({EV_REL, REL_Y, 1});
        }
        result = {};
    }
    void checkNothingExtra()
    {
        input_event extra {};
        if (::read(output.get(), &extra, sizeof extra) == sizeof extra) {
            result.faithful = false;
        }
    }
};

// a′: a thread in poll on the grabbed mouse writes what each read brings to a copy, at once.
class CopyThread {
public:
    CopyThread()
        : m_mouse(createMouse("Bench Mouse A1"))
        , m_copy(createMouse("Bench Mouse A1 copy"))
        , m_grabbed(openOutput(libevdev_uinput_get_devnode(m_mouse.get()), true))
        , m_stop(::eventfd(0, EFD_CLOEXEC))
        , m_thread([this] { run(); })
    {
    }
    ~CopyThread()
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] auto written = ::write(m_stop.get(), &one, sizeof one);
        m_thread.join();
    }

    libevdev_uinput* mouse() const { return m_mouse.get(); }
    std::string copyNode() const { return libevdev_uinput_get_devnode(m_copy.get()); }

private:
    void run()
    {
        pollfd descriptors[2] = {{m_grabbed.get(), POLLIN, 0}, {m_stop.get(), POLLIN, 0}};
        std::array<input_event, 1024> events {};
        while (::poll(descriptors, 2, -1) > 0 && (descriptors[1].revents & POLLIN) == 0) {
            const auto size = ::read(m_grabbed.get(), events.data(), sizeof events);
            if (size > 0) {
                [[maybe_unused]] auto written
                    = ::write(libevdev_uinput_get_fd(m_copy.get()), events.data(), static_cast<std::size_t>(size));
            }
        }
    }

    Uinput m_mouse;
    Uinput m_copy;
    UniqueFd m_grabbed;
    UniqueFd m_stop;
    std::thread m_thread;
};

// c: interception-tools' two programs in a shell pipeline of their own.
class Interception {
public:
    Interception(const std::string& interception, const std::string& uinput)
        : m_mouse(createMouse("Bench Mouse C"))
    {
        const std::string devnode = libevdev_uinput_get_devnode(m_mouse.get());
        const auto command = fmt::format("{} -g {} | {} -d {}", interception, devnode, uinput, devnode);
        m_shell = ::fork();
        if (m_shell == 0) {
            ::setpgid(0, 0);
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        m_clone = devnodeNamed("Bench Mouse C", devnode);
    }
    ~Interception()
    {
        ::kill(-m_shell, SIGTERM);
        ::waitpid(m_shell, nullptr, 0);
    }

    libevdev_uinput* mouse() const { return m_mouse.get(); }
    const std::optional<std::string>& cloneNode() const { return m_clone; }

private:
    Uinput m_mouse;
    pid_t m_shell = -1;
    std::optional<std::string> m_clone;
};

// Context switches of every thread of this process but the reader, so that the wake-ups a path
// costs per frame show: a thread that sleeps and is woken counts one voluntary switch each time.
class ThreadWakeUps {
public:
    void start() { m_before = read(); }

    void print(int frames) const
    {
        for (const auto& [tid, after] : read()) {
            const auto before = m_before.find(tid);
            const auto woken = after.switches - (before == m_before.end() ? 0 : before->second.switches);
            if (tid != ::gettid() && woken > 0) {
                fmt::print(
                    "  {:<34} {:.2f} wake-ups a frame\n", "thread " + after.name, static_cast<double>(woken) / frames);
            }
        }
    }

private:
    struct Thread {
        std::string name;
        long switches = 0;
    };

    static std::map<pid_t, Thread> read()
    {
        std::map<pid_t, Thread> threads;
        DIR* tasks = ::opendir("/proc/self/task");
        while (const auto* entry = tasks ? ::readdir(tasks) : nullptr) {
            const pid_t tid = std::atoi(entry->d_name);
            if (tid <= 0) {
                continue;
            }
            std::ifstream status(fmt::format("/proc/self/task/{}/status", tid));
            Thread thread;
            std::string key;
            while (status >> key) {
                if (key == "Name:") {
                    status >> thread.name;
                } else if (key == "voluntary_ctxt_switches:") {
                    long count = 0;
                    status >> count;
                    thread.switches += count;
                }
                status.ignore(1 << 12, '\n');
            }
            threads[tid] = thread;
        }
        if (tasks) {
            ::closedir(tasks);
        }
        return threads;
    }

    std::map<pid_t, Thread> m_before;
};

class QuietLog final : public LogSink {
public:
    void log(TarnLogLevel, std::string_view, std::string_view) override { }
};

InputSettings realisticSettings()
{
    InputSettings settings;
    settings.keyHUDEnabled = true;
    settings.clickRippleEnabled = true;
    for (const auto* bundle : {"org.mozilla.firefox", "org.gnome.nautilus", "code"}) {
        settings.appOverrides.push_back(
            {Uuid::random(), bundle, bundle, MouseButtonKind::sideBack, MouseButtonAction::closeTab, true});
    }
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = "org.mozilla.firefox";
    profile.appName = "Firefox";
    profile.scrollSpeedMultiplierOverride = 2.0;
    profile.buttonActionOverrides[4] = MouseButtonAction::newTab;
    settings.appProfiles.push_back(profile);
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = "Copy and paste";
    macro.steps
        = {MacroStep::keystroke(8, {"cmd"}, "⌘C"), MacroStep::delay(50), MacroStep::keystroke(9, {"cmd"}, "⌘V")};
    settings.macros.push_back(macro);
    return settings;
}

// The interface thread of the program, as far as the engine's reports go: woken through an
// eventfd by the mailbox's wake-up, it drains the mailbox and counts what it got.
class InterfaceThread final : private EngineMailboxReceiver {
public:
    InterfaceThread()
        : m_wake(::eventfd(0, EFD_CLOEXEC))
        , m_stop(::eventfd(0, EFD_CLOEXEC))
        , m_mailbox([this] { signal(m_wake); })
        , m_thread([this] { run(); })
    {
        ::pthread_setname_np(m_thread.native_handle(), "interface");
    }
    ~InterfaceThread()
    {
        signal(m_stop);
        m_thread.join();
    }
    InterfaceThread(const InterfaceThread&) = delete;
    InterfaceThread& operator=(const InterfaceThread&) = delete;

    EngineCallbacks callbacks() { return m_mailbox.callbacks(); }

private:
    static void signal(const UniqueFd& fd)
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] auto written = ::write(fd.get(), &one, sizeof one);
    }

    void run()
    {
        pollfd descriptors[2] = {{m_wake.get(), POLLIN, 0}, {m_stop.get(), POLLIN, 0}};
        while (::poll(descriptors, 2, -1) > 0 && (descriptors[1].revents & POLLIN) == 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] auto read = ::read(m_wake.get(), &count, sizeof count);
            m_mailbox.drain(*this);
        }
    }

    void receiveActiveResolution(const EffectiveInputResolution&) override { ++m_reports; }
    void receivePointerTelemetry(const PointerTelemetrySnapshot&) override { ++m_reports; }
    void receiveCalibration(const PointerCalibrationSnapshot&) override { ++m_reports; }
    void receiveKeystrokeToken(const KeyHUDToken&) override { ++m_reports; }
    void receiveClickRipple(const ClickRippleEvent&) override { ++m_reports; }
    void appendTelemetry(const std::string&) override { ++m_reports; }

    UniqueFd m_wake;
    UniqueFd m_stop;
    EngineMailbox m_mailbox;
    std::uint64_t m_reports = 0;
    std::thread m_thread;
};

class PassAll final : public EventTapHandler {
public:
    TapVerdict handleTapEvent(TapEvent&) override { return TapVerdict::pass; }
};

// TarnInput over one mouse: the tap alone, or the tap and the engine with `settings`, reporting to
// an interface thread as the program does.
class TarnInputUnderTest {
public:
    TarnInputUnderTest(const std::string& mouseName, const std::optional<InputSettings>& settings)
        : m_mouseName(mouseName)
        , m_mouse(createMouse(mouseName))
    {
        if (!settings) {
            if (!m_tap.create(kTappedEventMask, m_passAll)) {
                std::exit(1);
            }
            m_tap.enable();
            return;
        }
        m_workspace.setFrontmost("org.mozilla.firefox", "Firefox");
        m_engine = std::make_unique<InputEventInterceptorService>(*settings,
            EnginePorts {
                m_tap, m_poster, m_workspace, m_windows, SystemClock::shared(), m_executor, m_log, &m_executorPoster});
        m_interface = std::make_unique<InterfaceThread>();
        m_engine->setCallbacks(m_interface->callbacks());
        (void)m_engine->updateActiveApplication({ApplicationId("org.mozilla.firefox"), "Firefox"});
        // As the program does: the executor posts through devices of its own.
        if (!m_poster.open() || !m_executorPoster.open() || !m_engine->start()) {
            fmt::print(stderr, "the tap did not start\n");
            std::exit(1);
        }
    }
    ~TarnInputUnderTest()
    {
        if (m_engine) {
            m_engine->stop();
        }
        m_tap.destroy();
    }

    libevdev_uinput* mouse() const { return m_mouse.get(); }
    std::string twinNode() const { return devnodeNamed(m_mouseName + " (TarnInput)").value(); }

private:
    std::string m_mouseName;
    Uinput m_mouse;
    QuietLog m_log;
    PointerLocationCache m_location;
    EvdevEventTap m_tap {m_location, m_log};
    PassAll m_passAll;
    UinputEventPoster m_poster;
    UinputEventPoster m_executorPoster;
    FakeWorkspace m_workspace;
    FakeWindowAccess m_windows;
    ThreadEngineExecutor m_executor;
    std::unique_ptr<InterfaceThread> m_interface;
    std::unique_ptr<InputEventInterceptorService> m_engine;
};

struct Round {
    std::string tarnInputName;
    std::optional<InputSettings> settings;
};

void print(const Path& path)
{
    Measurement motion;
    Measurement click;
    for (std::size_t i = 0; i < path.result.micros.size(); ++i) {
        (frameAt(static_cast<int>(i)).type == EV_KEY ? click : motion).micros.push_back(path.result.micros[i]);
    }
    fmt::print("  {:<34} {:>9.1f} {:>9.1f} {:>9.1f}  {}\n", path.name, path.result.percentile(0.5),
        path.result.percentile(0.99), path.result.max(),
        path.result.faithful ? "all frames exact" : "FRAMES LOST, REORDERED OR CHANGED");
    fmt::print("  {:<34} motion {:.1f} / {:.1f}, click {:.1f} / {:.1f}\n", "", motion.percentile(0.5),
        motion.percentile(0.99), click.percentile(0.5), click.percentile(0.99));
}

void printRatio(const Path& top, const Path& bottom)
{
    fmt::print("  {} / {}: median {:.2f}, p99 {:.2f}\n", top.name.substr(0, 2), bottom.name.substr(0, 2),
        top.result.percentile(0.5) / bottom.result.percentile(0.5),
        top.result.percentile(0.99) / bottom.result.percentile(0.99));
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(100, std::atoi(argv[1])) : 10000;
    if (::access("/dev/uinput", W_OK) != 0) {
        fmt::print(stderr, "no /dev/uinput: run through scripts/bench-vm.sh\n");
        return 77;
    }
    const bool realTime = readAtRealTimePriority();
    // The paths that stay from round to round, each holding its output so that the tap leaves it.
    auto bareMouse = createMouse("Bench Mouse A");
    Path bare {"a  bare uinput round trip", bareMouse.get(),
        openOutput(libevdev_uinput_get_devnode(bareMouse.get()), true), {}, {}};
    CopyThread copier;
    Path copy {"a' poll-and-copy thread", copier.mouse(), openOutput(copier.copyNode(), true), {}, {}};
    std::unique_ptr<Interception> interception;
    std::optional<Path> intercepted;
    if (argc > 3) {
        interception = std::make_unique<Interception>(argv[2], argv[3]);
        if (interception->cloneNode()) {
            intercepted.emplace(Path {"c  interception | uinput", interception->mouse(),
                openOutput(*interception->cloneNode(), true), {}, {}});
        } else {
            fmt::print(stderr, "interception-tools did not start\n");
        }
    }

    const std::vector<Round> rounds {{"t  tap alone, handler passes all", std::nullopt},
        {"b  TarnInput, nothing configured", InputSettings {}},
        {"b2 TarnInput, realistic settings", realisticSettings()}};
    fmt::print("{} frames a path and round, in turns; write to the device -> read of the frame, microseconds; the "
               "reader {}\n",
        frames, realTime ? "at real-time priority" : "at normal priority (no permission for more)");
    bool faithful = true;
    for (const auto& round : rounds) {
        TarnInputUnderTest tarnInput(fmt::format("Bench Mouse {}", round.tarnInputName.substr(0, 2)), round.settings);
        Path tapped {round.tarnInputName, tarnInput.mouse(), openOutput(tarnInput.twinNode(), false), {}, {}};
        std::vector<Path*> paths {&bare, &copy, &tapped};
        if (intercepted) {
            paths.push_back(&*intercepted);
        }
        for (auto* path : paths) {
            path->settle();
        }
        ThreadWakeUps wakeUps;
        wakeUps.start();
        for (int i = 0; i < frames; ++i) {
            for (std::size_t k = 0; k < paths.size(); ++k) {
                paths[(static_cast<std::size_t>(i) + k) % paths.size()]->measure(frameAt(i));
            }
        }
        std::this_thread::sleep_for(50ms);
        fmt::print("\n  {:<34} {:>9} {:>9} {:>9}\n", "", "median", "p99", "max");
        for (auto* path : paths) {
            path->checkNothingExtra();
            print(*path);
            faithful = faithful && path->result.faithful;
        }
        wakeUps.print(frames);
        printRatio(tapped, copy);
        if (intercepted) {
            printRatio(tapped, *intercepted);
        }
    }
    return faithful ? 0 : 1;
}
