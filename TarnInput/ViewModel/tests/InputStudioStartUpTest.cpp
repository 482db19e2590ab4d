#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"

namespace tarn::input::testing {
namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(InputStudioStartUp, RunsEveryStepInOrderAndWritesNothing)
{
    StudioHarness h;
    h.addDevice("MX Master 3", 0x046D);
    h.engine.workspace.setFrontmost("org.mozilla.firefox", "Firefox");

    auto& vm = h.start();

    EXPECT_EQ(h.journal.entries(),
        (std::vector<std::string> {
            "login.isRegistered",
            "prefs.linear",
            // The engine alone follows activations, from its construction on.
            "workspace.subscribeActivation",
            "devices.scan",
            "log info hid HID hardware snapshot (startup): 1 device(s) — Logitech MX Master 3 [0x046D : 0xC077]",
            // The start-up has the engine follow the application already in front; it asks again
            // to be sure no newer one came meanwhile.
            "workspace.frontmost",
            "log info profile Profile resolved for Firefox (org.mozilla.firefox) -> Global Default [reverse=true, "
            "smooth=true, speed=1.35x]",
            "workspace.frontmost",
            "permission.check granted",
            "tap.create",
            // The engine catches up with the application in front when its tap starts.
            "workspace.frontmost",
            "workspace.frontmost",
            "tap.enable",
            "log info tap Listening to the input devices on the input thread",
            "hotkey.register 4+2304",
            "deviceChanges.subscribe",
        }));
    EXPECT_FALSE(h.settingsFileExists());
    EXPECT_EQ(vm.settings(), InputSettings {});
    EXPECT_TRUE(vm.isAccessibilityGranted());
    EXPECT_TRUE(vm.isTapActive());
    EXPECT_EQ(vm.activeFrontmostBundleID(), "org.mozilla.firefox");
    EXPECT_EQ(vm.activeFrontmostAppName(), "Firefox");
    EXPECT_EQ(vm.selectedTab(), InputStudioTab::hardware);
    EXPECT_EQ(vm.connectedDevices().size(), 1U);
    EXPECT_EQ(vm.calibration(), h.interceptor().currentCalibrationSnapshot());
    EXPECT_EQ(h.interceptor().currentResolution(), vm.activeResolution());
    EXPECT_FALSE(vm.toastMessage());
    EXPECT_TRUE(vm.recentEvents().empty());
    EXPECT_TRUE(vm.hzHistory().empty());
}

TEST(InputStudioStartUp, FirstChangeAfterADefaultsStartWritesTheWholeFile)
{
    StudioHarness h;
    auto& vm = h.start();
    ASSERT_FALSE(h.settingsFileExists());

    vm.applySettingsChange([](InputSettings& settings) { settings.reverseTrackpad = true; });

    auto expected = InputSettings {};
    expected.reverseTrackpad = true;
    const auto file = h.settingsFileJson();
    EXPECT_EQ(file.size(), 35U);
    EXPECT_EQ(file, expected.toJson());
}

TEST(InputStudioStartUp, SystemAccelerationStateWinsButTheFileWaitsForTheNextChange)
{
    StudioHarness h;
    auto stored = InputSettings {};
    stored.nominalPointerDPI = 800;
    h.writeSettingsFile(stored);
    const auto before = readFile(h.settingsFile());
    h.preferences.storeLinear(true);

    auto& vm = h.start();

    EXPECT_TRUE(vm.settings().disableMouseAcceleration);
    EXPECT_EQ(vm.settings().nominalPointerDPI, 800);
    EXPECT_EQ(vm.calibration().nominalDPI, 800);
    EXPECT_EQ(readFile(h.settingsFile()), before);

    vm.applySettingsChange([](InputSettings&) {});
    EXPECT_EQ(h.settingsFileJson()["disableMouseAcceleration"], true);
}

TEST(InputStudioStartUp, NothingInFrontMeansTheDesktopAndTheGlobalSettings)
{
    StudioHarness h;
    auto settings = InputSettings {};
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = "com.apple.Safari";
    profile.appName = "Safari";
    profile.isEnabled = true;
    settings.appProfiles.push_back(profile);
    h.writeSettingsFile(settings);

    auto& vm = h.start();

    EXPECT_FALSE(vm.activeFrontmostBundleID());
    EXPECT_EQ(vm.activeFrontmostAppName(), "Desktop");
    EXPECT_FALSE(vm.activeProfileName());
    EXPECT_FALSE(vm.activeResolution().isUsingAppProfile());
}

TEST(InputStudioStartUp, AFrontmostApplicationWithAProfileIsResolvedAtStartUp)
{
    StudioHarness h;
    auto settings = InputSettings {};
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = "com.apple.Safari";
    profile.appName = "Safari profile";
    profile.isEnabled = true;
    settings.appProfiles.push_back(profile);
    h.writeSettingsFile(settings);
    h.engine.workspace.setFrontmost("com.apple.Safari", std::nullopt);

    auto& vm = h.start();

    EXPECT_EQ(vm.activeFrontmostAppName(), "Desktop");
    EXPECT_EQ(vm.activeProfileName(), "Safari profile");
    EXPECT_EQ(vm.activeResolution().matchedProfileID, profile.id);
}

TEST(InputStudioStartUp, StartsWithoutTheTapWhenThePermissionIsMissing)
{
    StudioHarness h;
    h.permission.setAccessibilityGranted(false);

    auto& vm = h.start();

    EXPECT_FALSE(vm.isAccessibilityGranted());
    EXPECT_FALSE(vm.isTapActive());
    EXPECT_EQ(h.engine.tap.createCount(), 0);
}

} // namespace
} // namespace tarn::input::testing
