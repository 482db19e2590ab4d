#include "TarnInputCore/Engine/InputEventInterceptorService.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <limits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "TarnInputCore/tests/Engine/EngineHarness.h"

namespace tarn::input {
namespace {

using testing::EngineHarness;

constexpr std::string_view kStarted = "Listening to the input devices on the input thread";
constexpr std::string_view kStopped = "Stopped listening to the input devices";
constexpr std::string_view kFailed
    = "Failed to open the input devices (read access to /dev/input and write access to /dev/uinput required)";

using Ports = FakeEnginePorts;

TEST(InputEventInterceptorServiceTest, StartAndStopLogOnceAndManageTapAndTimer)
{
    Ports p;
    InputEventInterceptorService service(InputSettings {}, p.ports());
    EXPECT_FALSE(service.isRunning());
    EXPECT_FALSE(p.tap.exists());

    ASSERT_TRUE(service.start());
    EXPECT_TRUE(service.isRunning());
    EXPECT_TRUE(p.tap.isEnabled());
    EXPECT_EQ(p.tap.eventMask(), 0xE4004FEu);
    // The smoothing frame timer, the window-drag worker and the macro player, all asleep until
    // they are needed.
    EXPECT_EQ(p.executor.pendingCount(), 3u);
    EXPECT_EQ(p.executor.armedCount(), 0u);
    EXPECT_TRUE(service.start()); // already running: nothing new
    EXPECT_EQ(p.tap.createCount(), 1);
    EXPECT_EQ(p.log.count(kStarted), 1u);

    service.stop();
    service.stop();
    EXPECT_FALSE(service.isRunning());
    EXPECT_FALSE(p.tap.exists());
    // The macro player's task lives as long as the service: the studio may play a macro while no
    // tap runs.
    EXPECT_EQ(p.executor.pendingCount(), 1u);
    EXPECT_EQ(p.log.count(kStopped), 1u);
    ASSERT_EQ(p.log.lines().size(), 2u);
    EXPECT_EQ(p.log.lines()[0], (RecordedLogLine {TarnLogLevel::info, "tap", std::string(kStarted)}));
    EXPECT_EQ(p.log.lines()[1], (RecordedLogLine {TarnLogLevel::info, "tap", std::string(kStopped)}));
}

TEST(InputEventInterceptorServiceTest, FailedStartLogsAnErrorAndLaterStopLogsNothing)
{
    Ports p;
    p.tap.setCreationFails(true);
    InputEventInterceptorService service(InputSettings {}, p.ports());
    EXPECT_FALSE(service.start());
    EXPECT_FALSE(service.isRunning());
    service.stop();
    ASSERT_EQ(p.log.lines().size(), 1u);
    EXPECT_EQ(p.log.lines()[0], (RecordedLogLine {TarnLogLevel::error, "tap", std::string(kFailed)}));
    EXPECT_EQ(p.executor.pendingCount(), 1u);

    // The owner retries later, once permission exists.
    p.tap.setCreationFails(false);
    EXPECT_TRUE(service.start());
}

TEST(InputEventInterceptorServiceTest, ReenablesTheTapAfterTheSystemDisabledIt)
{
    EngineHarness h;
    h.log.clear();
    h.tap.disableBySystem(TapEventType::tapDisabledByTimeout);
    EXPECT_TRUE(h.tap.isEnabled());
    h.tap.disableBySystem(TapEventType::tapDisabledByUserInput);
    EXPECT_TRUE(h.tap.isEnabled());
    ASSERT_EQ(h.log.lines().size(), 2u);
    EXPECT_EQ(h.log.lines()[0],
        (RecordedLogLine {TarnLogLevel::warn, "tap", "Mice grabbed again after the input thread stalled"}));
    EXPECT_EQ(h.log.lines()[1],
        (RecordedLogLine {TarnLogLevel::warn, "tap", "Mice grabbed again after the tap was switched off"}));
}

TEST(InputEventInterceptorServiceTest, DisabledNoticeWithoutATapLogsNothing)
{
    Ports p;
    InputEventInterceptorService service(InputSettings {}, p.ports());
    ASSERT_TRUE(service.start());
    service.stop();
    p.log.clear();
    p.tap.disableBySystem(TapEventType::tapDisabledByTimeout);
    EXPECT_TRUE(p.log.lines().empty());
    EXPECT_FALSE(p.tap.isEnabled());
}

TEST(InputEventInterceptorServiceTest, OwnEventsPassUntouchedAndUncounted)
{
    EngineHarness h;
    h.changeSettings([](InputSettings& s) {
        s.doubleClickGuardEnabled = true;
        s.clickRippleEnabled = true;
    });
    const auto snapshotsBefore = h.telemetry.size();
    TapEvent marked;
    marked.sourceUserData = kSyntheticMagicTag;
    for (const auto type : {TapEventType::leftMouseDown, TapEventType::otherMouseDown, TapEventType::otherMouseUp,
             TapEventType::scrollWheel, TapEventType::keyDown}) {
        marked.type = type;
        marked.buttonNumber = 3;
        marked.scrollDeltaAxis1 = 1;
        const auto result = h.tap.deliver(marked);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, marked);
    }
    EXPECT_EQ(h.telemetry.size(), snapshotsBefore);
    EXPECT_TRUE(h.ripples.empty());
    EXPECT_TRUE(h.telemetryLines.empty());
    EXPECT_TRUE(h.poster.posted().empty());
}

TEST(InputEventInterceptorServiceTest, KeyDownIsNeverSwallowed)
{
    for (const bool engine : {true, false}) {
        for (const bool hud : {true, false}) {
            InputSettings settings;
            settings.engineEnabled = engine;
            settings.keyHUDEnabled = hud;
            EngineHarness h(settings);
            EXPECT_EQ(
                h.run("key:0 key:33{cmd} key:126{ctrl+opt+shift+cmd}"), "key:0 key:33{cmd} key:126{ctrl+opt+shift+cmd}")
                << "engine " << engine << " hud " << hud;
        }
    }
}

TEST(InputEventInterceptorServiceTest, ProfileLineOnlyWhenTheApplicationOrProfileChanges)
{
    InputSettings settings;
    AppInputProfile safari;
    safari.id = Uuid::random();
    safari.bundleIdentifier = "com.apple.Safari";
    safari.appName = "Safari Profile";
    safari.scrollSpeedMultiplierOverride = 2.5;
    safari.reverseMouseWheelOverride = false;
    settings.appProfiles.push_back(safari);
    EngineHarness h(settings);
    h.log.clear();

    const auto resolution = h.service->updateActiveApplication({ApplicationId("com.apple.Safari"), "Safari"});
    EXPECT_EQ(resolution.matchedProfileID, safari.id);
    (void)h.service->updateActiveApplication({ApplicationId("com.apple.Safari"), "Safari"});
    (void)h.service->updateActiveApplication({ApplicationId("com.apple.Terminal"), std::nullopt});
    (void)h.service->updateActiveApplication({});
    (void)h.service->updateActiveApplication({});

    const auto lines = h.log.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
        (RecordedLogLine {TarnLogLevel::info, "profile",
            "Profile resolved for Safari (com.apple.Safari) -> Safari Profile [reverse=false, "
            "smooth=true, speed=2.50x]"}));
    EXPECT_EQ(lines[1].message,
        "Profile resolved for com.apple.Terminal (com.apple.Terminal) -> Global Default "
        "[reverse=true, smooth=true, speed=1.35x]");
    EXPECT_EQ(lines[2].message,
        "Profile resolved for Desktop (none) -> Global Default [reverse=true, smooth=true, speed=1.35x]");
    EXPECT_EQ(h.service->currentResolution().frontmostBundleID, std::nullopt);
}

