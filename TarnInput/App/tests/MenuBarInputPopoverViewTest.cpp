#include "TarnInput/App/Tray/MenuBarInputPopoverView.h"

#include <QAbstractButton>
#include <QLabel>
#include <gtest/gtest.h>

#include "TarnInput/App/Studio/StatusDot.h"
#include "TarnInput/App/tests/AppTestSupport.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"

namespace tarn::input::testing {
namespace {

struct Popover {
    explicit Popover(ScreenFixture& f)
        : tray(f.vm(), f.vm(), f.vm())
        , view(
              tray, [this] { ++opened; }, [this] { ++quits; })
    {
    }
    int opened = 0;
    int quits = 0;
    TrayViewModel tray;
    MenuBarInputPopoverView view;
};

TEST(MenuBarInputPopoverView, EachSwitchWritesItsOneSettingWithOneSaveAndNoToast)
{
    ScreenFixture f;
    auto& vm = f.start();
    Popover p(f);
    p.view.adjustSize();
    EXPECT_EQ(p.view.width(), MenuBarInputPopoverView::kWidth) << "the padding included, whatever the texts";
    const std::vector<std::tuple<const char*, QString, QString, bool InputSettings::*>> rows {
        {"reverseMouseWheel", "Reverse External Mouse", "Harici Fare Ters Kaydırma", &InputSettings::reverseMouseWheel},
        {"smoothScrollEnabled", "120Hz Smooth Scroll", "120Hz Akıcı Kaydırma", &InputSettings::smoothScrollEnabled},
        {"doubleClickGuardEnabled", "Double-Click Switch Fixer", "Çift Tık (Bounce) Engelleyici",
            &InputSettings::doubleClickGuardEnabled},
        {"easyWindowDragEnabled", "Easy Window Drag (Ctrl+Alt+Drag)", "Kolay Pencere Taşı (Ctrl+Alt+Sürükle)",
            &InputSettings::easyWindowDragEnabled},
        {"buttonRemapEnabled", "Side/Middle Button Remap", "Yan/Orta Tuş Ataması", &InputSettings::buttonRemapEnabled},
        {"keyHUDEnabled", "Presentation KeyHUD (Alt+Super+H)", "Sunum Kısayol HUD (Alt+Super+H)",
            &InputSettings::keyHUDEnabled},
    };
    const auto boxes = p.view.findChildren<SwitchToggle*>();
    ASSERT_EQ(boxes.size(), 6);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const auto& [name, en, tr, field] = rows[index];
        auto* box = boxes[static_cast<int>(index)];
        EXPECT_EQ(box->objectName(), name) << "switch order";
        EXPECT_EQ(box->text(), en);
        const bool before = vm.settings().*field;
        EXPECT_EQ(box->isChecked(), before) << name;
        f.forgetSaves();
        box->click();
        EXPECT_EQ(vm.settings().*field, !before) << name;
        EXPECT_EQ(f.harness.storedSettings().*field, !before) << name;
        EXPECT_EQ(f.saves(), 1) << name;
    }
    EXPECT_TRUE(f.toasts().empty()) << "unlike the named operations, the switches show no toast";

    f.setLanguage(TarnLanguage::tr);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        EXPECT_EQ(boxes[static_cast<int>(index)]->text(), std::get<2>(rows[index]));
    }
    EXPECT_EQ(control<QAbstractButton>(p.view, "openStudioButton")->text(), "Stüdyoyu Aç");
    EXPECT_EQ(control<QAbstractButton>(p.view, "quitButton")->text(), "Çıkış");
}

TEST(MenuBarInputPopoverView, SwitchesFollowChangesMadeElsewhere)
{
    ScreenFixture f;
    auto& vm = f.start();
    Popover p(f);
    auto* hud = control<QAbstractButton>(p.view, "keyHUDEnabled");
    EXPECT_FALSE(hud->isChecked());
    vm.toggleKeyHUD();
    EXPECT_TRUE(hud->isChecked());
    f.forgetSaves();
    vm.resetToDefaults();
    EXPECT_FALSE(hud->isChecked());
    EXPECT_EQ(f.saves(), 1) << "showing a value writes nothing back";
}

