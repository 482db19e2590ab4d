#include <algorithm>
#include <filesystem>
#include <ostream>

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"

namespace tarn::input::testing {
namespace {

// What each notice of one settings change could see of the steps before it.
struct Observed {
    std::vector<std::string> notices;
    bool engineHadValueAtSettingsNotice = false;
    bool engineHadValueAtResolutionNotice = false;
};

// The engine and the tap follow a change within the call; the file is written off the main
// thread, and the engine's resolution for the new value arrives through its mailbox, once.
TEST(InputStudioSettingsPath, RunsEngineTapThenProfileInThatOrderAndSavesEvenAnUnchangedValue)
{
    StudioHarness h;
    auto& vm = h.start();
    h.journal.clear();
    Observed seen;
    QObject::connect(&vm, &InputStudioViewModel::settingsChanged, [&] {
        seen.notices.push_back("settings");
        seen.engineHadValueAtSettingsNotice = h.interceptor().currentResolution().scrollSpeedMultiplier == 2.0;
    });
    QObject::connect(&vm, &InputStudioViewModel::activeResolutionChanged, [&] {
        seen.notices.push_back("resolution");
        // The engine resolves with its own copy, so the speed shows it took the new value.
        seen.engineHadValueAtResolutionNotice = h.interceptor().currentResolution().scrollSpeedMultiplier == 2.0;
    });
    QObject::connect(&vm, &InputStudioViewModel::activeProfileNameChanged, [&] { seen.notices.push_back("profile"); });
    QObject::connect(
        &vm, &InputStudioViewModel::isAccessibilityGrantedChanged, [&] { seen.notices.push_back("permission"); });
    QObject::connect(&vm, &InputStudioViewModel::isTapActiveChanged, [&] { seen.notices.push_back("tap"); });

    vm.applySettingsChange([](InputSettings& settings) { settings.scrollSpeedMultiplier = 2.0; });

    EXPECT_EQ(seen.notices, (std::vector<std::string> {"settings", "tap"}));
    EXPECT_TRUE(seen.engineHadValueAtSettingsNotice);
    h.runMainThread();
    EXPECT_EQ(seen.notices, (std::vector<std::string> {"settings", "tap", "resolution", "profile"}));
    EXPECT_TRUE(seen.engineHadValueAtResolutionNotice);
    EXPECT_EQ(vm.activeResolution().scrollSpeedMultiplier, 2.0);
    EXPECT_EQ(h.settingsFileJson()["scrollSpeedMultiplier"], 2.0);

    // The same value again still saves, reaches the engine and checks the tap.
    std::filesystem::remove(h.settingsFile());
    h.journal.clear();
    seen.notices.clear();
    vm.applySettingsChange([](InputSettings& settings) { settings.scrollSpeedMultiplier = 2.0; });
    EXPECT_TRUE(h.settingsFileExists());
    h.runMainThread();
    EXPECT_EQ(seen.notices, (std::vector<std::string> {"settings", "tap", "resolution", "profile"}));
    // No look at the permission or the devices; within the interval after the first save, the
    // file's write waits on a timer (the harness writes it at once).
    EXPECT_EQ(h.journal.entries(), (std::vector<std::string> {"timer.once 250ms"}));
}

// The permission is followed by the watcher; a settings change, a slider's every step, goes by
// what the watcher last saw and never asks the system, also when the answer changed meanwhile.
struct KnownPermissionCase {
    const char* name;
    bool grantedAtStart;
    bool engineOn;
    bool expectTapActive;
};

// Names the row in test output.
void PrintTo(const KnownPermissionCase& row, std::ostream* out)
{
    *out << row.name;
}

class InputStudioKnownPermission : public ::testing::TestWithParam<KnownPermissionCase> { };

TEST_P(InputStudioKnownPermission, ASettingsChangeStartsOrStopsTheTapWithoutAskingForThePermission)
{
    const auto& row = GetParam();
    StudioHarness h;
    auto settings = InputSettings {};
    settings.engineEnabled = !row.engineOn;
    h.writeSettingsFile(settings);
    h.permission.setAccessibilityGranted(row.grantedAtStart);
    auto& vm = h.start();
    const int checksAtStart = h.permission.accessibilityChecks();
    h.permission.setAccessibilityGranted(!row.grantedAtStart);

    for (int step = 0; step < 20; ++step) {
        vm.applySettingsChange([&](InputSettings& s) {
            s.engineEnabled = row.engineOn;
            s.scrollSpeedMultiplier = 1.0 + step / 10.0;
        });
    }

    EXPECT_EQ(h.permission.accessibilityChecks(), checksAtStart);
    EXPECT_EQ(vm.isAccessibilityGranted(), row.grantedAtStart);
    EXPECT_EQ(vm.isTapActive(), row.expectTapActive);
    EXPECT_EQ(h.engine.tap.exists(), row.expectTapActive);

    // The next device notice catches up with the permission.
    h.noticeDeviceChange();
    EXPECT_EQ(vm.isAccessibilityGranted(), !row.grantedAtStart);
    EXPECT_EQ(vm.isTapActive(), row.engineOn && !row.grantedAtStart);
}

INSTANTIATE_TEST_SUITE_P(Cases, InputStudioKnownPermission,
    ::testing::Values(KnownPermissionCase {"engineOnWhileGranted", true, true, true},
        KnownPermissionCase {"engineOffWhileGranted", true, false, false},
        KnownPermissionCase {"engineOnWhileDenied", false, true, false},
        KnownPermissionCase {"engineOffWhileDenied", false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The tap is needed while any of the engine, the key HUD and the ripple is on; switching off the
// last of them stops it within the same call.
struct LastFeatureCase {
    const char* name;
    void (*only)(InputSettings&);
    void (*off)(InputSettings&);
};

// Names the row in test output.
void PrintTo(const LastFeatureCase& row, std::ostream* out)
{
    *out << row.name;
}

class InputStudioLastFeature : public ::testing::TestWithParam<LastFeatureCase> { };

TEST_P(InputStudioLastFeature, SwitchingItOffStopsTheTapAtOnce)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.engineEnabled = false;
    GetParam().only(settings);
    h.writeSettingsFile(settings);
    auto& vm = h.start();
    ASSERT_TRUE(vm.isTapActive());
    ASSERT_TRUE(h.engine.tap.exists());

    vm.applySettingsChange(GetParam().off);

    EXPECT_FALSE(vm.isTapActive());
    EXPECT_FALSE(h.engine.tap.exists());
    EXPECT_EQ(h.engine.log.count("Stopped listening to the input devices"), 1U);
}

INSTANTIATE_TEST_SUITE_P(Features, InputStudioLastFeature,
    ::testing::Values(LastFeatureCase {"engine", [](InputSettings& s) { s.engineEnabled = true; },
                          [](InputSettings& s) { s.engineEnabled = false; }},
        LastFeatureCase {"keyHUD", [](InputSettings& s) { s.keyHUDEnabled = true; },
            [](InputSettings& s) { s.keyHUDEnabled = false; }},
        LastFeatureCase {"clickRipple", [](InputSettings& s) { s.clickRippleEnabled = true; },
            [](InputSettings& s) { s.clickRippleEnabled = false; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InputStudioSettingsPath, AFailedSaveStillAppliesTheValue)
{
    StudioHarness h;
    auto& vm = h.start();
    // A folder where the file should be: the save fails.
    std::filesystem::create_directories(h.settingsFile());

    vm.applySettingsChange([](InputSettings& settings) { settings.engineEnabled = false; });

    EXPECT_FALSE(vm.settings().engineEnabled);
    EXPECT_FALSE(vm.isTapActive());
    EXPECT_TRUE(std::filesystem::is_directory(h.settingsFile()));
}

TEST(InputStudioSettingsPath, ASaveThatFailsIsToldOnceAndLoggedEachTime)
{
    StudioHarness h;
    auto& vm = h.start();
    std::filesystem::create_directories(h.settingsFile());
    const auto countSaveWarnings = [&] {
        const auto lines = h.logLines();
        return std::count_if(lines.begin(), lines.end(),
            [](const std::string& line) { return line.find("The settings were not saved to") != std::string::npos; });
    };

    // A named operation's own toast comes first; the save error follows it.
    vm.toggleEngine();
    EXPECT_FALSE(vm.toastIsError());
    h.runMainThread();
    ASSERT_TRUE(vm.toastMessage().has_value());
    EXPECT_TRUE(vm.toastMessage()->starts_with("Settings could not be saved: ")) << *vm.toastMessage();
    EXPECT_TRUE(vm.toastIsError());

    // Further failures are logged but not told again.
    vm.toggleEngine();
    h.runMainThread();
    EXPECT_FALSE(vm.toastIsError()) << *vm.toastMessage();
    EXPECT_EQ(countSaveWarnings(), 2);
}

} // namespace
} // namespace tarn::input::testing
