#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakeEnginePorts.h"
#include "TarnInputCore/tests/Engine/EngineHarness.h"

namespace tarn::input {
namespace {

using testing::EngineHarness;

constexpr WindowRef kWindow {7};

InputSettings guardSettings(double thresholdMs)
{
    InputSettings settings;
    settings.doubleClickGuardEnabled = true;
    settings.doubleClickGuardThresholdMs = thresholdMs;
    return settings;
}

TEST(InputEventInterceptorServiceClicksTest, GuardSwallowsABounceAndItsRelease)
{
    EngineHarness h(guardSettings(45));
    EXPECT_EQ(h.run("+left -left 30ms +left -left 30ms +left -left"), "+left -left +left -left");
    EXPECT_TRUE(h.nothingHeld());
    const auto lines = h.log.lines();
    const RecordedLogLine expected {TarnLogLevel::warn, "debounce",
        "Blocked phantom double-click bounce on Left Click (Btn 1) (threshold: 45ms, total: 1)"};
    EXPECT_EQ(std::count(lines.begin(), lines.end(), expected), 1);
    EXPECT_EQ(h.telemetryLines, std::vector<std::string> {"Blocked phantom double-click bounce on Left Click (Btn 1)"});
    ASSERT_FALSE(h.telemetry.empty());
    EXPECT_EQ(h.telemetry.back().blockedDoubleClicks, 1);
    EXPECT_EQ(h.telemetry.back().lastClickIntervalMs, 60.0);
    EXPECT_EQ(h.telemetry.back().lastButtonLabel, "Left Click (Btn 1)");
    EXPECT_EQ(h.calibration.back().sessionClicks, 2);
    EXPECT_EQ(h.calibration.back().blockedGhostDoubleClicks, 1);
}

TEST(InputEventInterceptorServiceClicksTest, LogLinePrintsTheThresholdAsSetWhileTheGuardClampsIt)
{
    struct Case {
        double thresholdMs;
        const char* script;
        const char* line;
    };
    const Case cases[] = {
        {5, "+left -left 14ms +left -left",
            "Blocked phantom double-click bounce on Left Click (Btn 1) (threshold: 5ms, total: 1)"},
        {500, "+right -right 109ms +right -right",
            "Blocked phantom double-click bounce on Right Click (Btn 2) (threshold: 500ms, total: 1)"},
        {44.6, "+left -left 40ms +left -left",
            "Blocked phantom double-click bounce on Left Click (Btn 1) (threshold: 45ms, total: 1)"},
    };
    for (const auto& c : cases) {
        EngineHarness h(guardSettings(c.thresholdMs));
        const auto output = h.run(c.script);
        EXPECT_EQ(output.find('+', 1), std::string::npos) << output; // only the first press passed
        EXPECT_EQ(h.log.count(c.line), 1u) << c.thresholdMs;
    }
    EngineHarness late(guardSettings(500));
    EXPECT_EQ(late.run("+left -left 110ms +left -left"), "+left -left +left -left");
}

TEST(InputEventInterceptorServiceClicksTest, ButtonsHaveSeparateReferencesAndOffSwitchesSkipTheGuard)
{
    EngineHarness h(guardSettings(45));
    EXPECT_EQ(h.run("+left -left 10ms +right -right"), "+left -left +right -right");
    auto engineOff = guardSettings(45);
    engineOff.engineEnabled = false;
    EngineHarness off(engineOff);
    EXPECT_EQ(off.run("+left -left 10ms +left -left"), "+left -left +left -left");
    EngineHarness guardOff;
    EXPECT_EQ(guardOff.run("+left -left 10ms +left -left"), "+left -left +left -left");
}

TEST(InputEventInterceptorServiceClicksTest, ControlOptionLeftDragMovesTheWindow)
{
    EngineHarness h;
    h.windows.addWindow(kWindow, {{100, 100}, {300, 200}});
    EXPECT_EQ(h.run("@200,150 mods:ctrl+opt +left @250,180 @260,190 -left mods: @270,190"), "@200,150 @270,190");
    EXPECT_EQ(h.windows.currentFrame(kWindow), (WindowFrame {{160, 140}, {300, 200}}));
    EXPECT_TRUE(h.nothingHeld());
    EXPECT_TRUE(h.calibration.empty() || h.calibration.back().sessionClicks == 0);
}

TEST(InputEventInterceptorServiceClicksTest, ControlOptionRightDragResizesDownToTheMinimum)
{
    EngineHarness h;
    h.windows.addWindow(kWindow, {{100, 100}, {300, 200}});
    EXPECT_EQ(h.run("@390,290 +right{ctrl+opt} @340,260 -right"), "@390,290");
    EXPECT_EQ(h.windows.currentFrame(kWindow), (WindowFrame {{100, 100}, {250, 170}}));
    // 150 left and 100 up from 250 × 170 would be 100 × 70.
    EXPECT_EQ(h.run("@340,260 +right{ctrl+opt} @190,160 -right"), "@340,260");
    EXPECT_EQ(h.windows.currentFrame(kWindow), (WindowFrame {{100, 100}, {220, 140}}));
}

TEST(InputEventInterceptorServiceClicksTest, ControlOptionClickWithoutAWindowIsAnOrdinaryClick)
{
    EngineHarness h;
    h.windows.addWindow(WindowRef {9}, {{0, 0}, {100, 100}}, /*readable=*/false);
    // The window is looked up off the tap thread, so the press is held back until the lookup has
    // failed; it then reaches applications (marked) ahead of the next event of the drag.
    EXPECT_EQ(h.run("@900,900 +left{ctrl+opt} -left{ctrl+opt}"), "@900,900 !+left{ctrl+opt} -left{ctrl+opt}");
    EXPECT_EQ(
        h.run("@50,50 +left{ctrl+opt} @60,60 -left{ctrl+opt}"), "@50,50 !+left{ctrl+opt} drag@60,60 -left{ctrl+opt}");
    EXPECT_TRUE(h.nothingHeld());
    EXPECT_EQ(h.calibration.back().sessionClicks, 2);
    EXPECT_EQ(h.windows.changeCount(), 0);
}

TEST(InputEventInterceptorServiceClicksTest, WindowsAreTouchedOnlyByTheExecutorWithTheNewestPosition)
{
    FakeEnginePorts p;
    p.windows.addWindow(kWindow, {{100, 100}, {300, 200}});
    InputEventInterceptorService service(InputSettings {}, p.ports());
    ASSERT_TRUE(service.start());
    const auto deliver = [&](TapEventType type, EventPoint at) {
        TapEvent event;
        event.type = type;
        event.location = at;
        event.flags = EventFlag::control | EventFlag::option;
        return p.tap.deliver(event);
    };
    // The tap thread decides at once and asks the display server nothing.
    EXPECT_FALSE(deliver(TapEventType::leftMouseDown, {200, 150}));
    EXPECT_FALSE(deliver(TapEventType::leftMouseDragged, {210, 150}));
    EXPECT_FALSE(deliver(TapEventType::leftMouseDragged, {220, 160}));
    EXPECT_FALSE(deliver(TapEventType::leftMouseDragged, {230, 170}));
    EXPECT_EQ(p.windows.lookupCount(), 0);
    EXPECT_EQ(p.windows.changeCount(), 0);
    // The executor looks up once and applies only the newest of the three positions.
    p.executor.advance(std::chrono::nanoseconds {0});
    EXPECT_EQ(p.windows.lookupCount(), 1);
    EXPECT_EQ(p.windows.changeCount(), 1);
    EXPECT_EQ(p.windows.currentFrame(kWindow)->origin, (EventPoint {130, 120}));
    // A position reported just before the release is still applied after it.
    EXPECT_FALSE(deliver(TapEventType::leftMouseDragged, {240, 170}));
    EXPECT_FALSE(deliver(TapEventType::leftMouseUp, {240, 170}));
    p.executor.advance(std::chrono::nanoseconds {0});
    EXPECT_EQ(p.windows.currentFrame(kWindow)->origin, (EventPoint {140, 120}));
    EXPECT_TRUE(deliver(TapEventType::leftMouseDragged, {300, 300}).has_value());
    EXPECT_EQ(p.executor.armedCount(), 0u);
}

TEST(InputEventInterceptorServiceClicksTest, ClickReleasedBeforeTheLookupEndsIsGivenBackWhole)
{
    FakeEnginePorts p;
    InputEventInterceptorService service(InputSettings {}, p.ports());
    ASSERT_TRUE(service.start());
    TapEvent press;
    press.type = TapEventType::rightMouseDown;
    press.location = {900, 900};
    press.flags = EventFlag::control | EventFlag::option;
    TapEvent release = press;
    release.type = TapEventType::rightMouseUp;
    EXPECT_FALSE(p.tap.deliver(press));
    EXPECT_FALSE(p.tap.deliver(release));
    p.executor.advance(std::chrono::nanoseconds {0});
    const auto posted = p.poster.take();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].type, TapEventType::rightMouseDown);
    EXPECT_EQ(posted[1].type, TapEventType::rightMouseUp);
    EXPECT_TRUE(posted[0].isSynthetic() && posted[1].isSynthetic());
    EXPECT_EQ(posted[0].location, (EventPoint {900, 900}));
}

