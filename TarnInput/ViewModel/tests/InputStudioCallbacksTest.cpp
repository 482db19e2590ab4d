#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"

namespace tarn::input::testing {
namespace {

using namespace std::chrono_literals;

TapEvent keyDown(std::uint16_t keyCode, std::uint64_t flags)
{
    TapEvent event;
    event.type = TapEventType::keyDown;
    event.keyCode = keyCode;
    event.flags = flags;
    return event;
}

TapEvent button(TapEventType type, std::int64_t number, EventPoint location = {})
{
    TapEvent event;
    event.type = type;
    event.buttonNumber = number;
    event.location = location;
    return event;
}

TapEvent moveBy(double dx)
{
    TapEvent event;
    event.type = TapEventType::mouseMoved;
    event.mouseDeltaX = dx;
    return event;
}

InputSettings overlaysOn()
{
    auto settings = InputSettings {};
    settings.keyHUDEnabled = true;
    settings.clickRippleEnabled = true;
    settings.keyHUDPosition = KeyHUDPosition::topRight;
    settings.keyHUDDurationSeconds = 2.5;
    return settings;
}

// Presses and releases the back button: the engine reports "Side Button 4 (Back) → …".
void pressBack(StudioHarness& h)
{
    h.engine.tap.deliver(button(TapEventType::otherMouseDown, ButtonNumber::back));
    h.engine.tap.deliver(button(TapEventType::otherMouseUp, ButtonNumber::back));
}

TEST(InputStudioCallbacks, TokensAndRipplesReachTheOverlaysWithTheSettingsOfTheMoment)
{
    StudioHarness h;
    h.writeSettingsFile(overlaysOn());
    auto& vm = h.start();

    h.engine.tap.deliver(keyDown(40, EventFlag::command));
    h.engine.tap.deliver(button(TapEventType::rightMouseDown, ButtonNumber::right, {120, 80}));
    ASSERT_TRUE(h.overlays.pushes().empty()) << "the engine's report only posts a task";
    vm.applySettingsChange([](InputSettings& s) { s.keyHUDPosition = KeyHUDPosition::bottomLeft; });
    h.runMainThread();

    ASSERT_EQ(h.overlays.pushes().size(), 1U);
    EXPECT_EQ(h.overlays.pushes()[0].token.text, "⌘K");
    EXPECT_EQ(h.overlays.pushes()[0].position, KeyHUDPosition::bottomLeft);
    EXPECT_EQ(h.overlays.pushes()[0].durationSeconds, 2.5);
    ASSERT_EQ(h.overlays.ripples().size(), 1U);
    EXPECT_EQ(h.overlays.ripples()[0].screenPoint, (ClickRippleEvent::Point {120, 80}));
    EXPECT_TRUE(h.overlays.ripples()[0].isRightClick);
}

TEST(InputStudioCallbacks, HzHistoryKeepsTheNewest36PositiveRates)
{
    StudioHarness h;
    auto& vm = h.start();
    std::vector<std::int64_t> reported;
    QObject::connect(&vm, &InputStudioViewModel::telemetryChanged, [&] {
        if (vm.telemetry().currentHz > 0) {
            reported.push_back(vm.telemetry().currentHz);
        }
    });

    // 40 reports, one every 150 ms of moves at a rising rate.
    for (int report = 0; report < 40; ++report) {
        const auto step = std::chrono::microseconds(1000 - 10 * report);
        for (auto elapsed = 0us; elapsed < 150ms; elapsed += step) {
            h.engine.clock.advance(step);
            h.engine.tap.deliver(moveBy(1));
        }
        h.runMainThread();
    }

    ASSERT_GE(reported.size(), 40U);
    EXPECT_EQ(vm.hzHistory(), std::vector<std::int64_t>(reported.end() - 36, reported.end()));

    // A report of 0 Hz (the diagnostics reset) is shown but not charted.
    const auto history = vm.hzHistory();
    h.interceptor().resetDiagnostics();
    h.runMainThread();
    EXPECT_EQ(vm.telemetry().currentHz, 0);
    EXPECT_EQ(vm.hzHistory(), history);
}

TEST(InputStudioCallbacks, RecentEventsAreStampedNewestFirstAndKeep24)
{
    StudioHarness h;
    auto& vm = h.start();
    for (int press = 0; press < 25; ++press) {
        h.engine.clock.advance(1s);
        pressBack(h);
        h.runMainThread();
    }

    ASSERT_EQ(vm.recentEvents().size(), 24U);
    const auto start
        = std::chrono::duration_cast<std::chrono::seconds>(h.engine.clock.wallNow().time_since_epoch()).count();
    EXPECT_EQ(vm.recentEvents().front(), fmt::format("[en {}] Side Button 4 (Back) → Navigate Back (Alt+Left)", start));
    EXPECT_EQ(
        vm.recentEvents().back(), fmt::format("[en {}] Side Button 4 (Back) → Navigate Back (Alt+Left)", start - 23));

    vm.setLanguage(TarnLanguage::tr);
    pressBack(h);
    h.runMainThread();
    EXPECT_EQ(vm.recentEvents().front(), fmt::format("[tr {}] Side Button 4 (Back) → Navigate Back (Alt+Left)", start));
}

TEST(InputStudioCallbacks, CalibrationSnapshotsArePublished)
{
    StudioHarness h;
    auto& vm = h.start();

    h.interceptor().startDPICalibration(10);
    EXPECT_FALSE(vm.calibration().isCalibrating);
    h.runMainThread();

    EXPECT_TRUE(vm.calibration().isCalibrating);
    EXPECT_EQ(vm.calibration(), h.interceptor().currentCalibrationSnapshot());
}

TEST(InputStudioCallbacks, ReportsFromForeignThreadsOnlyPostTasks)
{
    StudioHarness h;
    h.writeSettingsFile(overlaysOn());
    auto& vm = h.start();
    int notices = 0;
    for (auto signal : {&InputStudioViewModel::recentEventsChanged, &InputStudioViewModel::telemetryChanged,
             &InputStudioViewModel::calibrationChanged, &InputStudioViewModel::activeFrontmostAppNameChanged}) {
        QObject::connect(&vm, signal, [&] { ++notices; });
    }

    std::thread tapThread([&] {
        for (int i = 0; i < 50; ++i) {
            h.engine.tap.deliver(keyDown(8, EventFlag::command));
            h.engine.tap.deliver(button(TapEventType::leftMouseDown, ButtonNumber::left));
            h.engine.tap.deliver(button(TapEventType::leftMouseUp, ButtonNumber::left));
            pressBack(h);
        }
    });
    std::thread desktopThread([&] { h.engine.workspace.activate("org.gnome.Nautilus", "Files"); });
    tapThread.join();
    desktopThread.join();

    EXPECT_EQ(notices, 0);
    EXPECT_TRUE(h.overlays.pushes().empty());
    EXPECT_TRUE(h.overlays.ripples().empty());
    EXPECT_GT(h.mainThread.pendingCount(), 0U);

    h.runMainThread();
    EXPECT_EQ(h.overlays.pushes().size(), 50U);
    EXPECT_EQ(h.overlays.ripples().size(), 50U);
    EXPECT_EQ(vm.recentEvents().size(), 24U);
    EXPECT_EQ(vm.activeFrontmostAppName(), "Files");
}

TEST(InputStudioCallbacks, ActivationNoticesPublishTheApplicationAndItsProfile)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.appProfiles = AppInputProfileEngine::builtInTemplates();
    h.writeSettingsFile(settings);
    auto& vm = h.start();

