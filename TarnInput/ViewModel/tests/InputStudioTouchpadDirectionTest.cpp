#include <string>
#include <vector>

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"

namespace tarn::input::testing {
namespace {

void setReverseTrackpad(InputStudioViewModel& vm, bool on)
{
    vm.applySettingsChange([on](InputSettings& settings) { settings.reverseTrackpad = on; });
}

// The touchpad calls the view model made since the last look.
std::vector<std::string> touchpadCalls(StudioHarness& h)
{
    std::vector<std::string> calls;
    for (auto& entry : h.journal.take()) {
        if (entry.starts_with("prefs.touchpad") || entry.starts_with("prefs.setTouchpad")) {
            calls.push_back(std::move(entry));
        }
    }
    return calls;
}

std::vector<RecordedLogLine> warnings(const StudioHarness& h)
{
    std::vector<RecordedLogLine> found;
    for (const auto& line : h.engine.log.lines()) {
        if (line.level == TarnLogLevel::warn) {
            found.push_back(line);
        }
    }
    return found;
}

TEST(InputStudioTouchpadDirection, TheSwitchTurnsTheUsersOwnDirectionOverAndBack)
{
    for (const bool usersOwn : {true, false}) {
        SCOPED_TRACE(usersOwn ? "natural" : "traditional");
        StudioHarness h;
        h.preferences.storeTouchpadNaturalScrolling(usersOwn);
        auto& vm = h.start();
        EXPECT_TRUE(touchpadCalls(h).empty()) << "start-up leaves the touchpad alone";

        setReverseTrackpad(vm, true);
        EXPECT_EQ(h.preferences.touchpadNaturalScrolling(), !usersOwn);
        EXPECT_EQ(touchpadCalls(h),
            (std::vector<std::string> {
                "prefs.touchpadNaturalScrolling", fmt::format("prefs.setTouchpadNaturalScrolling {}", !usersOwn)}));

        // Writing the value it already has, or changing something else, is no flip.
        setReverseTrackpad(vm, true);
        vm.applySettingsChange([](InputSettings& settings) { settings.reverseMouseWheel = false; });
        EXPECT_TRUE(touchpadCalls(h).empty());
        EXPECT_EQ(h.preferences.touchpadNaturalScrolling(), !usersOwn);

        setReverseTrackpad(vm, false);
        EXPECT_EQ(h.preferences.touchpadNaturalScrolling(), usersOwn);
        EXPECT_TRUE(warnings(h).empty());
        EXPECT_FALSE(vm.toastMessage());
    }
}

TEST(InputStudioTouchpadDirection, AStoredSwitchIsLeftAloneUntilRestoringDefaultsTurnsItBack)
{
    StudioHarness h;
    auto stored = InputSettings {};
    stored.reverseTrackpad = true;
    h.writeSettingsFile(stored);
    // Reversed by an earlier run from the user's natural scrolling.
    h.preferences.storeTouchpadNaturalScrolling(false);
    auto& vm = h.start();
    EXPECT_TRUE(touchpadCalls(h).empty());

    vm.resetToDefaults();

    EXPECT_FALSE(vm.settings().reverseTrackpad);
    EXPECT_EQ(h.preferences.touchpadNaturalScrolling(), true);
    EXPECT_EQ(vm.toastMessage(), "Restored default input settings.");
    EXPECT_FALSE(vm.toastIsError());
}

TEST(InputStudioTouchpadDirection, WithoutATouchpadOneWarningIsLoggedAndNothingElseHappens)
{
    StudioHarness h;
    auto& vm = h.start();
    h.journal.clear();

    setReverseTrackpad(vm, true);
    h.runMainThread();

    EXPECT_TRUE(vm.settings().reverseTrackpad) << "the switch keeps what the user chose";
    EXPECT_EQ(touchpadCalls(h), std::vector<std::string> {"prefs.touchpadNaturalScrolling"});
    EXPECT_FALSE(h.preferences.touchpadNaturalScrolling());
    EXPECT_EQ(warnings(h),
        (std::vector<RecordedLogLine> {
            {TarnLogLevel::warn, "scroll", "The touchpad scrolling direction could not be changed."}}));
    EXPECT_FALSE(vm.toastMessage());
}

} // namespace
} // namespace tarn::input::testing
