#include "TarnInput/Screens/MouseButtonsView.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Profiles/NewRuleFormState.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"

namespace tarn::input::testing {
namespace {

QList<QWidget*> ruleRows(const QWidget& screen)
{
    return screen.findChildren<QWidget*>(QRegularExpression("^rule:"));
}

const QStringList kActionsEN {"System Default", "Navigate Back (Alt+Left)", "Navigate Forward (Alt+Right)",
    "Activities Overview (Super)", "Show Applications (Super+A)", "Close Tab (Ctrl+W)", "New Tab (Ctrl+T)",
    "Previous Workspace (Ctrl+Alt+Left)", "Next Workspace (Ctrl+Alt+Right)", "Zoom In (Ctrl+=)", "Zoom Out (Ctrl+-)",
    "Copy (Ctrl+C)", "Paste (Ctrl+V)", "Show Desktop (Super+D)"};

TEST(MouseButtonsView, TheInitialFormAddsTheSameRuleEachTimeAndKeepsItsValues)
{
    ScreenFixture f;
    auto& vm = f.start();
    ButtonsViewModel buttons(vm, vm, vm);
    MouseButtonsView screen(buttons, ScreenFixture::accent());
    EXPECT_FALSE(control<QLabel>(screen, "emptyRules")->isHidden());
    EXPECT_EQ(control<QLineEdit>(screen, "bundleIDField")->text(), "com.apple.Safari");
    EXPECT_EQ(control<QComboBox>(screen, "ruleButton")->currentText(), "Side Button 4 (Back)");
    EXPECT_EQ(control<QComboBox>(screen, "ruleAction")->currentText(), "Navigate Back (Alt+Left)");

    auto* add = control<TarnPrimaryButton>(screen, "addRule");
    add->click();
    add->click();
    const auto& rules = f.harness.storedSettings().appOverrides;
    ASSERT_EQ(rules.size(), 2U);
    for (const auto& rule : rules) {
        EXPECT_EQ(rule.bundleIdentifier, "com.apple.Safari");
        EXPECT_EQ(rule.appDisplayName, "Safari");
        EXPECT_EQ(rule.button, MouseButtonKind::sideBack);
        EXPECT_EQ(rule.action, MouseButtonAction::browserBack);
        EXPECT_TRUE(rule.isEnabled);
    }
    EXPECT_NE(rules[0].id, rules[1].id);
    EXPECT_EQ(ruleRows(screen).size(), 2);
    EXPECT_TRUE(control<QLabel>(screen, "emptyRules")->isHidden());
    EXPECT_EQ(screen.form().bundleID(), "com.apple.Safari");
    EXPECT_EQ(f.toasts(),
        (std::vector<RecordedToast> {{"Added override for Safari.", false}, {"Added override for Safari.", false}}));
}

TEST(MouseButtonsView, ABlankBundleIDAddsNothingAndShowsNothing)
{
    ScreenFixture f;
    auto& vm = f.start();
    ButtonsViewModel buttons(vm, vm, vm);
    MouseButtonsView screen(buttons, ScreenFixture::accent());
    auto* field = control<QLineEdit>(screen, "bundleIDField");
    field->selectAll();
    QTest::keyClicks(field, "   ");
    EXPECT_EQ(screen.form().bundleID(), "   ");
    control<TarnPrimaryButton>(screen, "addRule")->click();
    EXPECT_TRUE(vm.settings().appOverrides.empty());
    EXPECT_TRUE(f.toasts().empty());
    EXPECT_EQ(f.saves(), 0);
}

TEST(MouseButtonsView, TheMenuSetsNameAndIdentifierAndATypedIdentifierDropsThePickedName)
{
    ScreenFixture f;
    f.harness.engine.workspace.setRunning({{"org.gimp.GIMP", "GIMP"}});
    auto& vm = f.start();
    ButtonsViewModel buttons(vm, vm, vm);
    MouseButtonsView screen(buttons, ScreenFixture::accent());
    auto* field = control<QLineEdit>(screen, "bundleIDField");
    QTest::keyClicks(field, ".typed");
    chooseMenuEntry(*control<RunningAppsMenuButton>(screen, "pickRunningApp"), 0);
    EXPECT_EQ(field->text(), "org.gimp.GIMP");
    EXPECT_EQ(screen.form().appName(), "GIMP");

    field->selectAll();
    QTest::keyClicks(field, "org.inkscape.Inkscape");
    choose(*control<QComboBox>(screen, "ruleButton"), 0);
    choose(*control<QComboBox>(screen, "ruleAction"), 11);
    control<TarnPrimaryButton>(screen, "addRule")->click();
    ASSERT_EQ(vm.settings().appOverrides.size(), 1U);
    const auto& rule = vm.settings().appOverrides[0];
    EXPECT_EQ(rule.appDisplayName, "org.inkscape.Inkscape") << "GIMP's name does not go with Inkscape's id";
    EXPECT_EQ(rule.bundleIdentifier, "org.inkscape.Inkscape");
    EXPECT_EQ(rule.button, MouseButtonKind::middle);
    EXPECT_EQ(rule.action, MouseButtonAction::copy);
}

TEST(MouseButtonsView, GlobalPickersOfferTheFourteenActionsAndWriteTheirField)
{
    ScreenFixture f;
    auto& vm = f.start();
    ButtonsViewModel buttons(vm, vm, vm);
    MouseButtonsView screen(buttons, ScreenFixture::accent());
    auto* middle = control<QComboBox>(screen, "globalAction2");
    EXPECT_EQ(entries(*middle), kActionsEN);
    EXPECT_EQ(middle->currentText(), "Activities Overview (Super)");
    EXPECT_EQ(control<QComboBox>(screen, "globalAction4")->currentText(), "Navigate Forward (Alt+Right)");

    // Remapping off keeps the pickers usable and their changes saved.
    control<SwitchToggle>(screen, "buttonRemap")->click();
    EXPECT_FALSE(f.harness.storedSettings().buttonRemapEnabled);
    choose(*control<QComboBox>(screen, "globalAction3"), 13);
    choose(*middle, 0);
    const auto stored = f.harness.storedSettings();
    EXPECT_EQ(stored.sideBackAction, MouseButtonAction::showDesktop);
    EXPECT_EQ(stored.middleButtonAction, MouseButtonAction::passthrough);
    EXPECT_EQ(f.saves(), 3);
    EXPECT_TRUE(f.toasts().empty());

    vm.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(middle->currentText(), "Sistem Varsayılanı");
    EXPECT_EQ(middle->itemText(7), "Önceki Çalışma Alanı (Ctrl+Alt+Sol)");
    EXPECT_EQ(f.saves(), 3);
}

TEST(MouseButtonsView, ARulesSwitchInvertsTheStoredFlagAndTrashRemovesSilently)
{
    ScreenFixture f;
    auto& vm = f.start();
    ButtonsViewModel buttons(vm, vm, vm);
    buttons.addRule("org.gimp.GIMP", "GIMP", MouseButtonKind::middle, MouseButtonAction::closeTab);
    MouseButtonsView screen(buttons, ScreenFixture::accent());
    f.forgetToasts();
    ASSERT_EQ(ruleRows(screen).size(), 1);
    auto* row = ruleRows(screen)[0];
    EXPECT_EQ(row->findChild<QLabel*>("ruleButtonLabel")->text(), "Middle Click (Wheel)");
    EXPECT_EQ(row->findChild<QLabel*>("ruleActionLabel")->text(), "Close Tab (Ctrl+W)");

    auto* toggle = row->findChild<SwitchToggle*>("ruleEnabled");
    EXPECT_TRUE(toggle->isChecked());
    toggle->click();
    EXPECT_FALSE(f.harness.storedSettings().appOverrides[0].isEnabled);
    ASSERT_EQ(ruleRows(screen).size(), 1);
    auto* redrawn = ruleRows(screen)[0]->findChild<SwitchToggle*>("ruleEnabled");
    EXPECT_FALSE(redrawn->isChecked());
    redrawn->click();
    EXPECT_TRUE(f.harness.storedSettings().appOverrides[0].isEnabled);

    ruleRows(screen)[0]->findChild<QAbstractButton*>("removeRule")->click();
    EXPECT_TRUE(f.harness.storedSettings().appOverrides.empty());
    EXPECT_TRUE(ruleRows(screen).isEmpty());
    EXPECT_FALSE(control<QLabel>(screen, "emptyRules")->isHidden());
    EXPECT_TRUE(f.toasts().empty());
}

} // namespace
} // namespace tarn::input::testing
