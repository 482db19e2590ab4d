#include "TarnInput/App/Studio/MainInputStudioView.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <gtest/gtest.h>

#include "TarnInput/App/Studio/ElidedLabel.h"
#include "TarnInput/App/Studio/EnginePillButton.h"
#include "TarnInput/App/Studio/StudioTabButton.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/App/tests/AppTestSupport.h"
#include "TarnInput/Screens/PermissionStepsDialog.h"
#include "TarnInput/Screens/Profiles/ProfilesAndMacrosView.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Glass/TarnToastBanner.h"

namespace tarn::input::testing {
namespace {

QString labelOf(const QWidget& view, std::string_view name)
{
    return control<QAbstractButton>(view, (std::string(name) + "Tab").c_str())->text();
}

TEST(MainInputStudioView, TabsRunInOrderWithTheirLabelsAndStartOnHardware)
{
    ScreenFixture f;
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    const std::vector<std::pair<QString, QString>> labels {{"Hardware", "Donanım & Hz"}, {"Scroll", "Kaydırma"},
        {"Buttons", "Tuşlar"}, {"Profiles & Macro", "Profiller & Makro"}, {"Gestures", "Hareketler"},
        {"KeyHUD", "KeyHUD"}, {"Settings", "Ayarlar"}};
    const auto buttons = view.header()->findChildren<StudioTabButton*>();
    ASSERT_EQ(buttons.size(), 7);
    for (std::size_t index = 0; index < kStudioTabs.size(); ++index) {
        EXPECT_EQ(
            buttons[static_cast<int>(index)]->objectName().toStdString(), std::string(kStudioTabs[index].name) + "Tab")
            << "strip order";
        EXPECT_EQ(labelOf(view, kStudioTabs[index].name), labels[index].first);
    }
    EXPECT_EQ(view.currentScreen()->objectName(), "hardwareScreen");
    EXPECT_TRUE(control<StudioTabButton>(view, "hardwareTab")->isSelected());

    f.setLanguage(TarnLanguage::tr);
    for (std::size_t index = 0; index < kStudioTabs.size(); ++index) {
        EXPECT_EQ(labelOf(view, kStudioTabs[index].name), labels[index].second);
    }
    EXPECT_EQ(control<QLabel>(view, "studioTitle")->text(), "TarnInput") << "a single text";
    EXPECT_EQ(f.saves(), 0);
}

TEST(MainInputStudioView, AScreenIsBuiltWhenItsTabIsChosenAndDestroyedWhenLeft)
{
    ScreenFixture f;
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    for (const auto& info : kStudioTabs) {
        QPointer<QWidget> before = view.currentScreen();
        control<QAbstractButton>(view, (std::string(info.name) + "Tab").c_str())->click();
        EXPECT_EQ(vm.selectedTab(), info.tab);
        EXPECT_EQ(view.currentScreen()->objectName().toStdString(), std::string(info.name) + "Screen");
        EXPECT_TRUE(control<StudioTabButton>(view, (std::string(info.name) + "Tab").c_str())->isSelected());
        if (info.tab != InputStudioTab::hardware) {
            EXPECT_TRUE(before.isNull()) << "the screen left behind is gone: " << info.name;
        }
    }
    // Choosing the shown tab again builds its screen afresh: its form state starts over.
    QPointer<QWidget> settings = view.currentScreen();
    control<QAbstractButton>(view, "settingsTab")->click();
    EXPECT_TRUE(settings.isNull());
    EXPECT_EQ(view.findChildren<QWidget*>("settingsScreen").size(), 1);
}

TEST(MainInputStudioView, TheProfilesTabShowsTheProfilesScreen)
{
    ScreenFixture f;
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    control<QAbstractButton>(view, "profilesTab")->click();
    EXPECT_NE(qobject_cast<ProfilesAndMacrosView*>(view.currentScreen()), nullptr);
}

TEST(MainInputStudioView, SubtitleFallsFromProfileToDeviceToTheTabSummary)
{
    ScreenFixture f;
    auto settings = InputSettings {};
    settings.appProfiles = AppInputProfileEngine::builtInTemplates();
    f.harness.writeSettingsFile(settings);
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    auto* subtitle = control<ElidedLabel>(view, "headerSubtitle");
    EXPECT_EQ(subtitle->fullText(), "Hardware · Scroll · Profiles & Macros");
    view.show();
    subtitle->resize(60, subtitle->height());
    EXPECT_TRUE(subtitle->text().endsWith(QStringLiteral("…"))) << "a cut subtitle ends in an ellipsis";
    EXPECT_EQ(subtitle->toolTip(), subtitle->fullText());
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(subtitle->fullText(), "Donanım · Kaydırma · Profiller & Makro");

    f.harness.addDevice("Touchpad", 0, true);
    vm.refreshDevices(false);
    const auto device = vm.primaryExternalMouse();
    ASSERT_TRUE(device);
    const QString deviceLine = QString::fromStdString(device->brandName + " · " + device->productName);
    EXPECT_EQ(subtitle->fullText(), deviceLine) << "a built-in device stands in for an external one, in any language";
    EXPECT_EQ(subtitle->palette().color(QPalette::WindowText), TarnGlassTokens::textSecondary());

    f.harness.engine.workspace.activate("com.apple.Safari", "Safari");
    f.harness.runMainThread();
    EXPECT_EQ(subtitle->fullText(), "Aktif Profil: Safari");
    EXPECT_EQ(subtitle->palette().color(QPalette::WindowText), ScreenFixture::accent()) << "a profile wins";
    f.setLanguage(TarnLanguage::en);
    EXPECT_EQ(subtitle->fullText(), "Active Profile: Safari");

    f.harness.engine.workspace.activate("org.example.Other", "Other");
    f.harness.runMainThread();
    EXPECT_EQ(subtitle->fullText(), deviceLine);
}

TEST(MainInputStudioView, PillShowsTheEngineSwitchAndTheTapSeparately)
{
    ScreenFixture f;
    f.harness.permission.setAccessibilityGranted(false);
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    auto* pill = control<EnginePillButton>(view, "enginePill");
    ASSERT_TRUE(vm.settings().engineEnabled);
    EXPECT_EQ(pill->text(), "Active");
    EXPECT_TRUE(pill->isEngineEnabled());
    EXPECT_FALSE(pill->isTapActive()) << "no permission: a warning dot beside \"Active\"";
    EXPECT_FALSE(control<QWidget>(view, "permissionBanner")->isHidden());

    f.harness.permission.setAccessibilityGranted(true);
    f.harness.noticeDeviceChange();
    EXPECT_TRUE(pill->isTapActive()) << "the watcher sees the grant at the next device change";
    EXPECT_TRUE(control<QWidget>(view, "permissionBanner")->isHidden());

    pill->click();
    EXPECT_FALSE(vm.settings().engineEnabled);
    EXPECT_EQ(pill->text(), "Paused");
    EXPECT_FALSE(pill->isEngineEnabled());
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(pill->text(), "Duraklatıldı");
    pill->click();
    EXPECT_EQ(pill->text(), "Aktif");
    EXPECT_EQ(f.harness.storedSettings().engineEnabled, true);
}

// At the default size, in both languages, the subtitle is shown whole, also its longest form.
TEST(MainInputStudioView, TheSubtitleIsNotCutAtTheDefaultSize)
{
    ScreenFixture f;
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    view.resize(StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight);
    view.show();
    for (const auto language : {TarnLanguage::en, TarnLanguage::tr}) {
        f.setLanguage(language);
        QApplication::processEvents();
        auto* subtitle = control<ElidedLabel>(view, "headerSubtitle");
        EXPECT_EQ(subtitle->text(), subtitle->fullText()) << static_cast<int>(language);
        EXPECT_TRUE(subtitle->toolTip().isEmpty());
    }
}

// Without a browser a help page would show nothing: the steps are shown in the program itself.
TEST(MainInputStudioView, GrantPermissionShowsTheStepsAndTheBannerStaysUntilGranted)
{
    ScreenFixture f;
    f.harness.permission.setAccessibilityGranted(false);
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    auto* grant = control<QAbstractButton>(view, "grantPermissionButton");
    EXPECT_EQ(grant->text(), "Grant Permission");
    EXPECT_TRUE(control<QLabel>(view, "permissionBannerText")->text().startsWith("Input device permission"));
    grant->click();
    grant->click();
    const auto dialogs = view.findChildren<PermissionStepsDialog*>();
    ASSERT_EQ(dialogs.size(), 1) << "a second click brings the same dialog forward";
    auto* steps = dialogs.front();
    EXPECT_TRUE(steps->isVisible());
    EXPECT_TRUE(steps->commandText().contains("sudo usermod -aG input \"$USER\""));
    control<QAbstractButton>(*steps, "copyPermissionCommands")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), steps->commandText());
    EXPECT_EQ(f.harness.engine.log.count("Input permission still missing: showing the steps that grant it."), 2U);
    EXPECT_FALSE(control<QWidget>(view, "permissionBanner")->isHidden()) << "clicking grants nothing";
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(grant->text(), "İzin Ver");
    EXPECT_TRUE(control<QLabel>(view, "permissionBannerText")->text().endsWith("giriş aygıtı izni gerekir."));
}

TEST(MainInputStudioView, TheToastShowsTheNewestMessageAndGoesWhenCleared)
{
    ScreenFixture f;
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    view.resize(1180, 760);
    auto* toast = control<TarnToastBanner>(view, "toast");
    EXPECT_TRUE(toast->isHidden());
    vm.showToast("First", false);
    EXPECT_FALSE(toast->isHidden());
    f.harness.advance(std::chrono::milliseconds(1000));
    vm.showToast("Second", true);
    EXPECT_EQ(toast->message(), "Second");
    EXPECT_TRUE(toast->isError());
    EXPECT_EQ(toast->geometry().bottom() + 1, view.height() - MainInputStudioView::kToastBottomPadding);
    EXPECT_NEAR(toast->geometry().center().x(), view.width() / 2, 1) << "centred";
    f.harness.advance(InputStudioViewModel::kToastDuration - std::chrono::milliseconds(1));
    EXPECT_FALSE(toast->isHidden()) << "a new toast restarts the 2.6 s";
    f.harness.advance(std::chrono::milliseconds(1));
    EXPECT_TRUE(toast->isHidden());
}

} // namespace
} // namespace tarn::input::testing