// The engine alone follows the desktop, so its own switch is what the log shows.
TEST(InputEventInterceptorServiceTest, LiveResolutionFollowsTheWorkspaceAndLogsTheSwitchOnce)
{
    InputSettings settings;
    AppButtonRule rule;
    rule.id = Uuid::random();
    rule.bundleIdentifier = "org.gnome.Nautilus";
    rule.button = MouseButtonKind::sideBack;
    rule.action = MouseButtonAction::copy;
    rule.isEnabled = true;
    settings.appOverrides.push_back(rule);
    EngineHarness h(settings);
    h.log.clear();
    EXPECT_EQ(h.run("+back -back"), "!key:33{cmd} !keyup:33{cmd}");
    EXPECT_EQ(h.run("app:org.gnome.Nautilus/Files +back -back"), "!key:8{cmd} !keyup:8{cmd}");
    EXPECT_EQ(h.service->currentResolution().frontmostAppName, "Files");
    const auto lines = h.log.lines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].message,
        "Profile resolved for Files (org.gnome.Nautilus) -> Global Default [reverse=true, smooth=true, speed=1.35x]");
}

// Asks the owner to change the settings while the engine looks up the frontmost application, as
// a settings change can land between an application switch being noticed and its resolution.
class InterruptingWorkspace final : public Workspace {
public:
    FrontmostApplication frontmostApplication() const override
    {
        if (auto interrupt = std::exchange(m_interrupt, nullptr)) {
            interrupt();
        }
        return m_inner.frontmostApplication();
    }
    std::vector<RunningApplication> runningApplications() const override { return {}; }
    Subscription subscribeActivation(ActivationHandler handler) override
    {
        return m_inner.subscribeActivation(std::move(handler));
    }

