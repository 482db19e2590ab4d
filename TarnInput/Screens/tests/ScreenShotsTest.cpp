// Renders every screen at the studio's default size, in English and Turkish, over the studio's
// ground, into the folder named by TARN_SCREENSHOT_DIR; skipped without it. For looking at.

#include <functional>
#include <memory>

#include <QAbstractScrollArea>
#include <QDir>
#include <QScrollBar>
#include <QStackedLayout>
#include <gtest/gtest.h>

#include "TarnInput/Screens/GestureChordsAndDevicesView.h"
#include "TarnInput/Screens/Hardware/DevicesAndDiagnosticsView.h"
#include "TarnInput/Screens/InputSettingsView.h"
#include "TarnInput/Screens/KeyHUDConfigView.h"
#include "TarnInput/Screens/MouseButtonsView.h"
#include "TarnInput/Screens/Profiles/MacroStudioSectionView.h"
#include "TarnInput/Screens/Profiles/ProfilesAndMacrosView.h"
#include "TarnInput/Screens/ScreenOverViewModel.h"
#include "TarnInput/Screens/ScrollEngineView.h"
#include "TarnInput/Screens/Widgets/ScreenPage.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/ViewModel/MacroBuilderFormState.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/HardwareViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/KeyHUDViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/SettingsViewModel.h"
#include "TarnInputCore/Model/Macros/MacroPresetLibrary.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"
#include "TarnKit/UI/Glass/TarnGroundBackground.h"

