#include <gtest/gtest.h>

#include "TarnInputCore/Model/Keys/ActionShortcut.h"
#include "TarnInputCore/tests/Engine/EngineHarness.h"

namespace tarn::input {
namespace {

using testing::EngineHarness;

InputMacro keystrokeMacro(std::string name, std::int64_t trigger, bool enabled = true)
{
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = std::move(name);
    macro.triggerButtonNumber = trigger;
    macro.isEnabled = enabled;
    macro.steps
        = {MacroStep::keystroke(8, {"cmd"}, "⌘C"), MacroStep::delay(50), MacroStep::keystroke(9, {"cmd"}, "⌘V")};
    return macro;
}

TEST(InputEventInterceptorServiceButtonsTest, DefaultBackButtonPostsCommandBracketAndSwallowsBoth)
{
    EngineHarness h;
    EXPECT_EQ(h.run("+back 40ms -back"), "!key:33{cmd} !keyup:33{cmd}");
    EXPECT_TRUE(h.nothingHeld());
    EXPECT_EQ(h.telemetryLines, std::vector<std::string> {"Side Button 4 (Back) → Navigate Back (Alt+Left)"});
    EXPECT_EQ(h.run("+forward -forward"), "!key:30{cmd} !keyup:30{cmd}");
    EXPECT_EQ(h.telemetryLines.back(), "Side Button 5 (Forward) → Navigate Forward (Alt+Right)");
    ASSERT_FALSE(h.telemetry.empty());
    EXPECT_EQ(h.telemetry.back().lastButtonLabel, "Mouse Button 5");
}

TEST(InputEventInterceptorServiceButtonsTest, FurtherSideButtonsAreNeverRemapped)
{
    EngineHarness h;
    EXPECT_EQ(h.run("+btn5 -btn5 +btn7 -btn7"), "+btn5 -btn5 +btn7 -btn7");
    EXPECT_TRUE(h.telemetryLines.empty());
    ASSERT_GE(h.telemetry.size(), 2u);
    EXPECT_EQ(h.telemetry[0].lastButtonLabel, "Mouse Button 6");
    EXPECT_EQ(h.calibration.back().sessionClicks, 2);
}

TEST(InputEventInterceptorServiceButtonsTest, EveryActionPostsItsShortcut)
{
    struct Case {
        MouseButtonAction action;
        const char* posted;
    };
    const Case cases[] = {
        {MouseButtonAction::passthrough, "+back -back"},
        {MouseButtonAction::browserBack, "!key:33{cmd} !keyup:33{cmd}"},
        {MouseButtonAction::browserForward, "!key:30{cmd} !keyup:30{cmd}"},
        {MouseButtonAction::missionControl, "!key:126{ctrl} !keyup:126{ctrl}"},
        {MouseButtonAction::appExpose, "!key:125{ctrl} !keyup:125{ctrl}"},
        {MouseButtonAction::closeTab, "!key:13{cmd} !keyup:13{cmd}"},
        {MouseButtonAction::newTab, "!key:17{cmd} !keyup:17{cmd}"},
        {MouseButtonAction::switchSpaceLeft, "!key:123{ctrl} !keyup:123{ctrl}"},
        {MouseButtonAction::switchSpaceRight, "!key:124{ctrl} !keyup:124{ctrl}"},
        {MouseButtonAction::zoomIn, "!key:24{cmd} !keyup:24{cmd}"},
        {MouseButtonAction::zoomOut, "!key:27{cmd} !keyup:27{cmd}"},
        {MouseButtonAction::copy, "!key:8{cmd} !keyup:8{cmd}"},
        {MouseButtonAction::paste, "!key:9{cmd} !keyup:9{cmd}"},
        // F11 with every modifier cleared, even while the user holds some.
        {MouseButtonAction::showDesktop, "!key:103 !keyup:103"},
    };
    for (const auto& c : cases) {
        InputSettings settings;
        settings.sideBackAction = c.action;
        EngineHarness h(settings);
        EXPECT_EQ(h.run("mods:shift+opt +back -back"),
            std::string(c.posted).find('!') == std::string::npos ? "+back{opt+shift} -back{opt+shift}" : c.posted)
            << rawValue(c.action);
        EXPECT_TRUE(h.nothingHeld()) << rawValue(c.action);
    }
}

TEST(InputEventInterceptorServiceButtonsTest, RemapOffOrEngineOffPassesEveryButton)
{
    for (const bool engineOff : {true, false}) {
        InputSettings settings;
        settings.engineEnabled = !engineOff;
        settings.buttonRemapEnabled = false;
        settings.gestureChordsEnabled = false;
        EngineHarness h(settings);
        EXPECT_EQ(
            h.run("+middle -middle +back -back +forward -forward"), "+middle -middle +back -back +forward -forward");
    }
}

TEST(InputEventInterceptorServiceButtonsTest, BoundMacroPlaysInsteadOfTheAction)
{
    InputSettings settings;
    settings.macros = {keystrokeMacro("Copy paste", 3)};
    EngineHarness h(settings);
    EXPECT_EQ(h.run("+back -back"), "!key:8{cmd} !keyup:8{cmd}");
    EXPECT_EQ(h.run("63ms"), ""); // 14 ms after a keystroke, then the 50 ms delay
    EXPECT_EQ(h.run("1ms"), "!key:9{cmd} !keyup:9{cmd}");
    EXPECT_EQ(h.telemetryLines, std::vector<std::string> {"Side Button 4 (Back) → Macro: Copy paste"});
    EXPECT_TRUE(h.nothingHeld());
}

TEST(InputEventInterceptorServiceButtonsTest, RefusedMacroStillTakesTheButton)
{
    InputSettings settings;
    settings.macros = {keystrokeMacro("Slow", 3)};
    EngineHarness h(settings);
    EXPECT_EQ(h.run("+back -back"), "!key:8{cmd} !keyup:8{cmd}");
    // Still playing (the pause): the second press is refused by playback but swallowed.
    EXPECT_EQ(h.run("10ms +back -back"), "");
    EXPECT_EQ(h.log.count("Skipped macro 'Slow' (source: button-3): playback already in progress"), 1u);
    EXPECT_EQ(h.telemetryLines.size(), 2u);
    EXPECT_EQ(h.telemetryLines[1], "Side Button 4 (Back) → Macro: Slow");
}

TEST(InputEventInterceptorServiceButtonsTest, DisabledMacroCountsAsUnbound)
{
    InputSettings settings;
    auto macro = keystrokeMacro("Off", 3, false);
    settings.macros = {macro};
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = "org.kde.dolphin";
    profile.appName = "Dolphin";
    profile.macroBindings[3] = macro.id; // copied unchecked by the resolution
    settings.appProfiles = {profile};
    EngineHarness h(settings);
    EXPECT_EQ(h.run("app:org.kde.dolphin +back -back"), "!key:33{cmd} !keyup:33{cmd}");
    EXPECT_EQ(h.telemetryLines, std::vector<std::string> {"Side Button 4 (Back) → Navigate Back (Alt+Left)"});
}

TEST(InputEventInterceptorServiceButtonsTest, PlayMacroReportsOnlyAcceptedRequests)
{
    EngineHarness h;
    auto macro = keystrokeMacro("Studio test", 0);
    EXPECT_TRUE(h.service->playMacro(macro, "ui-test"));
    EXPECT_FALSE(h.service->playMacro(macro, "ui-test"));
    macro.isEnabled = false;
    EXPECT_FALSE(h.service->playMacro(macro, "ui-test"));
    EXPECT_EQ(h.telemetryLines, std::vector<std::string> {"Macro: Studio test (ui-test)"});
    EXPECT_EQ(h.log.count("Ignored disabled macro 'Studio test' (source: ui-test)"), 1u);
}

// A press and its release always get the same verdict, whatever changes in between.
TEST(InputEventInterceptorServiceButtonsTest, ReleaseFollowsItsPressAcrossChanges)
{
    {
        // Passed press, then the button gets an action: the release must still pass.
        InputSettings settings;
        settings.sideBackAction = MouseButtonAction::passthrough;
        EngineHarness h(settings);
        EXPECT_EQ(h.run("+back"), "+back");
        h.changeSettings([](InputSettings& s) { s.sideBackAction = MouseButtonAction::copy; });
        EXPECT_EQ(h.run("-back"), "-back");
        EXPECT_TRUE(h.nothingHeld());
        EXPECT_EQ(h.run("+back -back"), "!key:8{cmd} !keyup:8{cmd}");
    }
    {
        // Swallowed press, then remapping is switched off: the release is swallowed too.
        EngineHarness h;
        EXPECT_EQ(h.run("+back"), "!key:33{cmd} !keyup:33{cmd}");
        h.changeSettings([](InputSettings& s) { s.buttonRemapEnabled = false; });
        EXPECT_EQ(h.run("-back"), "");
        EXPECT_TRUE(h.nothingHeld());
    }
    {
        // The frontmost application changes while the button is held.
        InputSettings settings;
        AppButtonRule rule;
        rule.id = Uuid::random();
        rule.bundleIdentifier = "org.mozilla.firefox";
        rule.button = MouseButtonKind::sideForward;
        rule.action = MouseButtonAction::passthrough;
        settings.appOverrides = {rule};
        EngineHarness h(settings);
        EXPECT_EQ(h.run("app:org.mozilla.firefox +forward app:org.gnome.Terminal -forward"), "+forward -forward");
        EXPECT_EQ(h.run("+forward app:org.mozilla.firefox -forward"), "!key:30{cmd} !keyup:30{cmd}");
        EXPECT_TRUE(h.nothingHeld());
    }
}

TEST(InputEventInterceptorServiceButtonsTest, ShortcutTableHasNoEntryForPassthrough)
{
    EXPECT_EQ(actionShortcut(MouseButtonAction::passthrough), std::nullopt);
    EXPECT_EQ(actionShortcut(MouseButtonAction::showDesktop), (ActionShortcut {103, 0}));
}

} // namespace
} // namespace tarn::input
