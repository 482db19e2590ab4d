#include "TarnInput/App/Studio/MainInputStudioView.h"

#include <functional>
#include <map>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnInput/App/Studio/ElidedLabel.h"
#include "TarnInput/App/Studio/EnginePillButton.h"
#include "TarnInput/App/Studio/StudioTabButton.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/App/tests/AppTestSupport.h"
#include "TarnInput/Screens/Controls/CapsuleChip.h"
#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/PermissionStepsDialog.h"
#include "TarnInput/Screens/Profiles/ProfilesAndMacrosView.h"
#include "TarnInput/Screens/Widgets/MetricTile.h"
#include "TarnInput/Screens/Widgets/SymbolLabel.h"
#include "TarnInputCore/Model/Macros/MacroPresetLibrary.h"
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

void chooseTab(const QWidget& view, std::string_view name)
{
    control<QAbstractButton>(view, (std::string(name) + "Tab").c_str())->click();
    QApplication::processEvents();
}

// A screen is built the first time its tab is chosen and then kept, hidden while another tab
// shows: what the user left on it (a half-built form, a scroll position) is there on return.
TEST(MainInputStudioView, EachScreenIsBuiltOnceAndKeptForTheWindowsLife)
{
    ScreenFixture f;
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    std::map<InputStudioTab, QPointer<QWidget>> built;
    for (int round = 0; round < 2; ++round) {
        for (const auto& info : kStudioTabs) {
            chooseTab(view, info.name);
            EXPECT_EQ(vm.selectedTab(), info.tab);
            auto* screen = view.currentScreen();
            ASSERT_NE(screen, nullptr);
            EXPECT_EQ(screen->objectName().toStdString(), std::string(info.name) + "Screen");
            EXPECT_TRUE(control<StudioTabButton>(view, (std::string(info.name) + "Tab").c_str())->isSelected());
            if (round == 0) {
                built[info.tab] = screen;
            }
            EXPECT_EQ(built[info.tab], screen) << "kept: " << info.name;
            for (const auto& [tab, other] : built) {
                EXPECT_EQ(other->isHidden(), tab != info.tab) << "only the chosen screen shows";
            }
        }
    }
    chooseTab(view, "settings");
    EXPECT_EQ(view.currentScreen(), built[InputStudioTab::settings]) << "choosing the shown tab again keeps it";
    EXPECT_EQ(view.findChildren<QWidget*>("settingsScreen").size(), 1);
}

TEST(MainInputStudioView, AHalfBuiltFormAndTheScrollPositionSurviveATabSwitch)
{
    ScreenFixture f;
    f.harness.engine.workspace.setRunning({{"org.gimp.GIMP", "GIMP"}});
    InputSettings settings;
    settings.appProfiles = AppInputProfileEngine::builtInTemplates();
    f.harness.writeSettingsFile(settings);
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    view.resize(StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    chooseTab(view, "profiles");
    auto* profiles = qobject_cast<QScrollArea*>(view.currentScreen());
    ASSERT_NE(profiles, nullptr);
    QTest::keyClicks(control<QLineEdit>(*profiles, "macroNameField"), "Half built");
    QTest::keyClicks(control<QLineEdit>(*profiles, "macroDescriptionField"), "not saved yet");
    for (int step = 0; step < 5; ++step) {
        control<QAbstractButton>(*profiles, step % 2 == 0 ? "addKeyStep" : "addDelayStep")->click();
    }
    QTest::keyClicks(control<QLineEdit>(*profiles, "profileBundleIDField"), "org.example.Half");
    QApplication::processEvents();
    auto* scrollBar = profiles->verticalScrollBar();
    ASSERT_GT(scrollBar->maximum(), 0) << "the profiles screen is taller than the window";
    scrollBar->setValue(scrollBar->maximum() / 2);
    const int position = scrollBar->value();

    chooseTab(view, "buttons");
    auto* buttons = view.currentScreen();
    auto* bundleField = control<QLineEdit>(*buttons, "bundleIDField");
    bundleField->selectAll();
    QTest::keyClicks(bundleField, "org.example.Typed");

    chooseTab(view, "scroll");
    chooseTab(view, "profiles");
    EXPECT_EQ(view.currentScreen(), profiles);
    EXPECT_EQ(control<QLineEdit>(*profiles, "macroNameField")->text(), "Half built");
    EXPECT_EQ(control<QLineEdit>(*profiles, "macroDescriptionField")->text(), "not saved yet");
    EXPECT_EQ(profiles->findChildren<QWidget*>("stepChip").size(), 5);
    EXPECT_EQ(control<QLineEdit>(*profiles, "profileBundleIDField")->text(), "org.example.Half");
    EXPECT_EQ(scrollBar->value(), position);
    chooseTab(view, "buttons");
    EXPECT_EQ(control<QLineEdit>(*view.currentScreen(), "bundleIDField")->text(), "org.example.Typed");
    EXPECT_TRUE(vm.settings().macros.empty());
    EXPECT_EQ(f.saves(), 0);
}

// What a person sees of a screen: every text, placeholder, picker entry and switch with whether
// it shows, in no particular order (rows rebuilt in place come last among the children).
QStringList seenOn(const QWidget& screen)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList seen;
    for (const auto* widget : screen.findChildren<QWidget*>()) {
        QString text;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            text = label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            text = button->text() + (button->isChecked() ? " [on]" : "");
        } else if (const auto* field = qobject_cast<const QLineEdit*>(widget)) {
            text = field->text() + " / " + field->placeholderText();
        } else if (const auto* picker = qobject_cast<const QComboBox*>(widget)) {
            text = entries(*picker).join('|') + " @" + picker->currentText();
        } else if (const auto* chip = qobject_cast<const CapsuleChip*>(widget)) {
            text = chip->text();
        } else if (const auto* symbol = qobject_cast<const SymbolLabel*>(widget)) {
            text = symbol->text();
        } else if (const auto* tile = qobject_cast<const MetricTile*>(widget)) {
            text = tile->title() + " " + tile->value();
        } else if (const auto* slider = qobject_cast<const ContinuousSlider*>(widget)) {
            text = QString::number(slider->knobValue());
        } else {
            continue;
        }
        seen << widget->objectName() + (widget->isVisibleTo(&screen) ? ": " : " (hidden): ") + text;
    }
    seen.sort();
    return seen;
}