namespace tarn::input::testing {
namespace {

using ScreenFactory = std::function<QWidget*(ScreenFixture&)>;

void addSampleDevices(StudioHarness& harness)
{
    HIDDeviceProperties mouse;
    mouse.devicePath = "/sys/devices/mx";
    mouse.product = "MX Master 3S";
    mouse.manufacturer = "Logitech";
    mouse.vendorID = 0x046D;
    mouse.productID = 0xB034;
    mouse.transport = "Bluetooth Low Energy";
    mouse.serialNumber = "F8A1C93D22B7E0";
    mouse.versionNumber = 0x1204;
    mouse.reportIntervalMicroseconds = 1000;
    mouse.buttonUsages = std::vector<std::int64_t> {1, 2, 3, 4, 5};
    harness.devices.addDevice(mouse);
    harness.devices.setBatteries(
        {{.batteryPercent = 85, .serialNumber = {}, .product = {}, .vendorID = 0x046D, .productID = 0xB034}});
    HIDDeviceProperties touchpad;
    touchpad.devicePath = "/sys/devices/touchpad";
    touchpad.product = "SYNA2393:00 06CB:7A13 Touchpad";
    touchpad.transport = "I2C";
    touchpad.builtIn = true;
    harness.devices.addDevice(touchpad);
}

void render(const char* name, const ScreenFactory& factory)
{
    const QString folder = qEnvironmentVariable("TARN_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "set TARN_SCREENSHOT_DIR to render the screens";
    }
    for (const auto language : {TarnLanguage::en, TarnLanguage::tr}) {
        ScreenFixture f;
        addSampleDevices(f.harness);
        f.harness.engine.workspace.setRunning({{"org.mozilla.firefox", "Firefox"}, {"org.gimp.GIMP", "GIMP"}});
        auto& vm = f.start();
        // Stored as the language menu stores it, so the menu shows the language and not the system row.
        vm.languageSettings().setCurrent(language);
        vm.setLanguage(language);
        TarnGroundBackground ground(TarnProductPalette::deepAbyss);
        auto* stack = new QStackedLayout(&ground);
        auto* screen = qobject_cast<QAbstractScrollArea*>(factory(f));
        ASSERT_NE(screen, nullptr);
        stack->addWidget(screen);
        ground.resize(1180, 760);
        ground.show();
        const QString stem = QStringLiteral("%1-%2").arg(name, language == TarnLanguage::en ? "en" : "tr");
        EXPECT_TRUE(ground.grab().save(QDir(folder).filePath(stem + ".png")));
        // The rest of a long screen, scrolled to its end.
        screen->verticalScrollBar()->setValue(screen->verticalScrollBar()->maximum());
        EXPECT_TRUE(ground.grab().save(QDir(folder).filePath(stem + "-end.png")));
    }
}

TEST(ScreenShots, Hardware)
{
    render("hardware", [](auto& f) {
        return screenOverViewModel<DevicesAndDiagnosticsView>(
            std::make_unique<HardwareViewModel>(f.vm(), f.vm(), f.vm()), ScreenFixture::accent());
    });
    // The lab while a test runs, after some travel.
    render("hardware-calibrating", [](auto& f) {
        f.vm().toggleDPICalibration();
        f.harness.slidePointer(3000, 30);
        return screenOverViewModel<DevicesAndDiagnosticsView>(
            std::make_unique<HardwareViewModel>(f.vm(), f.vm(), f.vm()), ScreenFixture::accent());
    });
}

TEST(ScreenShots, Scroll)
{
    render("scroll", [](auto& f) {
        return screenOverViewModel<ScrollEngineView>(
            std::make_unique<ScrollViewModel>(f.vm(), f.vm()), ScreenFixture::accent());
    });
}

TEST(ScreenShots, Buttons)
{
    render("buttons", [](auto& f) {
        ButtonsViewModel(f.vm(), f.vm(), f.vm())
            .addRule("org.mozilla.firefox", "Firefox", MouseButtonKind::middle, MouseButtonAction::closeTab);
        return screenOverViewModel<MouseButtonsView>(
            std::make_unique<ButtonsViewModel>(f.vm(), f.vm(), f.vm()), ScreenFixture::accent());
    });
}

// The macro section alone on a page, with a preset, a macro of the user's and a builder in use.
TEST(ScreenShots, Macros)
{
    render("macros", [](auto& f) {
        ProfilesViewModel(f.vm(), f.vm(), f.vm(), f.vm()).addMacroPreset(MacroPresetLibrary::makePresets().at(0));
        auto* page = new ScreenPage;
        auto* section = screenOverViewModel<MacroStudioSectionView>(
            std::make_unique<ProfilesViewModel>(f.vm(), f.vm(), f.vm(), f.vm()), ScreenFixture::accent());
        auto& form = section->form();
        form.setName("Copy & Search");
        form.setDescriptionText("Copies the selection and searches it");
        form.setTriggerButtonTag(4);
        form.addKeystrokeStep();
        form.addDelayStep();
        form.setTypeTextInput("a long snippet of text to type");
        form.addTypeTextStep();
        ProfilesViewModel(f.vm(), f.vm(), f.vm(), f.vm()).saveMacro(form.buildDraftMacro());
        form.setUseShift(true);
        form.addKeystrokeStep();
        form.setName("Draft");
        page->addSection(section);
        return page;
    });
}

TEST(ScreenShots, Gestures)
{
    render("gestures", [](auto& f) {
        return screenOverViewModel<GestureChordsAndDevicesView>(
            std::make_unique<ButtonsViewModel>(f.vm(), f.vm(), f.vm()), ScreenFixture::accent());
    });
}

TEST(ScreenShots, KeyHUD)
{
    render("keyhud", [](auto& f) {
        // A few lines of engine activity, each a second apart.
        for (int press = 0; press < 3; ++press) {
            f.harness.engine.clock.advance(std::chrono::seconds(1));
            TapEvent event;
            event.buttonNumber = ButtonNumber::back;
            event.type = TapEventType::otherMouseDown;
            f.harness.engine.tap.deliver(event);
            event.type = TapEventType::otherMouseUp;
            f.harness.engine.tap.deliver(event);
            f.harness.runMainThread();
        }
        return screenOverViewModel<KeyHUDConfigView>(
            std::make_unique<KeyHUDViewModel>(f.vm(), f.vm()), ScreenFixture::accent());
    });
}

TEST(ScreenShots, Settings)
{
    render("settings", [](auto& f) {
        return screenOverViewModel<InputSettingsView>(
            std::make_unique<SettingsViewModel>(f.vm(), f.vm()), ScreenFixture::accent());
    });
    render("settings-no-permission", [](auto& f) {
        f.harness.permission.setAccessibilityGranted(false);
        f.vm().refreshPermissionAndTap(false);
        return screenOverViewModel<InputSettingsView>(
            std::make_unique<SettingsViewModel>(f.vm(), f.vm()), ScreenFixture::accent());
    });
}

TEST(ScreenShots, Profiles)
{
    render("profiles-empty", [](auto& f) {
        return screenOverViewModel<ProfilesAndMacrosView>(
            std::make_unique<ProfilesViewModel>(f.vm(), f.vm(), f.vm(), f.vm()), ScreenFixture::accent());
    });
    // Two profiles, the second in use for the application in front.
    render("profiles", [](auto& f) {
        ProfilesViewModel profiles(f.vm(), f.vm(), f.vm(), f.vm());
        profiles.addProfileTemplate(AppInputProfileEngine::builtInTemplates().at(1));
        profiles.addProfile("org.gimp.GIMP", "GIMP");
        auto profile = profiles.settings().appProfiles.at(1);
        profile.scrollSpeedMultiplierOverride = 1.35;
        profile.reverseMouseWheelOverride = true;
        profiles.updateProfile(profile);
        f.harness.engine.workspace.activate("org.gimp.GIMP", "GIMP");
        f.harness.runMainThread();
        return screenOverViewModel<ProfilesAndMacrosView>(
            std::make_unique<ProfilesViewModel>(f.vm(), f.vm(), f.vm(), f.vm()), ScreenFixture::accent());
    });
}

} // namespace
} // namespace tarn::input::testing