    FakeWorkspace m_inner;
    mutable std::function<void()> m_interrupt;
};

TEST(InputEventInterceptorServiceTest, ASettingsChangeDuringAnApplicationSwitchIsNeverLost)
{
    InputSettings settings;
    settings.smoothScrollEnabled = false;
    settings.reverseMouseWheel = false;
    settings.scrollSpeedMultiplier = 1;
    FakeEnginePorts p;
    InterruptingWorkspace workspace;
    workspace.m_inner.setFrontmost("org.mozilla.firefox", "Firefox");
    InputEventInterceptorService service(
        settings, EnginePorts {p.tap, p.poster, workspace, p.windows, p.clock, p.executor, p.log});
    workspace.m_interrupt = [&] {
        settings.reverseMouseWheel = true;
        service.updateSettings(settings);
    };
    ASSERT_TRUE(service.start());
    TapEvent wheel;
    wheel.type = TapEventType::scrollWheel;
    wheel.scrollDeltaAxis1 = 1;
    // The first wheel event may still have been judged with the settings of its time; every later
    // one must follow the change.
    (void)p.tap.deliver(wheel);
    for (int i = 0; i < 2; ++i) {
        wheel.scrollDeltaAxis1 = 1;
        const auto later = p.tap.deliver(wheel);
        ASSERT_TRUE(later.has_value());
        EXPECT_DOUBLE_EQ(later->scrollDeltaAxis1, -1) << "event " << i;
    }
    EXPECT_TRUE(service.currentResolution().reverseMouseWheel);
    EXPECT_EQ(service.currentResolution().frontmostBundleID, "org.mozilla.firefox");
}

