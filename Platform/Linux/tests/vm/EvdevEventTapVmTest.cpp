// The tap and the poster in a real kernel: uinput devices stand for the hardware, and what comes
// out of our virtual devices is read back from their event nodes.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Core/FakeWindowAccess.h"
#include "Platform/Fake/Core/FakeWorkspace.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/Input/EvdevEventTap.h"
#include "Platform/Linux/Uinput/UinputEventPoster.h"
#include "Platform/Linux/Uinput/VirtualInputDevice.h"
#include "Platform/Linux/X11/PointerLocationCache.h"
#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "UinputTestDevices.h"

#include <linux/input-event-codes.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarn::input::vmtest {
namespace {

constexpr EvdevEvent kProbe {EV_REL, REL_X, 1};

bool haveUinput()
{
    return ::access("/dev/uinput", W_OK) == 0;
}

// The real tap and poster under the engine, with fakes for what the kernel does not give.
struct RealEngine {
    explicit RealEngine(InputSettings settings = {})
        : engine(settings, {tap, poster, workspace, windows, clock, executor, log})
    {
        EngineCallbacks callbacks;
        callbacks.onKeystrokeToken = [this](const KeyHUDToken&) { ++keyTokens; };
        engine.setCallbacks(callbacks);
    }

    bool start() { return poster.open() && engine.start(); }

    PointerLocationCache location;
    RecordingLogSink log;
    EvdevEventTap tap {location, log};
    UinputEventPoster poster;
    FakeClock clock;
    FakeWorkspace workspace;
    FakeWindowAccess windows;
    FakeEngineExecutor executor {clock};
    std::atomic<int> keyTokens {0};
    InputEventInterceptorService engine;
};

// Writes a probe until it comes out of the twin: the device is grabbed and everything written
// before the last probe has been through the tap. Answers what the twin sent, probes left out.
Events syncThrough(const PhysicalDevice& device, EventReader& twin)
{
    Events seen;
    for (int attempt = 0; attempt < 60; ++attempt) {
        device.frame({kProbe});
        auto events = twin.collectUntil(kProbe, 50ms);
        const bool arrived = contains(events, kProbe);
        std::erase(events, kProbe);
        seen.insert(seen.end(), events.begin(), events.end());
        if (arrived) {
            return seen;
        }
    }
    ADD_FAILURE() << "the probe never came through the tap";
    return seen;
}

class EvdevEventTapVm : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveUinput()) {
            GTEST_SKIP() << "no /dev/uinput here: run through scripts/uinput-vm";
        }
    }
};

TEST_F(EvdevEventTapVm, WithNothingConfiguredMovesAndClicksComeOutUnchanged)
{
    auto mouse = PhysicalDevice::mouse("Plain Mouse");
    RealEngine real;
    ASSERT_TRUE(real.start());
    EventReader twin(devnodeNamed("Plain Mouse (TarnInput)").value());
    syncThrough(mouse, twin);

    const Events frames[] = {
        {{EV_REL, REL_X, 5}, {EV_REL, REL_Y, -3}},
        {{EV_KEY, BTN_LEFT, 1}},
        {{EV_REL, REL_X, 2}},
        {{EV_KEY, BTN_LEFT, 0}},
        {{EV_KEY, BTN_RIGHT, 1}},
        {{EV_KEY, BTN_RIGHT, 0}},
    };
    Events expected;
    for (const auto& frame : frames) {
        mouse.frame(frame);
        expected.insert(expected.end(), frame.begin(), frame.end());
    }
    EXPECT_EQ(syncThrough(mouse, twin), expected);
}

TEST_F(EvdevEventTapVm, TwinNamesKeepWholeCharacters)
{
    std::string name;
    for (int i = 0; i < 35; ++i) {
        name += "Ü";
    }
    auto mouse = PhysicalDevice::mouse(name);
    auto shortName = PhysicalDevice::mouse("Souris é");
    RealEngine real;
    ASSERT_TRUE(real.start());
    // uinput takes 79 bytes: 66 of them (33 letters of two bytes) and the suffix.
    EXPECT_TRUE(devnodeNamed(name.substr(0, 66) + " (TarnInput)"));
    EXPECT_TRUE(devnodeNamed("Souris é (TarnInput)"));
}

