#include "TarnInput/Screens/InputSettingsView.h"

#include <fstream>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>

#include "TarnInput/Screens/PermissionStepsDialog.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/SettingsViewModel.h"
#include "TarnKit/Localization/TarnLanguageSettings.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"
#include "TarnKit/UI/Pickers/TarnLanguagePicker.h"

namespace tarn::input::testing {
namespace {

using namespace std::chrono_literals;

QComboBox& languageMenu(const QWidget& screen)
{
    return *control<QComboBox>(*control<TarnLanguagePicker>(screen, "interfaceLanguage"), "languagePickerCombo");
}

int rowOf(const QComboBox& menu, std::string_view code)
{
    return menu.findData(QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size())));
}

TEST(InputSettingsView, PermissionRowFollowsTheWatcherAndTheButtonShowsTheSteps)
{
    ScreenFixture f;
    f.harness.permission.setAccessibilityGranted(false);
    auto& vm = f.start();
    SettingsViewModel settings(vm, vm);
    InputSettingsView screen(settings, ScreenFixture::accent());
    auto* label = control<SymbolLabel>(screen, "inputPermission");
    auto* help = control<TarnGlassButton>(screen, "openPermissionHelp");
    EXPECT_EQ(label->text(), "Input Device Permission: Required");
    EXPECT_EQ(label->symbol(), "exclamationmark.shield.fill");
    EXPECT_EQ(label->color(), TarnGlassTokens::warning());

    help->click();
    help->click();
    EXPECT_EQ(screen.window()->findChildren<PermissionStepsDialog*>().size(), 1) << "shown once, brought forward";
    EXPECT_EQ(label->text(), "Input Device Permission: Required") << "the screen does not check again itself";

    f.harness.permission.setAccessibilityGranted(true);
    f.harness.noticeDeviceChange();
    EXPECT_EQ(label->text(), "Input Device Permission: Granted");
    EXPECT_EQ(label->symbol(), "checkmark.shield.fill");
    EXPECT_EQ(label->color(), TarnGlassTokens::success());
    EXPECT_FALSE(help->isHidden()) << "still offered once granted";
    help->click();
    EXPECT_TRUE(f.harness.openedAddresses().empty()) << "shown in the program, no browser needed";
    EXPECT_EQ(f.saves(), 0);
    EXPECT_TRUE(f.toasts().empty());
}

TEST(InputSettingsView, LaunchSwitchShowsWhatTheDesktopReportsAfterEveryChange)
{
    ScreenFixture f;
    auto& vm = f.start();
    SettingsViewModel settings(vm, vm);
    InputSettingsView screen(settings, ScreenFixture::accent());
    auto* launch = control<QCheckBox>(screen, "launchAtLogin");
    EXPECT_FALSE(launch->isChecked());

    launch->click();
    EXPECT_TRUE(f.harness.loginItem.isRegistered());
    EXPECT_TRUE(launch->isChecked());
    EXPECT_TRUE(f.toasts().empty()) << "success is silent";

    f.harness.loginItem.setFailing(true);
    launch->click();
    EXPECT_TRUE(f.harness.loginItem.isRegistered());
    EXPECT_TRUE(launch->isChecked()) << "a refused change puts the switch back";
    ASSERT_EQ(f.toasts().size(), 1U);
    EXPECT_TRUE(f.toasts().front().isError);
    EXPECT_NE(f.toasts().front().message.find("autostart"), std::string::npos) << f.toasts().front().message;
    EXPECT_EQ(f.saves(), 0) << "launch at login is not an input setting";
}

TEST(InputSettingsView, RestoreDefaultsResetsTheInputSettingsEveryTimeButNotLoginOrLanguage)
{
    ScreenFixture f;
    InputSettings stored;
    stored.engineEnabled = false;
    stored.keyHUDDurationSeconds = 3;
    stored.scrollSpeedMultiplier = 2.8;
    f.harness.writeSettingsFile(stored);
    f.harness.loginItem.setRegistered(true);
    auto& vm = f.start();
    SettingsViewModel settings(vm, vm);
    InputSettingsView screen(settings, ScreenFixture::accent());
    choose(languageMenu(screen), rowOf(languageMenu(screen), "tr"));
    auto* restore = control<TarnGlassButton>(screen, "restoreDefaults");

    restore->click();
    restore->click();

    EXPECT_EQ(f.saves(), 2);
    EXPECT_EQ(f.harness.storedSettings(), InputSettings {});
    EXPECT_EQ(f.toasts(),
        (std::vector<RecordedToast> {
            {"Varsayılan giriş ayarları geri yüklendi.", false}, {"Varsayılan giriş ayarları geri yüklendi.", false}}));
    EXPECT_TRUE(control<QCheckBox>(screen, "launchAtLogin")->isChecked());
    EXPECT_EQ(vm.language(), TarnLanguage::tr);
    EXPECT_EQ(languageMenu(screen).currentData().toString(), "tr");
}