TEST(MenuBarInputPopoverView, DeviceRowShowsOnlyWithADeviceAndTheBatteryOnlyWhenRead)
{
    ScreenFixture f;
    auto& vm = f.start();
    Popover p(f);
    EXPECT_TRUE(control<QWidget>(p.view, "deviceRow")->isHidden()) << "no empty box without a device";

    f.harness.addDevice("Touchpad", 0, true);
    vm.refreshDevices(false);
    EXPECT_FALSE(control<QWidget>(p.view, "deviceRow")->isHidden());
    EXPECT_TRUE(control<QLabel>(p.view, "deviceDetail")->text().startsWith("Built-in"));
    EXPECT_TRUE(control<QLabel>(p.view, "deviceBattery")->isHidden());

    f.harness.addDevice("Mouse", 0x046D);
    f.harness.devices.setBatteries({{0, std::nullopt, "Mouse", 0x046D, 0xC077}});
    vm.refreshDevices(false);
    const auto device = vm.primaryExternalMouse();
    ASSERT_TRUE(device);
    EXPECT_EQ(control<QLabel>(p.view, "deviceName")->text(),
        QString::fromStdString(device->brandName + " · " + device->productName));
    EXPECT_EQ(control<QLabel>(p.view, "deviceDetail")->text(),
        QString::fromStdString(device->connectionBadge() + " · " + device->vendorProductHex()));
    EXPECT_EQ(control<SymbolLabel>(p.view, "deviceSymbol")->symbol(), "computermouse.fill");
    ASSERT_EQ(device->batteryPercent, 0);
    EXPECT_FALSE(control<QLabel>(p.view, "deviceBattery")->isHidden());
    EXPECT_EQ(control<QLabel>(p.view, "deviceBattery")->text(), "0%") << "an empty battery is still a reading";
}

TEST(MenuBarInputPopoverView, ProfileRowNamesTheFrontmostApplicationAndItsProfile)
{
    ScreenFixture f;
    auto settings = InputSettings {};
    settings.appProfiles = AppInputProfileEngine::builtInTemplates();
    f.harness.writeSettingsFile(settings);
    f.start();
    Popover p(f);
    auto* symbol = control<SymbolLabel>(p.view, "profileSymbol");
    auto* profile = control<QLabel>(p.view, "profileName");
    EXPECT_EQ(symbol->symbol(), "globe");
    EXPECT_EQ(profile->text(), "Global");
    EXPECT_EQ(control<QLabel>(p.view, "frontmostAppName")->text(), "Desktop");

    f.harness.engine.workspace.activate("com.apple.Safari", "Safari");
    f.harness.runMainThread();
    EXPECT_EQ(symbol->symbol(), "sparkles");
    EXPECT_EQ(profile->text(), "Safari");
    EXPECT_EQ(control<QLabel>(p.view, "frontmostAppName")->text(), "Safari");

    f.harness.engine.workspace.activate("org.example.Other", "Other");
    f.harness.runMainThread();
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(symbol->symbol(), "globe");
    EXPECT_EQ(profile->text(), "Global");
}

TEST(MenuBarInputPopoverView, StatusDotFollowsTheTapAndTheButtonsCallTheirActions)
{
    ScreenFixture f;
    f.harness.permission.setAccessibilityGranted(false);
    f.start();
    Popover p(f);
    auto* dot = control<StatusDot>(p.view, "statusDot");
    EXPECT_FALSE(dot->isOn());
    f.harness.permission.setAccessibilityGranted(true);
    f.harness.noticeDeviceChange();
    EXPECT_TRUE(dot->isOn());

    control<QAbstractButton>(p.view, "openStudioButton")->click();
    control<QAbstractButton>(p.view, "quitButton")->click();
    EXPECT_EQ(p.opened, 1);
    EXPECT_EQ(p.quits, 1);
}

} // namespace
} // namespace tarn::input::testing
