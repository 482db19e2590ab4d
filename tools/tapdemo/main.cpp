// tarninput-tapdemo: the input engine with default settings over the real evdev tap and uinput
// poster, for a developer to try on a real mouse before the application wires it in. It prints
// the engine's event lines and its log; Ctrl+C (or SIGTERM) stops it and lets go of everything.
//
// Without a display-server adapter, no application is ever in front (the global settings apply)
// and window dragging finds no window.

#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "Platform/Linux/Input/EvdevEventTap.h"
#include "Platform/Linux/Uinput/UinputEventPoster.h"
#include "Platform/Linux/X11/PointerLocationCache.h"
#include "TarnInputCore/Engine/Executor/ThreadEngineExecutor.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnKit/Foundation/Ports/Clock.h"

#include <pthread.h>

namespace {

using namespace tarn;
using namespace tarn::input;

class StderrLog final : public LogSink {
public:
    void log(TarnLogLevel level, std::string_view category, std::string_view message) override
    {
        fmt::print(stderr, "[{}] {}: {}\n", rawValue(level), category, message);
    }
};

class DesktopOnlyWorkspace final : public Workspace {
public:
    FrontmostApplication frontmostApplication() const override { return {}; }
    std::vector<RunningApplication> runningApplications() const override { return {}; }
    Subscription subscribeActivation(ActivationHandler) override { return {}; }
};

class NoWindows final : public WindowAccess {
public:
    std::optional<WindowRef> windowAt(EventPoint) override { return std::nullopt; }
    std::optional<WindowFrame> frame(WindowRef) override { return std::nullopt; }
    bool setPosition(WindowRef, EventPoint) override { return false; }
    bool setSize(WindowRef, WindowSize) override { return false; }
};

} // namespace

int main()
{
    // Every thread started from here on inherits the blocked signals; only sigwait below takes them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    StderrLog log;
    PointerLocationCache location;
    EvdevEventTap tap(location, log);
    UinputEventPoster poster;
    DesktopOnlyWorkspace workspace;
    NoWindows windows;
    ThreadEngineExecutor executor;
    InputEventInterceptorService engine(
        InputSettings {}, {tap, poster, workspace, windows, SystemClock::shared(), executor, log});
    EngineCallbacks callbacks;
    callbacks.onTelemetryEvent = [](const std::string& line) { fmt::print("{}\n", line); };
    engine.setCallbacks(callbacks);

    if (!poster.open() || !engine.start()) {
        fmt::print(stderr,
            "Cannot read the input devices or write /dev/uinput. See \"Input permission\" in the README\n"
            "(the udev rule and the input group), or run this program as root to try it.\n");
        return 1;
    }
    fmt::print("The engine runs with default settings. Press Ctrl+C to stop.\n");
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopSignals, &signal);
    engine.stop();
    poster.close();
    fmt::print("Stopped; nothing is grabbed or held.\n");
    return 0;
}