TEST(InputSettingsView, ChoosingALanguageStoresItAndRelabelsTheScreen)
{
    ScreenFixture f;
    auto& vm = f.start();
    auto& languages = vm.languageSettings();
    SettingsViewModel settings(vm, vm);
    InputSettingsView screen(settings, ScreenFixture::accent());
    const auto texts = [&screen] {
        return QStringList {screen.findChild<QLabel*>()->text(),
            control<SymbolLabel>(screen, "inputPermission")->text(),
            control<TarnGlassButton>(screen, "openPermissionHelp")->text(),
            control<QCheckBox>(screen, "launchAtLogin")->text(),
            control<TarnGlassButton>(screen, "restoreDefaults")->text()};
    };
    EXPECT_EQ(texts(),
        (QStringList {"System & Language", "Input Device Permission: Granted", "Open Permission Help",
            "Launch at Login", "Restore Default Settings"}));
    int announced = 0;
    const auto subscription = languages.observeChanges([&announced](TarnLanguage) { ++announced; });

    auto& menu = languageMenu(screen);
    choose(menu, rowOf(menu, "tr"));

    EXPECT_EQ(vm.language(), TarnLanguage::tr);
    EXPECT_EQ(languages.storedPreferenceCode(), "tr");
    EXPECT_GE(announced, 1);
    EXPECT_EQ(texts(),
        (QStringList {"Sistem ve Dil", "Giriş Aygıtı İzni: Verildi", "İzin Yardımını Aç", "Oturum Açılışında Başlat",
            "Varsayılan Ayarlara Dön"}));
    EXPECT_EQ(f.saves(), 0) << "the language is not an input setting";
}

TEST(InputSettingsView, TheSystemEntryShowsTheDesktopsLanguageAndKeepsFollowingIt)
{
    ScreenFixture f;
    f.harness.systemLanguages->setPreferredLanguages({"tr-TR", "en-US"});
    auto& vm = f.start();
    auto& languages = vm.languageSettings();
    ASSERT_EQ(vm.language(), TarnLanguage::tr);
    SettingsViewModel settings(vm, vm);
    InputSettingsView screen(settings, ScreenFixture::accent());
    auto& menu = languageMenu(screen);
    choose(menu, rowOf(menu, "en"));
    ASSERT_EQ(languages.storedPreferenceCode(), "en");
    ASSERT_EQ(control<QCheckBox>(screen, "launchAtLogin")->text(), "Launch at Login");

    choose(menu, rowOf(menu, "system"));

    EXPECT_EQ(languages.storedPreferenceCode(), "system");
    EXPECT_EQ(vm.language(), TarnLanguage::tr);
    EXPECT_EQ(control<QCheckBox>(screen, "launchAtLogin")->text(), "Oturum Açılışında Başlat");
    EXPECT_EQ(menu.currentData().toString(), "system");
}

TEST(InputSettingsView, ALanguageChosenElsewhereMovesThePicker)
{
    ScreenFixture f;
    auto& vm = f.start();
    SettingsViewModel settings(vm, vm);
    InputSettingsView screen(settings, ScreenFixture::accent());
    auto& menu = languageMenu(screen);
    choose(menu, rowOf(menu, "tr"));
    ASSERT_EQ(menu.currentData().toString(), "tr");

    // As another part of the program does it: store, then publish.
    vm.languageSettings().setCurrent(TarnLanguage::en);
    vm.setLanguage(TarnLanguage::en);

    EXPECT_EQ(menu.currentData().toString(), "en");
    EXPECT_EQ(control<QCheckBox>(screen, "launchAtLogin")->text(), "Launch at Login");
}

TEST(InputSettingsView, SaysWhenProfilesCannotFollowTheApplicationInFront)
{
    ScreenFixture f;
    auto& vm = f.start();
    SettingsViewModel settings(vm, vm);
    InputSettingsView screen(settings, ScreenFixture::accent());
    auto* hint = control<QLabel>(screen, "workspaceHint");
    EXPECT_TRUE(hint->isHidden()) << "nothing to say while the desktop tells";

    f.harness.engine.workspace.setLimitation(WorkspaceLimitation::shellExtensionMissing);
    screen.show();
    EXPECT_FALSE(hint->isHidden()) << "asked again when shown";
    EXPECT_NE(hint->text().indexOf("gnome-extensions enable tarninput@harrowfen.com"), -1)
        << hint->text().toStdString();
    vm.setLanguage(TarnLanguage::tr);
    EXPECT_TRUE(hint->text().startsWith("Uygulamaya özel profiller TarnInput GNOME Shell uzantısını bekliyor"))
        << hint->text().toStdString();

    f.harness.engine.workspace.setLimitation(WorkspaceLimitation::noWindowList);
    vm.setLanguage(TarnLanguage::en);
    EXPECT_EQ(hint->text(),
        "Per-application profiles apply to no application: this desktop does not tell TarnInput which application is "
        "in front.");

    f.harness.engine.workspace.setLimitation(std::nullopt);
    screen.hide();
    screen.show();
    EXPECT_TRUE(hint->isHidden());
}

} // namespace
} // namespace tarn::input::testing