    h.engine.workspace.activate("com.apple.Safari", "Safari");
    h.runMainThread();
    EXPECT_EQ(vm.activeFrontmostBundleID(), "com.apple.Safari");
    EXPECT_EQ(vm.activeFrontmostAppName(), "Safari");
    EXPECT_EQ(vm.activeProfileName(), "Safari");
    EXPECT_EQ(h.interceptor().currentResolution(), vm.activeResolution());

    h.engine.workspace.activate("org.example.Unnamed", "");
    h.runMainThread();
    EXPECT_EQ(vm.activeFrontmostAppName(), "Desktop") << "an empty name counts as none";

    h.engine.workspace.activate(std::nullopt, std::nullopt);
    h.runMainThread();
    EXPECT_FALSE(vm.activeFrontmostBundleID());
    EXPECT_EQ(vm.activeFrontmostAppName(), "Desktop");
    EXPECT_FALSE(vm.activeProfileName());
}

// The engine alone follows the frontmost application, on the desktop's thread, while the
// interface changes the settings: however the two interleave, once both are done the interface
// shows what the engine uses, and that is the profile of the application in front last.
TEST(InputStudioCallbacks, QuickSwitchesDuringSettingsChangesNeverLeaveAStaleProfile)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.appProfiles = AppInputProfileEngine::builtInTemplates();
    h.writeSettingsFile(settings);
    auto& vm = h.start();
    std::vector<std::optional<std::string>> applications {std::nullopt};
    for (const auto& profile : settings.appProfiles) {
        applications.emplace_back(profile.bundleIdentifier);
    }

    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::thread desktop([&h, &applications, seed] {
            std::mt19937 random(seed);
            for (int switches = 0; switches < 40; ++switches) {
                const auto& application = applications[random() % applications.size()];
                h.engine.workspace.activate(
                    application, application ? std::optional<std::string>("App") : std::nullopt);
            }
        });
        for (int change = 0; change < 10; ++change) {
            vm.applySettingsChange(
                [change](InputSettings& edited) { edited.scrollSpeedMultiplier = 1.0 + change / 10.0; });
            h.runMainThread();
        }
        desktop.join();
        h.runMainThread();