// The executor answers late ("0ms" lets it run). Around (950, 800) there is no window.
TEST(InputEventInterceptorServiceClicksTest, ClickWithoutAWindowIsGivenBackOnlyIfNoNewerPressReachedApplications)
{
    struct Case {
        const char* script;
        const char* expected;
    };
    const Case cases[] = {
        // Released before the lookup ended: given back whole when the executor gets to it.
        {"@950,800 +left{ctrl+opt} -left{ctrl+opt} 0ms", "@950,800 !+left{ctrl+opt} !-left{ctrl+opt}"},
        // Pressed again meanwhile, and that press reached applications: the old click is stale.
        {"@950,800 +left{ctrl+opt} -left{ctrl+opt} +left 0ms -left", "@950,800 +left -left"},
        {"@950,800 +right{ctrl+opt} -right{ctrl+opt} +right -right 0ms", "@950,800 +right -right"},
        // The other button's press changes nothing.
        {"@950,800 +left{ctrl+opt} -left{ctrl+opt} +right 0ms -right",
            "@950,800 +right !+left{ctrl+opt} !-left{ctrl+opt} -right"},
        // Still down when the lookup ends: the press is given back ahead of the next event.
        {"@950,800 +left{ctrl+opt} 0ms @960,800 -left", "@950,800 !+left{ctrl+opt} drag@960,800 -left"},
        // A fifth press while four wait for their window is an ordinary click; being newer, it
        // makes the four stale.
        {"@950,800 +left{ctrl+opt} -left{ctrl+opt} +left{ctrl+opt} -left{ctrl+opt} +left{ctrl+opt} "
         "-left{ctrl+opt} +left{ctrl+opt} -left{ctrl+opt} +left{ctrl+opt} -left{ctrl+opt} 0ms",
            "@950,800 +left{ctrl+opt} -left{ctrl+opt}"},
    };
    for (const auto& c : cases) {
        EngineHarness h;
        h.windows.addWindow(kWindow, {{100, 100}, {300, 200}});
        h.setExecutorLate(true);
        EXPECT_EQ(h.run(c.script), c.expected) << c.script;
        EXPECT_TRUE(h.nothingHeld()) << c.script;
    }
}