TEST_F(EvdevEventTapVm, BackButtonBecomesTheBackChordAndNothingComesBack)
{
    auto mouse = PhysicalDevice::mouse("Back Mouse");
    auto keyboard = PhysicalDevice::keyboard("Desk Keyboard");
    InputSettings settings;
    settings.keyHUDEnabled = true;
    settings.keyHUDShortcutsOnly = false;
    RealEngine real(settings);
    ASSERT_TRUE(real.start());
    EventReader twin(devnodeNamed("Back Mouse (TarnInput)").value());
    EventReader posted(devnodeNamed("TarnInput virtual keyboard").value());
    syncThrough(mouse, twin);

    mouse.frame({{EV_KEY, BTN_SIDE, 1}});
    mouse.frame({{EV_KEY, BTN_SIDE, 0}});
    EXPECT_EQ(syncThrough(mouse, twin), Events {}) << "nothing of the back button reaches applications";
    EXPECT_EQ(posted.collectUntil({EV_KEY, KEY_LEFTALT, 0}),
        (Events {{EV_KEY, KEY_LEFTALT, 1}, {EV_KEY, KEY_LEFT, 1}, {EV_KEY, KEY_LEFT, 0}, {EV_KEY, KEY_LEFTALT, 0}}));

    // A key typed on the real keyboard reaches the key HUD; the posted chord never came back.
    keyboard.frame({{EV_KEY, KEY_A, 1}});
    keyboard.frame({{EV_KEY, KEY_A, 0}});
    for (int i = 0; i < 100 && real.keyTokens == 0; ++i) {
        EventReader(keyboard.devnode()).collect(10ms);
    }
    syncThrough(mouse, twin);
    EXPECT_EQ(real.keyTokens, 1);
}

TEST_F(EvdevEventTapVm, SmoothScrollingEmitsItsFrames)
{
    auto mouse = PhysicalDevice::mouse("Wheel Mouse");
    InputSettings settings;
    settings.reverseMouseWheel = false;
    settings.scrollSpeedMultiplier = 1;
    RealEngine real(settings);
    ASSERT_TRUE(real.start());
    EventReader twin(devnodeNamed("Wheel Mouse (TarnInput)").value());
    EventReader smooth(devnodeNamed("TarnInput virtual pointer").value());
    syncThrough(mouse, twin);

    mouse.frame({{EV_REL, REL_WHEEL, 1}, {EV_REL, REL_WHEEL_HI_RES, 120}});
    EXPECT_EQ(syncThrough(mouse, twin), Events {}) << "the notch itself is held back";
    real.executor.advance(200ms);
    const auto frames = smooth.collect(500ms);
    int hiRes = 0;
    int detents = 0;
    int hiResFrames = 0;
    for (const auto& event : frames) {
        if (event.code == REL_WHEEL_HI_RES) {
            EXPECT_GT(event.value, 0);
            hiRes += event.value;
            ++hiResFrames;
        } else if (event.code == REL_WHEEL) {
            detents += event.value;
        }
    }
    EXPECT_GE(hiResFrames, 8);
    EXPECT_NEAR(hiRes, 120, 6);
    EXPECT_EQ(detents, 1);
}

