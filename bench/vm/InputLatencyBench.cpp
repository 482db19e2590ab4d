// End-to-end latency of a mouse frame, from the write to a (uinput) "physical" mouse to the read of
// what comes out, in the same run and on the same kind of device:
//   a   the bare uinput → evdev round trip (the floor of the kernel path);
//   a′  the floor of any in-process pass-through: a thread blocked in poll on the grabbed device
//       copies each frame to a second uinput device (one thread wake-up per frame);
//   t   TarnInput's tap with a handler that passes everything (the tap's own share);
//   b   TarnInput's tap and engine, with nothing configured and with a realistic configuration;
//   c   interception-tools' pass-through, `interception -g DEV | uinput -d DEV`, when its two
//       programs are given as arguments.
// Every frame is checked: none lost, none reordered, none duplicated, nothing extra.
//
//   InputLatencyBench [FRAMES] [INTERCEPTION UINPUT]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
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
#include "Platform/Linux/Input/UinputEventPoster.h"
#include "Platform/Linux/PointerLocationCache.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Engine/ThreadEngineExecutor.h"
#include "TarnKit/Foundation/Clock.h"
#include "TarnKit/Foundation/UniqueFd.h"

#include <fcntl.h>
#include <poll.h>
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

libevdev_uinput* createMouse(const char* name)
{
    libevdev* description = libevdev_new();
    libevdev_set_name(description, name);
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
    return mouse;
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
    std::string name;
    std::vector<double> micros;
    bool faithful = true;

    double percentile(double p) const
    {
        auto sorted = micros;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[std::min(sorted.size() - 1, std::size_t(p * (sorted.size() - 1) + 0.5))];
    }
};