TEST(InputEventInterceptorServiceTest, ConcurrentSwitchesAndSettingsEndOnTheLastOfEach)
{
    InputSettings settings;
    AppInputProfile firefox;
    firefox.id = Uuid::random();
    firefox.bundleIdentifier = "org.mozilla.firefox";
    firefox.scrollSpeedMultiplierOverride = 2;
    settings.appProfiles = {firefox};
    EngineHarness h(settings);
    std::atomic<bool> running {true};
    std::thread events([&] {
        TapEvent wheel;
        wheel.type = TapEventType::scrollWheel;
        while (running.load()) {
            wheel.scrollDeltaAxis1 = 1;
            (void)h.tap.deliver(wheel);
        }
    });
    std::thread switcher([&] {
        for (int i = 0; i < 300; ++i) {
            h.workspace.activate(i % 2 == 0 ? "org.mozilla.firefox" : "org.gnome.Terminal");
        }
        h.workspace.activate("org.mozilla.firefox", "Firefox");
    });
    for (int i = 0; i < 300; ++i) {
        h.changeSettings([&](InputSettings& s) { s.reverseMouseWheel = i % 2 == 0; });
    }
    h.changeSettings([](InputSettings& s) { s.reverseMouseWheel = false; });
    switcher.join();
    running = false;
    events.join();
    const auto resolution = h.service->currentResolution();
    EXPECT_EQ(resolution.frontmostBundleID, "org.mozilla.firefox");
    EXPECT_EQ(resolution.matchedProfileID, firefox.id);
    EXPECT_FALSE(resolution.reverseMouseWheel);
    EXPECT_EQ(resolution.scrollSpeedMultiplier, 2);
}

TEST(InputEventInterceptorServiceTest, SettingsUpdateClampsTheNominalDPIAndReportsCalibration)
{
    struct Case {
        double dpi;
        double expected;
    };
    const Case cases[] = {{50, 100}, {40000, 32000}, {std::numeric_limits<double>::infinity(), 1600}, {800, 800}};
    EngineHarness h;
    for (const auto& c : cases) {
        h.calibration.clear();
        h.changeSettings([&](InputSettings& s) { s.nominalPointerDPI = c.dpi; });
        ASSERT_EQ(h.calibration.size(), 1u);
        EXPECT_EQ(h.calibration[0].nominalDPI, c.expected) << c.dpi;
    }
    EXPECT_TRUE(h.log.count(kStopped) == 0);
}

TEST(InputEventInterceptorServiceTest, FindEnabledMacroSkipsDisabledAndUnknown)
{
    InputSettings settings;
    InputMacro disabled;
    disabled.id = Uuid::random();
    disabled.isEnabled = false;
    InputMacro enabled = disabled;
    enabled.isEnabled = true;
    enabled.name = "second";
    settings.macros = {disabled, enabled};
    EXPECT_EQ(InputEventInterceptorService::findEnabledMacro(std::nullopt, settings), nullptr);
    EXPECT_EQ(InputEventInterceptorService::findEnabledMacro(Uuid::random(), settings), nullptr);
    const auto* found = InputEventInterceptorService::findEnabledMacro(disabled.id, settings);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "second");
}

TEST(InputEventInterceptorServiceTest, DestroyingARunningServiceStopsItFirst)
{
    Ports p;
    {
        InputEventInterceptorService service(InputSettings {}, p.ports());
        ASSERT_TRUE(service.start());
    }
    EXPECT_FALSE(p.tap.exists());
    EXPECT_EQ(p.executor.pendingCount(), 0u);
    EXPECT_EQ(p.log.count(kStopped), 1u);
    // The tap no longer knows the service: events pass as if there were no engine.
    TapEvent press;
    press.type = TapEventType::otherMouseDown;
    press.buttonNumber = 3;
    EXPECT_EQ(p.tap.deliver(press), press);
    p.executor.advance(std::chrono::seconds(1));
}