TEST_F(EvdevEventTapVm, AMouseHeldDownAtStartIsGrabbedOnlyOnceReleased)
{
    auto mouse = PhysicalDevice::mouse("Busy Mouse");
    EventReader other(mouse.devnode());
    mouse.frame({{EV_KEY, BTN_LEFT, 1}});
    other.collect(50ms);
    RealEngine real;
    ASSERT_TRUE(real.start());
    EventReader twin(devnodeNamed("Busy Mouse (TarnInput)").value());

    // Grabbing now would take the release away from whoever saw the press.
    mouse.frame({{EV_REL, REL_X, 3}});
    mouse.frame({{EV_KEY, BTN_LEFT, 0}});
    EXPECT_EQ(other.collectUntil({EV_KEY, BTN_LEFT, 0}), (Events {{EV_REL, REL_X, 3}, {EV_KEY, BTN_LEFT, 0}}));
    EXPECT_EQ(syncThrough(mouse, twin), Events {}) << "nothing of the held click came out twice";
    mouse.frame({{EV_REL, REL_X, 4}});
    EXPECT_EQ(syncThrough(mouse, twin), (Events {{EV_REL, REL_X, 4}}));
    EXPECT_FALSE(contains(other.collect(50ms), {EV_REL, REL_X, 4})) << "grabbed by now";
}

TEST_F(EvdevEventTapVm, PostedTextIsTypedAsKeysOfAUsKeyboard)
{
    UinputEventPoster poster;
    ASSERT_TRUE(poster.open());
    EventReader posted(devnodeNamed("TarnInput virtual keyboard").value());
    // é is not on a US keyboard: left out.
    poster.postText("Hi é!", kSyntheticMagicTag);
    const Events typed {{EV_KEY, KEY_LEFTSHIFT, 1}, {EV_KEY, KEY_H, 1}, {EV_KEY, KEY_H, 0}, {EV_KEY, KEY_LEFTSHIFT, 0},
        {EV_KEY, KEY_I, 1}, {EV_KEY, KEY_I, 0}, {EV_KEY, KEY_SPACE, 1}, {EV_KEY, KEY_SPACE, 0},
        {EV_KEY, KEY_LEFTSHIFT, 1}, {EV_KEY, KEY_1, 1}, {EV_KEY, KEY_1, 0}, {EV_KEY, KEY_LEFTSHIFT, 0}};
    EXPECT_EQ(posted.collect(3000ms, [&](const Events& events) { return events.size() >= typed.size(); }), typed);
}

TEST_F(EvdevEventTapVm, WhileGrabbedASecondReaderSeesNothing)
{
    auto mouse = PhysicalDevice::mouse("Grabbed Mouse");
    EventReader other(mouse.devnode());
    RealEngine real;
    ASSERT_TRUE(real.start());
    EventReader twin(devnodeNamed("Grabbed Mouse (TarnInput)").value());
    syncThrough(mouse, twin);
    other.collect(50ms);

    mouse.frame({{EV_REL, REL_Y, 4}});
    mouse.frame({{EV_KEY, BTN_LEFT, 1}});
    mouse.frame({{EV_KEY, BTN_LEFT, 0}});
    syncThrough(mouse, twin);
    EXPECT_EQ(other.collect(100ms), Events {});
    EXPECT_FALSE(other.grab()) << "our grab holds";
}

TEST_F(EvdevEventTapVm, AMouseAnotherProgramHoldsIsLeftAloneUntilItLetsGo)
{
    auto mouse = PhysicalDevice::mouse("Held Mouse");
    std::optional<EventReader> holder(std::in_place, mouse.devnode());
    ASSERT_TRUE(holder->hold());
    RealEngine real;
    ASSERT_TRUE(real.start());
    EventReader twin(devnodeNamed("Held Mouse (TarnInput)").value());

    mouse.frame({{EV_REL, REL_X, 2}});
    EXPECT_EQ(holder->collectUntil({EV_REL, REL_X, 2}), (Events {{EV_REL, REL_X, 2}}));
    EXPECT_EQ(twin.collect(100ms), Events {});
    EXPECT_EQ(real.log.count("Another program holds " + mouse.devnode() + "; it is left alone"), 1U);

    // Once the holder lets go the mouse is asked for again, within about a second.
    holder.reset();
    syncThrough(mouse, twin);
    mouse.frame({{EV_REL, REL_Y, 6}});
    EXPECT_EQ(syncThrough(mouse, twin), (Events {{EV_REL, REL_Y, 6}}));
}

