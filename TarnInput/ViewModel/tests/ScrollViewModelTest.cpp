#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"

#include <chrono>
#include <filesystem>
#include <functional>

#include <QSignalSpy>
#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"

namespace tarn::input::testing {
namespace {

using namespace std::chrono_literals;

// Each operation changes its own field and nothing else, stored and handed on as any change.
TEST(ScrollViewModel, EachOperationWritesItsOwnFieldThroughTheSettingsPath)
{
    struct Row {
        const char* name;
        std::function<void(ScrollViewModel&)> operation;
        std::function<void(InputSettings&)> expected;
    };
    const Row rows[] {
        {"reverseMouseWheel", [](auto& scroll) { scroll.setReverseMouseWheel(false); },
            [](auto& settings) { settings.reverseMouseWheel = false; }},
        {"shiftScrollHorizontal", [](auto& scroll) { scroll.setShiftScrollHorizontal(false); },
            [](auto& settings) { settings.shiftScrollHorizontal = false; }},
        {"optionScrollZoomEnabled", [](auto& scroll) { scroll.setOptionScrollZoom(false); },
            [](auto& settings) { settings.optionScrollZoomEnabled = false; }},
        {"smoothScrollEnabled", [](auto& scroll) { scroll.setSmoothScroll(false); },
            [](auto& settings) { settings.smoothScrollEnabled = false; }},
        {"scrollSpeedMultiplier", [](auto& scroll) { scroll.setSpeedMultiplier(2.5); },
            [](auto& settings) { settings.scrollSpeedMultiplier = 2.5; }},
        {"smoothDecayRate", [](auto& scroll) { scroll.setGlide(0.4); },
            [](auto& settings) { settings.smoothDecayRate = 0.4; }},
        {"exclusion added, trimmed", [](auto& scroll) { scroll.addExclusion("  org.gimp.GIMP "); },
            [](auto& settings) { settings.smoothScrollExcludedBundles.push_back("org.gimp.GIMP"); }},
    };
    for (const auto& row : rows) {
        StudioHarness h;
        auto& vm = h.start();
        ScrollViewModel scroll(vm, vm);
        QSignalSpy changes(&scroll, &ScrollViewModel::settingsChanged);
        InputSettings expected = vm.settings();
        row.expected(expected);

        row.operation(scroll);

        EXPECT_EQ(scroll.settings(), expected) << row.name;
        EXPECT_EQ(h.storedSettings(), expected) << row.name;
        EXPECT_EQ(changes.count(), 1) << row.name;
        // The engine's resolution of the new value reaches the view model through its mailbox.
        h.runMainThread();
        EXPECT_EQ(h.interceptor().currentResolution(), vm.activeResolution()) << row.name;
    }
}

// The trackpad switch turns the desktop's own touchpad direction over, and back.
TEST(ScrollViewModel, TheTrackpadSwitchTurnsTheTouchpadOver)
{
    StudioHarness h;
    h.preferences.storeTouchpadNaturalScrolling(true);
    auto& vm = h.start();
    ScrollViewModel scroll(vm, vm);
    scroll.setReverseTrackpad(true);
    EXPECT_TRUE(vm.settings().reverseTrackpad);
    EXPECT_EQ(h.preferences.touchpadNaturalScrolling(), false);
    scroll.setReverseTrackpad(false);
    EXPECT_EQ(h.preferences.touchpadNaturalScrolling(), true);
}

// Exclusions: the same application in another case is not listed twice, and a removal takes
// every entry spelled exactly so.
TEST(ScrollViewModel, ExclusionsAreListedOnceAndRemovedBySpelling)
{
    StudioHarness h;
    auto& vm = h.start();
    ScrollViewModel scroll(vm, vm);
    const auto listed = vm.settings().smoothScrollExcludedBundles;
    auto withGimp = listed;
    withGimp.push_back("org.gimp.GIMP");
    scroll.addExclusion("org.gimp.GIMP");
    scroll.addExclusion("ORG.GIMP.gimp");
    scroll.addExclusion("   ");
    EXPECT_EQ(scroll.settings().smoothScrollExcludedBundles, withGimp);
    scroll.removeExclusion("ORG.GIMP.gimp");
    EXPECT_EQ(scroll.settings().smoothScrollExcludedBundles, withGimp);
    scroll.removeExclusion("org.gimp.GIMP");
    EXPECT_EQ(h.storedSettings().smoothScrollExcludedBundles, listed);
}

// A typed id is trimmed; a blank one or one already listed in another case writes nothing and
// shows nothing; a removal in another case removes nothing but still saves.
TEST(ScrollViewModel, ExclusionsAreTrimmedComparedWithoutCaseAndRemovedExactly)
{
    StudioHarness h;
    auto& vm = h.start();
    ScrollViewModel scroll(vm, vm);
    const auto defaults = vm.settings().smoothScrollExcludedBundles;

    scroll.addExclusion("  org.gimp.GIMP \n");
    auto expected = defaults;
    expected.push_back("org.gimp.GIMP");
    EXPECT_EQ(h.storedSettings().smoothScrollExcludedBundles, expected);

    const auto before = h.settingsFileText();
    h.advance(3s); // the first toast is gone
    for (const auto* typed : {"ORG.GIMP.gimp", "   ", ""}) {
        scroll.addExclusion(typed);
        EXPECT_EQ(h.settingsFileText(), before) << typed;
        EXPECT_FALSE(vm.toastMessage()) << typed;
    }

    std::filesystem::remove(h.settingsFile());
    scroll.removeExclusion("org.gimp.gimp");
    EXPECT_EQ(h.storedSettings().smoothScrollExcludedBundles, expected) << "other case removes nothing but saves";

    scroll.removeExclusion("org.gimp.GIMP");
    EXPECT_EQ(h.storedSettings().smoothScrollExcludedBundles, defaults);
    EXPECT_FALSE(vm.toastMessage());
}

} // namespace
} // namespace tarn::input::testing
