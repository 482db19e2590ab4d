#include <gtest/gtest.h>

#include "TarnInputCore/tests/Engine/EngineHarness.h"

namespace tarn::input {
namespace {

using testing::EngineHarness;

// The pointer starts at (500, 400) in every harness.
TEST(InputEventInterceptorServiceGesturesTest, DirectionsFireTheirActionsOnRelease)
{
    struct Case {
        const char* script;
        const char* expected;
        const char* line;
    };
    const Case cases[] = {
        {"+middle @550,400 -middle", "!key:124{ctrl} !keyup:124{ctrl}",
            "Gesture Drag Right → Next Workspace (Ctrl+Alt+Right)"},
        {"+middle @450,400 -middle", "!key:123{ctrl} !keyup:123{ctrl}",
            "Gesture Drag Left → Previous Workspace (Ctrl+Alt+Left)"},
        {"+middle @500,340 -middle", "!key:126{ctrl} !keyup:126{ctrl}",
            "Gesture Drag Up → Activities Overview (Super)"},
        {"+middle @500,460 -middle", "!key:125{ctrl} !keyup:125{ctrl}",
            "Gesture Drag Down → Show Applications (Super+A)"},
        // Up past the threshold, then back to the anchor: up still stands.
        {"+middle @500,340 @500,400 -middle", "!key:126{ctrl} !keyup:126{ctrl}",
            "Gesture Drag Up → Activities Overview (Super)"},
        // 40 points is short of 46: a click of the middle button (the Activities Overview by default).
        {"+middle @540,400 -middle", "!key:126{ctrl} !keyup:126{ctrl}",
            "Middle Click (Wheel) → Activities Overview (Super)"},
        // 30 right and 30 up is 42.4 points: still a click.
        {"+middle @530,370 -middle", "!key:126{ctrl} !keyup:126{ctrl}",
            "Middle Click (Wheel) → Activities Overview (Super)"},
    };
    for (const auto& c : cases) {
        EngineHarness h;
        EXPECT_EQ(h.run(c.script), c.expected) << c.script;
        EXPECT_EQ(h.telemetryLines, std::vector<std::string> {c.line}) << c.script;
        EXPECT_TRUE(h.nothingHeld()) << c.script;
    }
}

TEST(InputEventInterceptorServiceGesturesTest, PressAndDragsAreSwallowedAndTheClickFiresFromTheRelease)
{
    EngineHarness h;
    EXPECT_EQ(h.run("+middle"), "");
    EXPECT_EQ(h.run("@510,400 @520,400"), "");
    EXPECT_TRUE(h.telemetryLines.empty());
    EXPECT_EQ(h.run("-middle"), "!key:126{ctrl} !keyup:126{ctrl}");
    // Not tracking: other-button drags pass.
    EXPECT_EQ(h.run("+btn5 @530,400 -btn5"), "+btn5 drag@530,400 -btn5");
}

TEST(InputEventInterceptorServiceGesturesTest, ThresholdBelowTheFloorActsAsSixteenPoints)
{
    InputSettings settings;
    settings.gestureThresholdPoints = 5;
    EngineHarness h(settings);
    EXPECT_EQ(h.run("+middle @510,400 -middle"), "!key:126{ctrl} !keyup:126{ctrl}");
    EXPECT_EQ(h.telemetryLines.back(), "Middle Click (Wheel) → Activities Overview (Super)");
    EXPECT_EQ(h.run("@500,400 +middle @516,400 -middle"), "@500,400 !key:124{ctrl} !keyup:124{ctrl}");
}

TEST(InputEventInterceptorServiceGesturesTest, PassthroughTriggerClickKeepsItsOwnBehaviour)
{
    InputSettings settings;
    settings.middleButtonAction = MouseButtonAction::passthrough;
    EngineHarness h(settings);
    // The gesture held the press back; a click without a direction gives it to applications.
    EXPECT_EQ(h.run("+middle 80ms -middle"), "!+middle !-middle");
    EXPECT_TRUE(h.nothingHeld());
    EXPECT_TRUE(h.telemetryLines.empty());
    // A real gesture still fires only its action.
    EXPECT_EQ(h.run("+middle @560,400 -middle"), "!key:124{ctrl} !keyup:124{ctrl}");
}

TEST(InputEventInterceptorServiceGesturesTest, PassthroughDirectionFiresNothing)
{
    InputSettings settings;
    settings.gestureRightAction = MouseButtonAction::passthrough;
    EngineHarness h(settings);
    EXPECT_EQ(h.run("+middle @560,400 -middle"), "");
    EXPECT_TRUE(h.telemetryLines.empty());
    EXPECT_TRUE(h.nothingHeld());
}

TEST(InputEventInterceptorServiceGesturesTest, TriggerClickPlaysABoundMacro)
{
    InputSettings settings;
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = "Screenshot";
    macro.triggerButtonNumber = 2;
    macro.steps = {MacroStep::keystroke(21, {"cmd", "shift"}, "⇧⌘4")};
    settings.macros = {macro};
    EngineHarness h(settings);
    EXPECT_EQ(h.run("+middle -middle"), "!key:21{shift+cmd} !keyup:21{shift+cmd}");
    EXPECT_EQ(h.telemetryLines, std::vector<std::string> {"Middle Click (Wheel) → Macro: Screenshot"});
}

TEST(InputEventInterceptorServiceGesturesTest, OtherTriggerButtonAndChangesWhileHeld)
{
    InputSettings settings;
    settings.gestureTriggerButton = MouseButtonKind::sideForward;
    EngineHarness h(settings);
    // The middle button is an ordinary button now.
    EXPECT_EQ(h.run("+middle -middle"), "!key:126{ctrl} !keyup:126{ctrl}");
    EXPECT_EQ(h.run("+forward @500,300 -forward"), "!key:126{ctrl} !keyup:126{ctrl}");
    EXPECT_EQ(h.telemetryLines.back(), "Gesture Drag Up → Activities Overview (Super)");

    // The trigger moves to the back button while forward is held: the release of forward is an
    // ordinary release (its press was swallowed, so is its release); tracking stays on.
    EXPECT_EQ(h.run("+forward"), "");
    h.changeSettings([](InputSettings& s) { s.gestureTriggerButton = MouseButtonKind::sideBack; });
    EXPECT_EQ(h.run("-forward"), "");
    // Still tracking: a drag with another button held is swallowed.
    EXPECT_EQ(h.run("+btn6 @500,300 -btn6"), "+btn6 -btn6");
    EXPECT_TRUE(h.nothingHeld());

    // Switching chords off ends tracking: drags pass again.
    h.changeSettings([](InputSettings& s) { s.gestureChordsEnabled = false; });
    EXPECT_EQ(h.run("+btn6 @500,310 -btn6"), "+btn6 drag@500,310 -btn6");
    EXPECT_EQ(h.run("+back -back"), "!key:33{cmd} !keyup:33{cmd}");
}

// The middle button begins a gesture while back, which keeps its own behaviour, is down and has
// reached applications; then back becomes the trigger. Back's release ends the gesture as a click
// of back, but applications already saw back's press: only its release may follow.
TEST(InputEventInterceptorServiceGesturesTest, TriggerChangedWhileHeldGivesBackOnlyASwallowedPress)
{
    InputSettings settings;
    settings.sideBackAction = MouseButtonAction::passthrough;
    settings.middleButtonAction = MouseButtonAction::passthrough;
    EngineHarness h(settings);
    EXPECT_EQ(h.run("+back +middle"), "+back");
    h.changeSettings([](InputSettings& s) { s.gestureTriggerButton = MouseButtonKind::sideBack; });
    EXPECT_EQ(h.run("-middle -back"), "-back");
    EXPECT_TRUE(h.nothingHeld());
    // With back's press swallowed as the trigger's, its click is given back as before.
    EXPECT_EQ(h.run("+back -back"), "!+back !-back");
}

TEST(InputEventInterceptorServiceGesturesTest, StopEndsTracking)
{
    EngineHarness h;
    EXPECT_EQ(h.run("+middle @600,400"), "");
    h.service->stop();
    ASSERT_TRUE(h.service->start());
    // Tracking is over, so the drag passes and the release fires nothing. The engine no longer
    // knows the press, so the release passes: a stray release is harmless, a held button is not.
    EXPECT_EQ(h.run("drag@610,400 -middle"), "drag@610,400 -middle");
    EXPECT_TRUE(h.nothingHeld(EngineHarness::StrayReleases::allowed));
    EXPECT_TRUE(h.telemetryLines.empty());
}

} // namespace
} // namespace tarn::input