TEST_F(EvdevEventTapVm, StopDropsTheGrabAndTheVirtualDevices)
{
    auto mouse = PhysicalDevice::mouse("Held Mouse");
    RealEngine real;
    ASSERT_TRUE(real.start());
    EventReader twin(devnodeNamed("Held Mouse (TarnInput)").value());
    EventReader posted(devnodeNamed("TarnInput virtual keyboard").value());
    syncThrough(mouse, twin);
    mouse.frame({{EV_KEY, BTN_LEFT, 1}});
    EXPECT_TRUE(contains(syncThrough(mouse, twin), {EV_KEY, BTN_LEFT, 1}));

    // Held buttons and keys are lifted first (shown where a device lives on, below); an event
    // node that is gone answers nothing more, and libinput lets go of what a removed device held.
    real.engine.stop();
    real.poster.close();
    twin.collect(2000ms, [&](const Events&) { return twin.gone(); });
    posted.collect(2000ms, [&](const Events&) { return posted.gone(); });
    EXPECT_TRUE(twin.gone());
    EXPECT_TRUE(posted.gone());
    EXPECT_TRUE(EventReader(mouse.devnode()).grab()) << "the grab is gone";
    EXPECT_FALSE(devnodeNamed("Held Mouse (TarnInput)", 0ms));
    mouse.frame({{EV_KEY, BTN_LEFT, 0}});
}

TEST_F(EvdevEventTapVm, AVirtualDeviceLiftsWhatItHolds)
{
    auto keyboard = VirtualInputDevice::createKeyboard();
    ASSERT_TRUE(keyboard);
    EventReader reader(keyboard->devnode());
    const EvdevEvent presses[] = {{EV_KEY, KEY_LEFTSHIFT, 1}, {EV_KEY, KEY_A, 1}};
    keyboard->writeFrame(presses);
    keyboard->releaseAll();
    EXPECT_EQ(reader.collectUntil({EV_KEY, KEY_LEFTSHIFT, 0}),
        (Events {{EV_KEY, KEY_LEFTSHIFT, 1}, {EV_KEY, KEY_A, 1}, {EV_KEY, KEY_A, 0}, {EV_KEY, KEY_LEFTSHIFT, 0}}));
    EXPECT_FALSE(keyboard->isHeld(KEY_A));
}

TEST_F(EvdevEventTapVm, AKilledProcessLeavesNoGrabAndNothingHeld)
{
    auto mouse = PhysicalDevice::mouse("Killed Mouse");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        RealEngine real;
        const char answer = real.start() ? 'y' : 'n';
        [[maybe_unused]] auto written = ::write(ready[1], &answer, 1);
        while (true) {
            ::pause();
        }
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    EventReader twin(devnodeNamed("Killed Mouse (TarnInput)").value());
    syncThrough(mouse, twin);
    mouse.frame({{EV_KEY, BTN_LEFT, 1}});
    EXPECT_TRUE(contains(syncThrough(mouse, twin), {EV_KEY, BTN_LEFT, 1}));

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    // The kernel ends the grab with the process's files and destroys its uinput devices.
    twin.collect(2000ms, [&](const Events&) { return twin.gone(); });
    EXPECT_TRUE(twin.gone());
    EXPECT_TRUE(EventReader(mouse.devnode()).grab());
    mouse.frame({{EV_KEY, BTN_LEFT, 0}});
}