TEST(InputEventInterceptorServiceTest, CallbacksRunOutsideTheLock)
{
    // A callback that calls back into the service would deadlock if a lock were held.
    Ports p;
    InputSettings settings;
    settings.clickRippleEnabled = true;
    InputEventInterceptorService service(settings, p.ports());
    int reentered = 0;
    int resolutions = 0;
    EngineCallbacks callbacks;
    // The one callback under the writers' lock: so that resolutions are reported in the order they
    // took effect, whichever threads publish them. It may use what takes no lock (`isRunning`),
    // never a writer's operation or `currentResolution`.
    callbacks.onActiveResolution = [&](const EffectiveInputResolution&) { resolutions += service.isRunning() ? 1 : 0; };
    callbacks.onTelemetryEvent = [&](const std::string&) { reentered += service.isRunning() ? 1 : 0; };
    callbacks.onPointerTelemetry = [&](const PointerTelemetrySnapshot&) { (void)service.currentResolution(); };
    callbacks.onCalibrationSnapshot = [&](const PointerCalibrationSnapshot&) { (void)service.isRunning(); };
    callbacks.onClickRipple = [&](const ClickRippleEvent&) { reentered += service.isRunning() ? 1 : 0; };
    service.setCallbacks(callbacks);
    ASSERT_TRUE(service.start());
    TapEvent event;
    event.type = TapEventType::leftMouseDown;
    (void)p.tap.deliver(event);
    event.type = TapEventType::otherMouseDown;
    event.buttonNumber = 3;
    (void)p.tap.deliver(event);
    service.updateSettings(settings);
    EXPECT_EQ(reentered, 2);
    EXPECT_EQ(resolutions, 1);
}

// The executor's posts (smoothing frames, macro steps) go to a poster of their own when the owner
// gives one, so the tap thread's posts (shortcuts, clicks given back) never wait behind them.
TEST(InputEventInterceptorServiceTest, TheExecutorPostsThroughItsOwnPosterWhenGivenOne)
{
    Ports p;
    FakeEventPoster executorPoster;
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = "Copy";
    macro.triggerButtonNumber = ButtonNumber::forward;
    macro.steps = {MacroStep::keystroke(8, {"cmd"}, "⌘C")};
    InputSettings settings;
    settings.macros = {macro};
    settings.smoothScrollEnabled = true;
    auto ports = p.ports();
    ports.executorPoster = &executorPoster;
    InputEventInterceptorService service(settings, ports);
    ASSERT_TRUE(service.start());
    for (const auto button : {ButtonNumber::back, ButtonNumber::forward}) {
        TapEvent press;
        press.type = TapEventType::otherMouseDown;
        press.buttonNumber = button;
        EXPECT_FALSE(p.tap.deliver(press));
        press.type = TapEventType::otherMouseUp;
        EXPECT_FALSE(p.tap.deliver(press));
    }
    TapEvent wheel;
    wheel.type = TapEventType::scrollWheel;
    wheel.scrollDeltaAxis1 = 1;
    EXPECT_FALSE(p.tap.deliver(wheel));
    p.executor.advance(std::chrono::seconds(1));

    const auto isKey = [](const TapEvent& event) {
        return event.type == TapEventType::keyDown || event.type == TapEventType::keyUp;
    };
    // The back button's action, from the tap thread.
    const auto tapPosts = p.poster.posted();
    ASSERT_EQ(tapPosts.size(), 2u);
    EXPECT_TRUE(isKey(tapPosts[0]) && isKey(tapPosts[1]));
    // The macro's keystroke and the wheel's frames, from the executor.
    const auto executorPosts = executorPoster.posted();
    EXPECT_EQ(std::count_if(executorPosts.begin(), executorPosts.end(), isKey), 2);
    EXPECT_GT(std::count_if(executorPosts.begin(), executorPosts.end(),
                  [](const TapEvent& event) { return event.type == TapEventType::scrollWheel; }),
        10);
}