// Writes `frames` frames to `source` and reads each back from `outputNode`, timing each.
Measurement measure(const std::string& name, libevdev_uinput* source, const std::string& outputNode, int frames)
{
    Measurement result {name, {}, true};
    UniqueFd output(::open(outputNode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    std::vector<input_event> events;
    // Settle: whatever is in flight is not measured.
    for (int i = 0; i < 50; ++i) {
        libevdev_uinput_write_event(source, EV_REL, REL_Y, 1);
        libevdev_uinput_write_event(source, EV_SYN, SYN_REPORT, 0);
        readFrame(output.get(), events);
    }
    result.micros.reserve(frames);
    for (int i = 0; i < frames; ++i) {
        const auto frame = frameAt(i);
        const auto start = Clock::now();
        libevdev_uinput_write_event(source, frame.type, frame.code, frame.value);
        libevdev_uinput_write_event(source, EV_SYN, SYN_REPORT, 0);
        const bool read = readFrame(output.get(), events);
        result.micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        if (!read || events.size() != 1 || events[0].type != frame.type || events[0].code != frame.code
            || events[0].value != frame.value) {
            result.faithful = false;
        }
    }
    input_event extra {};
    std::this_thread::sleep_for(50ms);
    if (::read(output.get(), &extra, sizeof extra) == sizeof extra) {
        result.faithful = false;
    }
    return result;
}

Measurement measureBare(int frames)
{
    auto* mouse = createMouse("Bench Mouse A");
    auto result = measure("a  bare uinput round trip", mouse, libevdev_uinput_get_devnode(mouse), frames);
    libevdev_uinput_destroy(mouse);
    return result;
}

Measurement measureCopyThread(int frames)
{
    auto* mouse = createMouse("Bench Mouse A1");
    auto* copy = createMouse("Bench Mouse A1 copy");
    UniqueFd grabbed(::open(libevdev_uinput_get_devnode(mouse), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    ::ioctl(grabbed.get(), EVIOCGRAB, 1);
    UniqueFd stop(::eventfd(0, EFD_CLOEXEC));
    std::thread copier([&] {
        pollfd descriptors[2] = {{grabbed.get(), POLLIN, 0}, {stop.get(), POLLIN, 0}};
        input_event events[64];
        while (::poll(descriptors, 2, -1) > 0 && (descriptors[1].revents & POLLIN) == 0) {
            const auto size = ::read(grabbed.get(), events, sizeof events);
            for (ssize_t i = 0; i < size / ssize_t(sizeof(input_event)); ++i) {
                libevdev_uinput_write_event(copy, events[i].type, events[i].code, events[i].value);
            }
        }
    });
    auto result = measure("a' poll-and-copy thread", mouse, libevdev_uinput_get_devnode(copy), frames);
    const std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(stop.get(), &one, sizeof one);
    copier.join();
    libevdev_uinput_destroy(copy);
    libevdev_uinput_destroy(mouse);
    return result;
}

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

class PassAll final : public EventTapHandler {
public:
    TapVerdict handleTapEvent(TapEvent&) override { return TapVerdict::pass; }
};

Measurement measureTapOnly(int frames)
{
    auto* mouse = createMouse("Bench Mouse T");
    QuietLog log;
    PointerLocationCache location;
    EvdevEventTap tap(location, log);
    PassAll handler;
    if (!tap.create(kTappedEventMask, handler)) {
        std::exit(1);
    }
    tap.enable();
    auto result
        = measure("t  tap alone, handler passes all", mouse, devnodeNamed("Bench Mouse T (TarnInput)").value(), frames);
    tap.destroy();
    libevdev_uinput_destroy(mouse);
    return result;
}

Measurement measureTarnInput(const std::string& name, const InputSettings& settings, int frames)
{
    const auto mouseName = fmt::format("Bench Mouse {}", name.substr(0, 2));
    auto* mouse = createMouse(mouseName.c_str());
    QuietLog log;
    PointerLocationCache location;
    EvdevEventTap tap(location, log);
    UinputEventPoster poster;
    FakeWorkspace workspace;
    workspace.setFrontmost("org.mozilla.firefox", "Firefox");
    FakeWindowAccess windows;
    ThreadEngineExecutor executor;
    InputEventInterceptorService engine(
        settings, {tap, poster, workspace, windows, SystemClock::shared(), executor, log});
    std::atomic<int> ripples {0};
    EngineCallbacks callbacks;
    callbacks.onClickRipple = [&](const ClickRippleEvent&) { ++ripples; };
    engine.setCallbacks(callbacks);
    engine.updateActiveApplication("org.mozilla.firefox", "Firefox");
    if (!poster.open() || !engine.start()) {
        fmt::print(stderr, "the tap did not start\n");
        std::exit(1);
    }
    const auto twin = devnodeNamed(mouseName + " (TarnInput)").value();
    auto result = measure(name, mouse, twin, frames);
    engine.stop();
    libevdev_uinput_destroy(mouse);
    return result;
}

std::optional<Measurement> measureInterception(const std::string& interception, const std::string& uinput, int frames)
{
    auto* mouse = createMouse("Bench Mouse C");
    const std::string devnode = libevdev_uinput_get_devnode(mouse);
    const auto command = fmt::format("{} -g {} | {} -d {}", interception, devnode, uinput, devnode);
    const pid_t shell = ::fork();
    if (shell == 0) {
        ::setpgid(0, 0);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    std::optional<Measurement> result;
    if (const auto clone = devnodeNamed("Bench Mouse C", devnode)) {
        result = measure("c  interception | uinput", mouse, *clone, frames);
    }
    ::kill(-shell, SIGTERM);
    ::waitpid(shell, nullptr, 0);
    libevdev_uinput_destroy(mouse);
    return result;
}

void print(const Measurement& result)
{
    fmt::print("{:<34} {:>9.1f} {:>9.1f} {:>9.1f}  {}\n", result.name, result.percentile(0.5), result.percentile(0.99),
        *std::max_element(result.micros.begin(), result.micros.end()),
        result.faithful ? "all frames exact" : "FRAMES LOST, REORDERED OR CHANGED");
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(100, std::atoi(argv[1])) : 10000;
    if (::access("/dev/uinput", W_OK) != 0) {
        fmt::print(stderr, "no /dev/uinput: run through scripts/bench-vm.sh\n");
        return 77;
    }
    std::vector<Measurement> results {measureBare(frames), measureCopyThread(frames), measureTapOnly(frames),
        measureTarnInput("b  TarnInput, nothing configured", InputSettings {}, frames),
        measureTarnInput("b2 TarnInput, realistic settings", realisticSettings(), frames)};
    if (argc > 3) {
        if (auto interception = measureInterception(argv[2], argv[3], frames)) {
            results.push_back(*interception);
        } else {
            fmt::print(stderr, "interception-tools did not start\n");
        }
    }
    fmt::print("{} frames each; write to the device -> read of the frame, microseconds\n", frames);
    fmt::print("{:<34} {:>9} {:>9} {:>9}\n", "", "median", "p99", "max");
    bool faithful = true;
    for (const auto& result : results) {
        print(result);
        faithful = faithful && result.faithful;
    }
    const auto find = [&](std::string_view prefix) -> const Measurement* {
        for (const auto& result : results) {
            if (result.name.starts_with(prefix)) {
                return &result;
            }
        }
        return nullptr;
    };
    const auto ratio = [&](std::string_view numerator, std::string_view denominator) {
        const auto* top = find(numerator);
        const auto* bottom = find(denominator);
        if (top != nullptr && bottom != nullptr) {
            fmt::print("{} / {}: median {:.2f}, p99 {:.2f}\n", numerator, denominator,
                top->percentile(0.5) / bottom->percentile(0.5), top->percentile(0.99) / bottom->percentile(0.99));
        }
    };
    for (const auto* numerator : {"t ", "b ", "b2"}) {
        ratio(numerator, "a'");
    }
    ratio("b ", "c ");
    ratio("b2", "c ");
    return faithful ? 0 : 1;
}