TEST_F(EvdevEventTapVm, ASecondMousePluggedInWhileAButtonIsHeldOnTheFirst)
{
    auto first = PhysicalDevice::mouse("First Mouse");
    RealEngine real;
    ASSERT_TRUE(real.start());
    EventReader firstTwin(devnodeNamed("First Mouse (TarnInput)").value());
    syncThrough(first, firstTwin);
    first.frame({{EV_KEY, BTN_LEFT, 1}});
    EXPECT_TRUE(contains(syncThrough(first, firstTwin), {EV_KEY, BTN_LEFT, 1}));

    auto second = PhysicalDevice::mouse("Second Mouse");
    const auto secondTwinNode = devnodeNamed("Second Mouse (TarnInput)");
    ASSERT_TRUE(secondTwinNode) << "hot-plug reached the tap";
    EventReader secondTwin(*secondTwinNode);
    second.frame({{EV_KEY, BTN_RIGHT, 1}});
    second.frame({{EV_KEY, BTN_RIGHT, 0}});
    syncThrough(second, secondTwin);
    second.frame({{EV_KEY, BTN_RIGHT, 1}});
    EXPECT_TRUE(contains(syncThrough(second, secondTwin), {EV_KEY, BTN_RIGHT, 1}));

    first.frame({{EV_KEY, BTN_LEFT, 0}});
    EXPECT_EQ(syncThrough(first, firstTwin), (Events {{EV_KEY, BTN_LEFT, 0}}));
    // The second mouse unplugged mid-press: its twin goes with it.
    second.unplug();
    secondTwin.collect(2000ms, [&](const Events&) { return secondTwin.gone(); });
    EXPECT_TRUE(secondTwin.gone());
}

TEST_F(EvdevEventTapVm, WithoutPermissionStartFailsCleanly)
{
    auto mouse = PhysicalDevice::mouse("Private Mouse");
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(2);
        }
        RealEngine real;
        const bool started = real.engine.start();
        const bool logged = real.log.count("Failed to open the input devices (read access to /dev/input and write "
                                           "access to /dev/uinput required)")
            == 1;
        ::_exit(!started && logged && !real.engine.isRunning() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(devnodeNamed("Private Mouse (TarnInput)", 0ms));
    EXPECT_TRUE(EventReader(mouse.devnode()).grab());
}

// A handler that passes everything, and can be made to hang on the next motion until released.
class HangingHandler final : public EventTapHandler {
public:
    explicit HangingHandler(EventTap& tap)
        : m_tap(tap)
    {
    }

    TapVerdict handleTapEvent(TapEvent& event) override
    {
        if (event.type == TapEventType::tapDisabledByTimeout) {
            ++notices;
            m_tap.enable();
        }
        std::unique_lock lock(m_mutex);
        const bool motion = event.type == TapEventType::mouseMoved || event.type == TapEventType::leftMouseDragged;
        if (m_armed && motion) {
            m_armed = false;
            m_hanging = true;
            hangingSince = std::chrono::steady_clock::now();
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return !m_hanging; });
        }
        return TapVerdict::pass;
    }

    void arm()
    {
        std::lock_guard lock(m_mutex);
        m_armed = true;
    }
    [[nodiscard]] bool waitUntilHanging()
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 5s, [this] { return m_hanging; });
    }
    void release()
    {
        std::lock_guard lock(m_mutex);
        m_hanging = false;
        m_changed.notify_all();
    }

    std::atomic<int> notices {0};
    // When the last hang began; read once the handler hangs.
    std::chrono::steady_clock::time_point hangingSince;

private:
    EventTap& m_tap;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_armed = false;
    bool m_hanging = false;
};