        const auto front = h.engine.workspace.frontmostApplication();
        EXPECT_EQ(vm.activeFrontmostBundleID(), front.bundleID) << "seed " << seed;
        EXPECT_EQ(vm.activeResolution(), h.interceptor().currentResolution()) << "seed " << seed;
        EXPECT_EQ(vm.activeResolution(), AppInputProfileEngine::resolve(front.bundleID, front.name, vm.settings()))
            << "seed " << seed;
    }
}

TEST(InputStudioCallbacks, TheGlobalHotkeyTogglesTheKeyHUD)
{
    StudioHarness h;
    auto& vm = h.start();
    const TarnHotkeyDescriptor chord {4, 2304};

    ASSERT_TRUE(h.hotkeys.press(chord));
    h.runMainThread();
    EXPECT_TRUE(vm.settings().keyHUDEnabled);
    EXPECT_EQ(vm.toastMessage(), "Presentation KeyHUD enabled.");

    ASSERT_TRUE(h.hotkeys.press(chord));
    h.runMainThread();
    EXPECT_FALSE(vm.settings().keyHUDEnabled);
    EXPECT_EQ(vm.toastMessage(), "Presentation KeyHUD hidden.");
    EXPECT_FALSE(vm.toastIsError());
}

TEST(InputStudioTeardown, QuitStopsEverythingAndLateReportsFindNothing)
{
    StudioHarness h;
    auto settings = overlaysOn();
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = "Slow";
    macro.isEnabled = true;
    macro.steps = {MacroStep::delay(5000), MacroStep::keystroke(8, {"command"}, "⌘C")};
    settings.macros = {macro};
    h.writeSettingsFile(settings);
    auto& vm = h.start();
    vm.showToast("bye", false);
    ASSERT_TRUE(h.interceptor().playMacro(macro, "ui-test"));
    h.engine.tap.deliver(keyDown(40, EventFlag::command));
    h.engine.workspace.activate("com.apple.Safari", "Safari");
    ASSERT_GT(h.mainThread.pendingCount(), 0U);
    h.journal.clear();

    h.quit();

    EXPECT_FALSE(h.engine.tap.exists());
    EXPECT_TRUE(h.hotkeys.registrations().empty());
    EXPECT_EQ(h.engine.workspace.subscriberCount(), 0);
    EXPECT_EQ(h.engine.executor.pendingCount(), 0U) << "watcher, toast, smoothing and macro timers all gone";
    h.runMainThread();
    h.advance(10s);
    EXPECT_TRUE(h.overlays.pushes().empty());
    EXPECT_TRUE(h.engine.poster.posted().empty()) << "the cancelled macro posts nothing";
    EXPECT_EQ(h.journal.entries(),
        (std::vector<std::string> {"hotkey.unregister", "log info macro Cancelled macro 'Slow' (source: ui-test)",
            "tap.destroy", "log info tap Stopped listening to the input devices"}));
}

} // namespace
} // namespace tarn::input::testing