TEST(InputEventInterceptorServiceClicksTest, ASecondControlOptionPressKeepsTheFirstClick)
{
    EngineHarness h;
    h.windows.addWindow(kWindow, {{100, 100}, {300, 200}});
    h.setExecutorLate(true);
    // Both looked up, in order; neither found a window, so both clicks come back, in order.
    EXPECT_EQ(h.run("@950,800 +left{ctrl+opt} -left{ctrl+opt} @960,800 +left{ctrl+opt} -left{ctrl+opt} 0ms"),
        "@950,800 @960,800 !+left{ctrl+opt} !-left{ctrl+opt} !+left{ctrl+opt} !-left{ctrl+opt}");
    // The second press is on a window: the first click comes back and the second drags the window.
    EXPECT_EQ(h.run("@950,800 +left{ctrl+opt} -left{ctrl+opt} @200,150 +left{ctrl+opt} @250,180 -left{ctrl+opt} 0ms"),
        "@950,800 @200,150 !+left{ctrl+opt} !-left{ctrl+opt}");
    EXPECT_EQ(h.windows.currentFrame(kWindow), (WindowFrame {{150, 130}, {300, 200}}));
    // Right held on no window while left begins a drag on the window: right's press comes back
    // when its lookup ends, and its release then passes; left's drag moves the window.
    EXPECT_EQ(h.run("@950,800 +right{ctrl+opt} @200,150 +left{ctrl+opt} 0ms @220,150 -left -right 0ms"),
        "@950,800 !+right{ctrl+opt} -right");
    EXPECT_EQ(h.windows.currentFrame(kWindow), (WindowFrame {{170, 130}, {300, 200}}));
    EXPECT_TRUE(h.nothingHeld());
}