TEST_F(EvdevEventTapVm, AStalledInputThreadLetsGoOfTheMouseAndGrabsAgainAfter)
{
    auto mouse = PhysicalDevice::mouse("Stall Mouse");
    PointerLocationCache location;
    RecordingLogSink log;
    EvdevEventTap tap(location, log);
    HangingHandler handler(tap);
    ASSERT_TRUE(tap.create(kTappedEventMask, handler));
    tap.enable();
    EventReader twin(devnodeNamed("Stall Mouse (TarnInput)").value());
    EventReader other(mouse.devnode());
    syncThrough(mouse, twin);
    other.collect(20ms);

    mouse.frame({{EV_KEY, BTN_LEFT, 1}});
    EXPECT_TRUE(contains(syncThrough(mouse, twin), {EV_KEY, BTN_LEFT, 1}));
    other.collect(20ms);
    handler.arm();
    mouse.frame({{EV_REL, REL_Y, 1}});
    ASSERT_TRUE(handler.waitUntilHanging());
    // Past the stall limit (with a wide margin for a slow machine) the twin lets go of the button
    // and the mouse works without us.
    EXPECT_TRUE(contains(twin.collectUntil({EV_KEY, BTN_LEFT, 0}), {EV_KEY, BTN_LEFT, 0}));
    bool reachedOthers = false;
    for (int attempt = 0; attempt < 60 && !reachedOthers; ++attempt) {
        mouse.frame({{EV_REL, REL_X, 7}});
        reachedOthers = contains(other.collectUntil({EV_REL, REL_X, 7}, 50ms), {EV_REL, REL_X, 7});
    }
    EXPECT_TRUE(reachedOthers);
    mouse.frame({{EV_KEY, BTN_LEFT, 0}});
    // The watchdog writes its line just after letting go.
    const std::string stalled = "Input thread stalled for more than 200 ms; mouse grab released";
    for (int i = 0; i < 200 && log.count(stalled) == 0; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(log.count(stalled), 1U);

    handler.release();
    syncThrough(mouse, twin);
    EXPECT_EQ(handler.notices, 1);
    other.collect(20ms);
    mouse.frame({{EV_REL, REL_X, 9}});
    syncThrough(mouse, twin);
    EXPECT_FALSE(contains(other.collect(50ms), {EV_REL, REL_X, 9})) << "grabbed again";
    tap.destroy();
}

TEST_F(EvdevEventTapVm, AnOverflowedBufferIsResynchronisedWithoutLosingAButton)
{
    auto mouse = PhysicalDevice::mouse("Flood Mouse");
    PointerLocationCache location;
    RecordingLogSink log;
    EvdevEventTap tap(location, log);
    HangingHandler handler(tap);
    ASSERT_TRUE(tap.create(kTappedEventMask, handler));
    tap.enable();
    EventReader twin(devnodeNamed("Flood Mouse (TarnInput)").value());
    syncThrough(mouse, twin);

    handler.arm();
    mouse.frame({{EV_REL, REL_Y, 1}});
    ASSERT_TRUE(handler.waitUntilHanging());
    mouse.frame({{EV_KEY, BTN_RIGHT, 1}});
    for (int i = 0; i < 1000; ++i) {
        mouse.frame({{EV_REL, REL_Y, 1}});
    }
    handler.release();
    const auto resynced = syncThrough(mouse, twin);
    EXPECT_TRUE(contains(resynced, {EV_KEY, BTN_RIGHT, 1}));
    EXPECT_LT(std::count(resynced.begin(), resynced.end(), EvdevEvent {EV_REL, REL_Y, 1}), 1000)
        << "the kernel dropped events, so this was a resynchronisation";
    mouse.frame({{EV_KEY, BTN_RIGHT, 0}});
    EXPECT_TRUE(contains(syncThrough(mouse, twin), {EV_KEY, BTN_RIGHT, 0}));
    tap.destroy();
}

TEST_F(EvdevEventTapVm, AStalledInputThreadLetsGoWithinTheLimit)
{
    auto mouse = PhysicalDevice::mouse("Timed Stall Mouse");
    PointerLocationCache location;
    RecordingLogSink log;
    EvdevEventTap tap(location, log);
    HangingHandler handler(tap);
    ASSERT_TRUE(tap.create(kTappedEventMask, handler));
    tap.enable();
    const auto twinNode = devnodeNamed("Timed Stall Mouse (TarnInput)").value();
    std::vector<double> letGoMs;
    for (int stall = 0; stall < 5; ++stall) {
        EventReader twin(twinNode);
        syncThrough(mouse, twin);
        mouse.frame({{EV_KEY, BTN_LEFT, 1}});
        ASSERT_TRUE(contains(syncThrough(mouse, twin), {EV_KEY, BTN_LEFT, 1}));
        handler.arm();
        mouse.frame({{EV_REL, REL_Y, 1}});
        ASSERT_TRUE(handler.waitUntilHanging());
        // The twin's release is stamped by the kernel as the watchdog writes it.
        twin.collectUntil({EV_KEY, BTN_LEFT, 0});
        const auto released = twin.stampOf({EV_KEY, BTN_LEFT, 0});
        ASSERT_TRUE(released) << "the watchdog let go";
        letGoMs.push_back(std::chrono::duration<double, std::milli>(*released - handler.hangingSince).count());
        handler.release();
        mouse.frame({{EV_KEY, BTN_LEFT, 0}});
        syncThrough(mouse, twin);
    }
    for (const double ms : letGoMs) {
        EXPECT_GE(ms, EvdevEventTap::kStallThreshold.count() - 1.0);
        EXPECT_LE(ms, EvdevEventTap::kStallLimit.count());
    }
    std::printf("let go after a stall, ms: %.1f %.1f %.1f %.1f %.1f\n", letGoMs[0], letGoMs[1], letGoMs[2], letGoMs[3],
        letGoMs[4]);
    EXPECT_EQ(handler.notices, 5);
    tap.destroy();
}

// Context switches of each thread of this process but the calling one: "<tid> <name>" -> count.
std::map<std::string, long> otherThreadsSwitches()
{
    std::map<std::string, long> switches;
    const auto self = std::to_string(::gettid());
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        const auto tid = task.path().filename().string();
        if (tid == self) {
            continue;
        }
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        std::ifstream status(task.path() / "status");
        long total = 0;
        for (std::string line; std::getline(status, line);) {
            if (line.find("ctxt_switches:") != std::string::npos) {
                total += std::stol(line.substr(line.find(':') + 1));
            }
        }
        switches[tid + " " + name] = total;
    }
    return switches;
}

