#include <cmath>
#include <limits>
#include <ostream>

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"
#include "TarnInputCore/Devices/USBVendorRegistry.h"

namespace tarn::input::testing {
namespace {

using namespace std::chrono_literals;

struct DPICase {
    double given;
    double stored;
};

// Names the row in test output.
void PrintTo(const DPICase& row, std::ostream* out)
{
    *out << row.given;
}

class InputStudioNominalDPI : public ::testing::TestWithParam<DPICase> { };

TEST_P(InputStudioNominalDPI, IsHeldWithinRangeAndSaved)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.setNominalDPI(GetParam().given);

    EXPECT_EQ(vm.settings().nominalPointerDPI, GetParam().stored);
    EXPECT_EQ(h.settingsFileJson()["nominalPointerDPI"], GetParam().stored);
    EXPECT_EQ(h.interceptor().currentCalibrationSnapshot().nominalDPI, GetParam().stored);
    EXPECT_FALSE(vm.toastMessage());
}

INSTANTIATE_TEST_SUITE_P(Values, InputStudioNominalDPI,
    ::testing::Values(DPICase {50, 100}, DPICase {100, 100}, DPICase {800, 800}, DPICase {32000, 32000},
        DPICase {40000, 32000}, DPICase {std::numeric_limits<double>::infinity(), 1600},
        DPICase {-std::numeric_limits<double>::infinity(), 1600}, DPICase {std::nan(""), 1600}));

// Runs a calibration over `pixels` of horizontal travel and returns the published result.
std::optional<std::int64_t> calibrate(StudioHarness& h, double pixels)
{
    h.vm().toggleDPICalibration();
    h.runMainThread();
    h.slidePointer(pixels, 10);
    h.vm().toggleDPICalibration();
    h.runMainThread();
    return h.vm().calibration().measuredEffectiveDPI;
}

TEST(InputStudioCalibration, AMeasurementBelow100IsNotApplied)
{
    StudioHarness h;
    auto& vm = h.start();
    ASSERT_EQ(calibrate(h, 390), 99);
    h.advance(3s);

    vm.applyMeasuredDPI();

    EXPECT_FALSE(h.settingsFileExists());
    EXPECT_FALSE(vm.toastMessage());
}

TEST(InputStudioCalibration, AMeasurementOf100IsApplied)
{
    StudioHarness h;
    auto& vm = h.start();
    ASSERT_EQ(calibrate(h, 394), 100);

    vm.applyMeasuredDPI();

    EXPECT_EQ(h.storedSettings().nominalPointerDPI, 100);
    EXPECT_EQ(vm.toastMessage(), "Applied 100 DPI as nominal mouse DPI.");
}

TEST(InputStudioCalibration, TheEstimateIsLiveWhileTheTestRuns)
{
    StudioHarness h;
    auto& vm = h.start();
    vm.toggleDPICalibration();
    h.runMainThread();

    h.slidePointer(630, 10);

    // The last report came part of the way along: an estimate, not yet the final 160.
    EXPECT_TRUE(vm.calibration().isCalibrating);
    ASSERT_TRUE(vm.calibration().measuredEffectiveDPI);
    EXPECT_GT(*vm.calibration().measuredEffectiveDPI, 0);
    EXPECT_LE(*vm.calibration().measuredEffectiveDPI, 160);
}

TEST(InputStudioCalibration, TheToggleFollowsThePublishedStateNotTheEngine)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.toggleDPICalibration();
    vm.toggleDPICalibration(); // the engine's report has not been published yet

    EXPECT_EQ(h.engine.log.count("Started guided 10 cm DPI calibration test"), 2U);
    EXPECT_EQ(vm.toastMessage(), "Slide your mouse 10 cm horizontally, then click Stop.");
}

TEST(InputStudioAcceleration, AnAcceptedChangeIsWrittenToTheSystemAndTheFile)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.setDisableMouseAcceleration(true);

    EXPECT_TRUE(PointerAccelerationBridge(h.preferences).isAccelerationDisabled());
    EXPECT_TRUE(vm.settings().disableMouseAcceleration);
    EXPECT_EQ(h.settingsFileJson()["disableMouseAcceleration"], true);
    EXPECT_FALSE(vm.toastIsError());
}

TEST(InputStudioAcceleration, ARefusedChangePublishesWhatTheSystemHas)
{
    StudioHarness h;
    h.preferences.storeLinear(true);
    auto& vm = h.start();
    h.preferences.setSynchronizeFails(true);

    vm.setDisableMouseAcceleration(false);

    const bool actual = PointerAccelerationBridge(h.preferences).isAccelerationDisabled();
    EXPECT_EQ(vm.settings().disableMouseAcceleration, actual);
    EXPECT_EQ(h.settingsFileJson()["disableMouseAcceleration"], actual);
    EXPECT_EQ(vm.toastMessage(), "Pointer acceleration could not be changed.");
    EXPECT_TRUE(vm.toastIsError());
}

TEST(InputStudioAcceleration, ResetLeavesTheSystemAlone)
{
    StudioHarness h;
    h.preferences.storeLinear(true);
    auto& vm = h.start();
    vm.applySettingsChange([](InputSettings& s) { s.engineEnabled = false; });
    h.journal.clear();

    vm.resetToDefaults();

    EXPECT_TRUE(PointerAccelerationBridge(h.preferences).isAccelerationDisabled());
    EXPECT_EQ(h.storedSettings(), InputSettings {});
    EXPECT_TRUE(vm.isTapActive());
    for (const auto& entry : h.journal.entries()) {
        EXPECT_NE(entry.rfind("prefs.set", 0), 0U) << entry;
    }
}