TEST(InputEventInterceptorServiceClicksTest, DragOutlivesTheEngineSwitchAndEndsOnEitherRelease)
{
    EngineHarness h;
    h.windows.addWindow(kWindow, {{100, 100}, {300, 200}});
    EXPECT_EQ(h.run("@200,150 +left{ctrl+opt}"), "@200,150");
    h.changeSettings([](InputSettings& s) { s.engineEnabled = false; });
    EXPECT_EQ(h.run("@210,150"), "");
    EXPECT_EQ(h.windows.currentFrame(kWindow)->origin, (EventPoint {110, 100}));
    // The right press passes; its release ends the drag but passes as well, or right would stay
    // held for every application.
    EXPECT_EQ(h.run("+right -right @220,150 -left"), "+right -right drag@220,150");
    EXPECT_EQ(h.windows.currentFrame(kWindow)->origin, (EventPoint {110, 100}));
    EXPECT_TRUE(h.nothingHeld());
}

TEST(InputEventInterceptorServiceClicksTest, RippleOnlyForAPassedClick)
{
    InputSettings settings = guardSettings(45);
    settings.clickRippleEnabled = true;
    EngineHarness h(settings);
    h.windows.addWindow(kWindow, {{100, 100}, {300, 200}});
    (void)h.run("@200,150 +left -left 10ms +left -left 100ms +right{ctrl+opt} -right 100ms @700,500 +right -right");
    ASSERT_EQ(h.ripples.size(), 2u);
    EXPECT_EQ(h.ripples[0].screenPoint, (ClickRippleEvent::Point {200, 150}));
    EXPECT_FALSE(h.ripples[0].isRightClick);
    EXPECT_EQ(h.ripples[1].screenPoint, (ClickRippleEvent::Point {700, 500}));
    EXPECT_TRUE(h.ripples[1].isRightClick);
}

TEST(InputEventInterceptorServiceClicksTest, EngineOffClickIsStillCountedReportedAndRippled)
{
    InputSettings settings;
    settings.engineEnabled = false;
    settings.clickRippleEnabled = true;
    EngineHarness h(settings);
    h.windows.addWindow(kWindow, {{100, 100}, {300, 200}});
    EXPECT_EQ(h.run("@200,150 +right{ctrl+opt} -right"), "@200,150 +right{ctrl+opt} -right");
    EXPECT_EQ(h.ripples.size(), 1u);
    EXPECT_EQ(h.telemetry.back().lastButtonLabel, "Right Click (Btn 2)");
    EXPECT_EQ(h.calibration.back().sessionClicks, 1);
    EXPECT_EQ(h.windows.changeCount(), 0);
}

} // namespace
} // namespace tarn::input