// The owner's requests must not wait for the user to touch the mouse: a wake-up of the tap carries
// them out on the input thread while no input comes.
TEST_F(EvdevEventTapVm, AWakeUpCarriesOutTheOwnersRequestsWithoutInput)
{
    auto mouse = PhysicalDevice::mouse("Still Mouse");
    RealEngine real;
    std::mutex mutex;
    std::condition_variable reported;
    std::optional<std::thread::id> reportedOn;
    EngineCallbacks callbacks;
    callbacks.onCalibrationSnapshot = [&](const PointerCalibrationSnapshot&) {
        std::lock_guard lock(mutex);
        reportedOn = std::this_thread::get_id();
        reported.notify_all();
    };
    real.engine.setCallbacks(callbacks);
    ASSERT_TRUE(real.start());
    real.engine.startDPICalibration(10);
    std::unique_lock lock(mutex);
    ASSERT_TRUE(reported.wait_for(lock, 2s, [&] { return reportedOn.has_value(); }));
    EXPECT_NE(*reportedOn, std::this_thread::get_id()) << "carried out on the input thread";
    EXPECT_TRUE(real.engine.currentCalibrationSnapshot().isCalibrating);
}

TEST_F(EvdevEventTapVm, AnIdleTapWakesNoThread)
{
    auto mouse = PhysicalDevice::mouse("Idle Mouse");
    auto keyboard = PhysicalDevice::keyboard("Idle Keyboard");
    RealEngine real;
    ASSERT_TRUE(real.start());
    EventReader twin(devnodeNamed("Idle Mouse (TarnInput)").value());
    for (int i = 0; i < 20; ++i) {
        syncThrough(mouse, twin);
    }
    // The watchdog looks once more after the last input, then sleeps.
    std::this_thread::sleep_for(2 * EvdevEventTap::kStallThreshold + 100ms);
    const auto before = otherThreadsSwitches();
    std::this_thread::sleep_for(2s);
    const auto after = otherThreadsSwitches();
    ASSERT_EQ(before.size(), after.size());
    EXPECT_GE(before.size(), 2U) << "the input thread and the watchdog";
    for (const auto& [thread, count] : before) {
        EXPECT_EQ(after.at(thread), count) << thread << " woke while no input came";
    }
}

// Counts the frames that reach a reader of an event node, on a thread of its own as an
// application reads.
class FrameCounter {
public:
    FrameCounter(const std::string& devnode, bool hold)
        : m_reader(devnode)
    {
        if (hold) {
            EXPECT_TRUE(m_reader.hold());
        }
        m_thread = std::thread([this] { run(); });
    }
    ~FrameCounter()
    {
        m_stop = true;
        m_thread.join();
    }