TEST(InputEventInterceptorServiceTest, EventsOnTheTapThreadRaceSafelyWithOwnerCalls)
{
    // Run under -DTARN_TSAN=ON this proves the hand-overs between threads; here it must simply not
    // crash or hang.
    Ports p;
    auto service = std::make_unique<InputEventInterceptorService>(InputSettings {}, p.ports());
    std::atomic<int> telemetryLines {0};
    EngineCallbacks callbacks;
    callbacks.onTelemetryEvent = [&](const std::string&) { ++telemetryLines; };
    service->setCallbacks(callbacks);
    ASSERT_TRUE(service->start());
    std::atomic<bool> running {true};
    std::thread tapThread([&] {
        TapEvent event;
        int i = 0;
        while (running.load()) {
            event.type = (i % 2 == 0) ? TapEventType::otherMouseDown : TapEventType::otherMouseUp;
            event.buttonNumber = 3;
            (void)p.tap.deliver(event);
            event.type = TapEventType::mouseMoved;
            event.location = {double(i % 500), 10};
            (void)p.tap.deliver(event);
            ++i;
        }
    });
    InputSettings settings;
    for (int i = 0; i < 200; ++i) {
        settings.sideBackAction = i % 2 == 0 ? MouseButtonAction::copy : MouseButtonAction::passthrough;
        service->updateSettings(settings);
        (void)service->updateActiveApplication(
            {i % 3 == 0 ? std::optional<ApplicationId>(std::in_place, "a.b") : std::nullopt, std::nullopt});
        p.workspace.activate(i % 2 == 0 ? std::optional<std::string>("c.d") : std::nullopt);
    }
    // Destroying the service while events keep arriving: the tap stops delivering first.
    service.reset();
    running = false;
    tapThread.join();
    EXPECT_FALSE(p.tap.exists());
}

TapEvent moveBy(double dx)
{
    TapEvent move;
    move.type = TapEventType::mouseMoved;
    move.mouseDeltaX = dx;
    return move;
}

TEST(InputEventInterceptorServiceTest, RequestsReachTheRulesBeforeTheNextEvent)
{
    Ports p;
    // As on a tap thread busy with input: requests wait for the next event.
    p.tap.setWakeUpsDeferred(true);
    InputEventInterceptorService service({}, p.ports());
    std::vector<PointerCalibrationSnapshot> reports;
    EngineCallbacks callbacks;
    callbacks.onCalibrationSnapshot = [&](const PointerCalibrationSnapshot& s) { reports.push_back(s); };
    service.setCallbacks(callbacks);
    ASSERT_TRUE(service.start());

    service.startDPICalibration(10);
    EXPECT_EQ(p.tap.wakeCount(), 1);
    EXPECT_TRUE(reports.empty()) << "carried out by the tap thread, not the caller";
    EXPECT_FALSE(service.currentCalibrationSnapshot().isCalibrating);

    // The request comes first: the move is part of the run.
    (void)p.tap.deliver(moveBy(300));
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(reports.front().isCalibrating);
    EXPECT_EQ(service.currentCalibrationSnapshot().calibrationDeltaPixels, 300);

    // Stopping answers from what the tap thread published, and the run ends with that figure.
    const auto measured = service.stopDPICalibration();
    ASSERT_TRUE(measured);
    EXPECT_EQ(*measured, 76); // 300 px across 10 cm
    (void)p.tap.deliver(moveBy(40));
    const auto ended = service.currentCalibrationSnapshot();
    EXPECT_FALSE(ended.isCalibrating);
    EXPECT_EQ(ended.measuredEffectiveDPI, measured);
}

TEST(InputEventInterceptorServiceTest, AStoppedEngineCarriesOutRequestsAtOnce)
{
    EngineHarness h;
    h.service->stop();
    h.calibration.clear();
    h.service->startDPICalibration(10);
    ASSERT_EQ(h.calibration.size(), 1u);
    EXPECT_TRUE(h.calibration[0].isCalibrating);
    EXPECT_TRUE(h.service->currentCalibrationSnapshot().isCalibrating);
    h.service->resetDiagnostics();
    EXPECT_EQ(h.calibration.size(), 2u);
    ASSERT_FALSE(h.telemetry.empty());
    EXPECT_EQ(h.telemetry.back().lastButtonLabel, "—");
}