std::map<std::string, QStringList> seenOnEveryScreen(const QWidget& view)
{
    std::map<std::string, QStringList> seen;
    for (const auto& info : kStudioTabs) {
        chooseTab(view, info.name);
        seen[std::string(info.name)] = seenOn(*static_cast<const MainInputStudioView&>(view).currentScreen());
    }
    return seen;
}

// Screens kept while hidden follow what changes meanwhile: a new language, settings changed
// from the tray popover or elsewhere, a reset to defaults. Each shows what a screen built
// afresh would show.
TEST(MainInputStudioView, KeptScreensShowWhatAFreshScreenWouldAfterChangesMadeElsewhere)
{
    ScreenFixture f;
    f.harness.addDevice("Wireless Mouse", 0x046d);
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView kept(vm, ScreenFixture::accent(), kit.kit());
    kept.resize(StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight);
    kept.show();
    seenOnEveryScreen(kept);

    const std::vector<std::pair<std::string, std::function<void()>>> changes {
        {"Turkish", [&] { f.setLanguage(TarnLanguage::tr); }},
        {"settings changed elsewhere",
            [&] {
                vm.applySettingsChange([](InputSettings& settings) {
                    settings.reverseMouseWheel = false;
                    settings.smoothScrollEnabled = false;
                    settings.scrollSpeedMultiplier = 2.25;
                    settings.smoothDecayRate = 0.3;
                    settings.smoothScrollExcludedBundles.push_back("org.gimp.GIMP");
                    settings.buttonRemapEnabled = false;
                    settings.middleButtonAction = MouseButtonAction::copy;
                    settings.appOverrides.push_back(AppButtonRule {Uuid::random(), "org.gimp.GIMP", "GIMP",
                        MouseButtonKind::sideBack, MouseButtonAction::paste, true});
                    settings.gestureChordsEnabled = false;
                    settings.gestureThresholdPoints = 60;
                    settings.doubleClickGuardEnabled = true;
                    settings.doubleClickGuardThresholdMs = 70;
                    settings.keyHUDEnabled = true;
                    settings.keyHUDDurationSeconds = 3.2;
                    settings.appProfiles = AppInputProfileEngine::builtInTemplates();
                    settings.macros = MacroPresetLibrary::makePresets();
                });
            }},
        {"English", [&] { f.setLanguage(TarnLanguage::en); }},
        {"a reset", [&] { vm.resetToDefaults(); }},
    };
    for (const auto& [what, change] : changes) {
        chooseTab(kept, "hardware");
        change();
        MainInputStudioView fresh(vm, ScreenFixture::accent(), kit.kit());
        fresh.resize(kept.size());
        fresh.show();
        const auto afresh = seenOnEveryScreen(fresh);
        fresh.hide();
        const auto shown = seenOnEveryScreen(kept);
        for (const auto& info : kStudioTabs) {
            EXPECT_EQ(shown.at(std::string(info.name)), afresh.at(std::string(info.name)))
                << info.name << " after " << what;
        }
    }
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