    int frames() const { return m_frames; }

private:
    void run()
    {
        while (!m_stop) {
            m_frames += m_reader.countFrames(20ms);
        }
    }

    EventReader m_reader;
    std::atomic<bool> m_stop {false};
    std::atomic<int> m_frames {0};
    std::thread m_thread;
};

// The real tap, counting the motion it hands the engine on the way.
class CountingTap final : public EventTap, public EventTapHandler {
public:
    explicit CountingTap(EventTap& tap)
        : m_tap(tap)
    {
    }

    bool create(std::uint64_t eventMask, EventTapHandler& handler) override
    {
        m_handler = &handler;
        return m_tap.create(eventMask, *this);
    }
    void enable() override { m_tap.enable(); }
    void wake() override { m_tap.wake(); }
    void destroy() override { m_tap.destroy(); }

    TapVerdict handleTapEvent(TapEvent& event) override
    {
        if (event.type == TapEventType::mouseMoved) {
            ++moves;
        }
        return m_handler->handleTapEvent(event);
    }

    std::atomic<int> moves {0};

private:
    EventTap& m_tap;
    EventTapHandler* m_handler = nullptr;
};

TEST_F(EvdevEventTapVm, UnderAFloodTheTapLosesNoMoreThanAPlainReader)
{
    auto plainMouse = PhysicalDevice::mouse("Plain Flood Mouse");
    auto tappedMouse = PhysicalDevice::mouse("Tapped Flood Mouse");
    // Held by its reader, the plain mouse is left alone by the tap.
    FrameCounter plain(plainMouse.devnode(), true);
    PointerLocationCache location;
    RecordingLogSink log;
    EvdevEventTap evdevTap {location, log};
    CountingTap tap(evdevTap);
    UinputEventPoster poster;
    FakeClock clock;
    FakeWorkspace workspace;
    FakeWindowAccess windows;
    FakeEngineExecutor executor {clock};
    InputEventInterceptorService engine({}, {tap, poster, workspace, windows, clock, executor, log});
    ASSERT_TRUE(poster.open() && engine.start());
    const auto twinNode = devnodeNamed("Tapped Flood Mouse (TarnInput)").value();
    {
        EventReader twin(twinNode);
        syncThrough(tappedMouse, twin);
    }
    FrameCounter passedOn(twinNode, false);
    const int before = tap.moves;

    // 20,000 frames a second on each mouse, in turns, in bursts of 64: each burst fills a mouse's
    // kernel buffer (128 events), so a reader late for one loses frames. The writer stands for the
    // hardware, which sends from its interrupt and takes no time from the readers: it runs at the
    // lowest priority, so whoever reads runs as soon as it is woken.
    constexpr int kFrames = 10000;
    constexpr int kBurst = 64;
    std::thread hardware([&] {
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);
        for (int i = 0; i < kFrames; ++i) {
            plainMouse.frame({{EV_REL, REL_X, 1}});
            tappedMouse.frame({{EV_REL, REL_X, 1}});
            if (i % kBurst == kBurst - 1) {
                std::this_thread::sleep_for(kBurst * 50us);
            }
        }
    });
    hardware.join();
    // Until the counts stand still.
    int plainFrames = -1;
    int tapFrames = -1;
    int passedOnFrames = -1;
    for (int i = 0; i < 100
         && (plain.frames() != plainFrames || tap.moves - before != tapFrames || passedOn.frames() != passedOnFrames);
         ++i) {
        plainFrames = plain.frames();
        tapFrames = tap.moves - before;
        passedOnFrames = passedOn.frames();
        std::this_thread::sleep_for(50ms);
    }
    std::printf("flood of %d frames: a plain reader got %d, the tap %d, and %d came out of the twin\n", kFrames,
        plainFrames, tapFrames, passedOnFrames);
    EXPECT_GE(tapFrames, plainFrames);
    EXPECT_GE(passedOnFrames, plainFrames);
    engine.stop();
}

} // namespace
} // namespace tarn::input::vmtest