TEST(InputEventInterceptorServiceTest, AFullRequestRingDropsWithALogLineAndKeepsTheRest)
{
    Ports p;
    p.tap.setWakeUpsDeferred(true);
    InputEventInterceptorService service({}, p.ports());
    int reports = 0;
    EngineCallbacks callbacks;
    callbacks.onCalibrationSnapshot = [&](const PointerCalibrationSnapshot&) { ++reports; };
    service.setCallbacks(callbacks);
    ASSERT_TRUE(service.start());
    constexpr int kAsked = 70;
    for (int i = 0; i < kAsked; ++i) {
        service.resetCalibrationSession();
    }
    (void)p.tap.deliver(moveBy(0));
    // 64 waited in the ring; the rest were dropped, each with a line.
    EXPECT_EQ(reports, 64);
    EXPECT_EQ(p.log.count("Engine request dropped: the input thread is not keeping up"), std::size_t {kAsked - 64});
}

// The order in which the owner of the callbacks hears of reports.
struct ReportOrder {
    EngineCallbacks callbacks()
    {
        EngineCallbacks callbacks;
        callbacks.onClickRipple = [this](const ClickRippleEvent&) { seen.emplace_back("ripple"); };
        callbacks.onPointerTelemetry = [this](const PointerTelemetrySnapshot&) { seen.emplace_back("telemetry"); };
        callbacks.onCalibrationSnapshot
            = [this](const PointerCalibrationSnapshot&) { seen.emplace_back("calibration"); };
        callbacks.onReportsReady = [this] { seen.emplace_back("ready"); };
        return callbacks;
    }

    std::vector<std::string> seen;
};

// A tap whose wake-ups the test plays step by step: an event, then, apart, the notice that the
// frames are out.
class SteppedTap final : public EventTap {
public:
    bool create(std::uint64_t, EventTapHandler& handler) override
    {
        m_handler = &handler;
        return true;
    }
    void enable() override { }
    void wake() override { }
    void destroy() override { m_handler = nullptr; }

    void deliver(TapEventType type)
    {
        TapEvent event;
        event.type = type;
        (void)m_handler->handleTapEvent(event);
    }

private:
    EventTapHandler* m_handler = nullptr;
};

struct SteppedEngine : Ports {
    explicit SteppedEngine(const InputSettings& settings)
        : service(settings, EnginePorts {stepped, poster, workspace, windows, clock, executor, log})
    {
        service.setCallbacks(order.callbacks());
        EXPECT_TRUE(service.start());
    }

    SteppedTap stepped;
    ReportOrder order;
    InputEventInterceptorService service;
};

TEST(InputEventInterceptorServiceTest, ReportsOfAnEventAreReadyOnlyOnceTheFramesAreOut)
{
    InputSettings settings;
    settings.clickRippleEnabled = true;
    SteppedEngine engine(settings);
    auto& seen = engine.order.seen;
    // Within the wake-up only what the click itself needs; the figures wait for the frames.
    engine.stepped.deliver(TapEventType::leftMouseDown);
    EXPECT_EQ(seen, (std::vector<std::string> {"ripple"}));
    engine.stepped.deliver(TapEventType::tapFramesOut);
    EXPECT_EQ(seen, (std::vector<std::string> {"ripple", "telemetry", "calibration", "ready"}));
    // A wake-up with nothing to report wakes nobody.
    engine.stepped.deliver(TapEventType::tapFramesOut);
    EXPECT_EQ(seen.size(), 4u);

    // Outside the tap thread's handler calls every report is ready at once.
    engine.service.stop();
    seen.clear();
    engine.service.resetDiagnostics();
    EXPECT_EQ(seen, (std::vector<std::string> {"telemetry", "ready", "calibration", "ready"}));
}

TEST(InputEventInterceptorServiceTest, AStopSendsWhatTheLastWakeUpLeftToReport)
{
    SteppedEngine engine(InputSettings {});
    engine.stepped.deliver(TapEventType::rightMouseDown);
    EXPECT_TRUE(engine.order.seen.empty());
    engine.service.stop();
    EXPECT_EQ(engine.order.seen, (std::vector<std::string> {"telemetry", "calibration", "ready"}));
}

} // namespace
} // namespace tarn::input