TEST(InputStudioOperations, TogglingTheEngineStartsAndStopsTheTap)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.toggleEngine();
    EXPECT_FALSE(vm.isTapActive());
    EXPECT_FALSE(h.storedSettings().engineEnabled);

    vm.toggleEngine();
    EXPECT_TRUE(vm.isTapActive());
    EXPECT_TRUE(h.storedSettings().engineEnabled);
}

TEST(InputStudioOperations, PreviewShowsASampleTokenAndARippleWhateverTheSettings)
{
    StudioHarness h;
    h.permission.setAccessibilityGranted(false);
    auto settings = InputSettings {};
    settings.keyHUDPosition = KeyHUDPosition::bottomRight;
    settings.keyHUDDurationSeconds = 0.2;
    h.writeSettingsFile(settings);
    h.screens.setPointerLocation({640, 400});
    auto& vm = h.start();

    vm.previewKeyHUD();

    ASSERT_EQ(h.overlays.pushes().size(), 1U);
    const auto& push = h.overlays.pushes()[0];
    EXPECT_EQ(push.token.text, "⇧⌘K");
    EXPECT_TRUE(push.token.isShortcut);
    EXPECT_EQ(push.token.timestamp, h.engine.clock.wallNow());
    EXPECT_EQ(push.position, KeyHUDPosition::bottomRight);
    EXPECT_EQ(push.durationSeconds, 0.2);
    ASSERT_EQ(h.overlays.ripples().size(), 1U);
    EXPECT_EQ(h.overlays.ripples()[0].screenPoint, (ClickRippleEvent::Point {640, 400}));
    EXPECT_FALSE(h.overlays.ripples()[0].isRightClick);
    EXPECT_FALSE(vm.toastMessage());
}

TEST(InputStudioOperations, LaunchAtLoginPublishesTheRealState)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.toggleLaunchAtLogin(true);
    EXPECT_TRUE(vm.launchAtLogin());
    EXPECT_FALSE(vm.toastMessage());

    h.loginItem.setFailing(true);
    vm.toggleLaunchAtLogin(false);
    EXPECT_TRUE(vm.launchAtLogin());
    EXPECT_TRUE(vm.toastIsError());
}

TEST(InputStudioOperations, TheHardwareReportGoesToTheClipboard)
{
    StudioHarness h;
    h.addDevice("MX Master 3", 0x046D);
    h.addDevice("Touchpad", 0, true);
    auto& vm = h.start();

    vm.copyHardwareReport();

    EXPECT_EQ(h.pasteboard.text(), USBVendorRegistry::formatHardwareReport(vm.connectedDevices()));
    EXPECT_NE(h.pasteboard.text().find("MX Master 3"), std::string::npos);
}

TEST(InputStudioOperations, ResettingDiagnosticsClearsTheChartAndTheEngineCounters)
{
    StudioHarness h;
    auto& vm = h.start();
    for (int report = 0; report < 3; ++report) {
        h.slidePointer(150, 15);
    }
    ASSERT_FALSE(vm.hzHistory().empty());

    vm.resetDiagnostics();
    h.runMainThread();

    EXPECT_TRUE(vm.hzHistory().empty());
    EXPECT_EQ(vm.telemetry(), PointerTelemetrySnapshot {});
    EXPECT_EQ(vm.calibration().sessionPixelsTraveled, 0);
}

struct PrimaryMouseCase {
    const char* name;
    std::vector<std::pair<const char*, bool>> devices;
    std::optional<std::string> expected;
};

// Names the row in test output.
void PrintTo(const PrimaryMouseCase& row, std::ostream* out)
{
    *out << row.name;
}

class InputStudioPrimaryMouse : public ::testing::TestWithParam<PrimaryMouseCase> { };

TEST_P(InputStudioPrimaryMouse, PrefersAnExternalDevice)
{
    StudioHarness h;
    for (const auto& [product, builtIn] : GetParam().devices) {
        h.addDevice(product, builtIn ? 0 : 0x046D, builtIn);
    }
    auto& vm = h.start();

    const auto primary = vm.primaryExternalMouse();

    EXPECT_EQ(primary ? std::optional(primary->productName) : std::nullopt, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lists, InputStudioPrimaryMouse,
    ::testing::Values(
        PrimaryMouseCase {"touchpadThenMouse", {{"Touchpad", true}, {"MX Master 3", false}}, "MX Master 3"},
        PrimaryMouseCase {"onlyTouchpad", {{"Touchpad", true}}, "Touchpad"},
        PrimaryMouseCase {"nothing", {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InputStudioOperations, RunningApplicationsAreSortedByNameIgnoringCaseAndKeepTies)
{
    StudioHarness h;
    h.engine.workspace.setRunning({
        {"org.gnome.Nautilus", "files"},
        {"org.gimp.GIMP", "GIMP"},
        {"", "No identifier"},
        {"org.example.Nameless", ""},
        {"org.kde.dolphin", "Files"},
        {"firefox", "Firefox"},
        {"org.gnome.Nautilus", "files"},
        {"org.example.Zed", "zed"},
        {"org.example.Emacs", "Émacs"},
    });
    auto& vm = h.start();

    const auto apps = vm.runningDesktopApps();

    EXPECT_EQ(apps,
        (std::vector<RunningApplication> {
            {"org.example.Emacs", "Émacs"},
            {"org.gnome.Nautilus", "files"},
            {"org.kde.dolphin", "Files"},
            {"org.gnome.Nautilus", "files"},
            {"firefox", "Firefox"},
            {"org.gimp.GIMP", "GIMP"},
            {"org.example.Zed", "zed"},
        }));
}

} // namespace
} // namespace tarn::input::testing
