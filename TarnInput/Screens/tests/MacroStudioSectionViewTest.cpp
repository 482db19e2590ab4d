#include "TarnInput/Screens/Profiles/MacroStudioSectionView.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/CapsuleChip.h"
#include "TarnInput/Screens/Controls/ModifierChip.h"
#include "TarnInput/Screens/Controls/SwitchToggle.h"
#include "TarnInput/Screens/Controls/SymbolButton.h"
#include "TarnInput/Screens/Profiles/MacroStudioRow.h"
#include "TarnInput/Screens/Widgets/PresetTile.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/MacroBuilderFormState.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInputCore/Model/Macros/MacroPresetLibrary.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn::input::testing {
namespace {

InputMacro storedMacro(std::string name, std::optional<std::int64_t> trigger = std::nullopt, bool enabled = true)
{
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = std::move(name);
    macro.triggerButtonNumber = trigger;
    macro.steps = {MacroStep::keystroke(9, {"cmd"}, "⌘V"), MacroStep::delay(70)};
    macro.isEnabled = enabled;
    return macro;
}

// The fixture with these macros saved before the view model starts.
InputStudioViewModel& startWith(ScreenFixture& f, std::vector<InputMacro> macros)
{
    InputSettings settings;
    settings.macros = std::move(macros);
    f.harness.writeSettingsFile(settings);
    return f.start();
}

QList<MacroStudioRow*> rows(const QWidget& section)
{
    return section.findChildren<MacroStudioRow*>(QRegularExpression("^macro:"));
}

MacroStudioRow* rowOf(const QWidget& section, const InputMacro& macro)
{
    return section.findChild<MacroStudioRow*>(QString::fromStdString("macro:" + macro.id.toString()));
}

QStringList texts(const QList<QLabel*>& labels)
{
    QStringList result;
    for (const auto* label : labels) {
        result << label->text();
    }
    return result;
}

QStringList builderChips(const QWidget& section)
{
    return texts(section.findChildren<QLabel*>("stepBadge"));
}

void typeInto(QWidget& section, const char* field, const QString& text)
{
    QTest::keyClicks(control<QLineEdit>(section, field), text);
}

void press(QWidget& section, const char* name)
{
    control<QAbstractButton>(section, name)->click();
}

TEST(MacroStudioSectionView, ANewFormShowsOnlyWhatItHasAndSavingStoresTheMacroAndClearsTheForm)
{
    ScreenFixture f;
    auto& vm = f.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    EXPECT_EQ(control<CapsuleChip>(section, "macroCount")->text(), "0 macros");
    EXPECT_FALSE(control<QLabel>(section, "emptyMacros")->isHidden());
    EXPECT_TRUE(rows(section).isEmpty());
    EXPECT_TRUE(control<QLabel>(section, "builderSummary")->isHidden());
    EXPECT_TRUE(control<QScrollArea>(section, "builderSteps")->isHidden());
    EXPECT_TRUE(control<QWidget>(section, "clearMacro")->isHidden());
    EXPECT_EQ(control<QLabel>(section, "builderTitle")->text(), "Create Custom Multi-Step Macro");
    EXPECT_EQ(control<TarnPrimaryButton>(section, "saveMacro")->text(), "Save Macro");

    typeInto(section, "macroNameField", " ");
    EXPECT_FALSE(control<QWidget>(section, "clearMacro")->isHidden());
    typeInto(section, "macroNameField", "Paste Twice");
    press(section, "addKeyStep");
    EXPECT_EQ(builderChips(section), QStringList {"Ctrl+C"});
    EXPECT_EQ(control<QLabel>(section, "builderSummary")->text(), "1 steps · ~20 ms");
    EXPECT_FALSE(control<QScrollArea>(section, "builderSteps")->isHidden());

    choose(*control<QComboBox>(section, "builderTrigger"), 2);
    typeInto(section, "macroDescriptionField", "twice ");
    press(section, "saveMacro");
    const auto& macros = f.harness.storedSettings().macros;
    ASSERT_EQ(macros.size(), 1U);
    EXPECT_EQ(macros[0].name, "Paste Twice");
    EXPECT_EQ(macros[0].description, "twice");
    EXPECT_EQ(macros[0].triggerButtonNumber, 3);
    EXPECT_EQ(f.toasts(), (std::vector<RecordedToast> {{"Saved macro 'Paste Twice'.", false}}));

    EXPECT_EQ(control<QLineEdit>(section, "macroNameField")->text(), "");
    EXPECT_EQ(control<QLineEdit>(section, "macroDescriptionField")->text(), "");
    EXPECT_EQ(control<QComboBox>(section, "builderTrigger")->currentText(), "No Global Button");
    EXPECT_TRUE(builderChips(section).isEmpty());
    EXPECT_TRUE(control<QWidget>(section, "clearMacro")->isHidden());
    EXPECT_TRUE(section.form().useCommand());
    EXPECT_EQ(control<CapsuleChip>(section, "macroCount")->text(), "1 macros");
    EXPECT_TRUE(control<QLabel>(section, "emptyMacros")->isHidden());
    auto* row = rowOf(section, macros[0]);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(control<QLabel>(*row, "macroName")->text(), "Paste Twice");
    EXPECT_EQ(control<CapsuleChip>(*row, "macroSummary")->text(), "1 steps · 20 ms");
    EXPECT_EQ(control<QComboBox>(*row, "macroTrigger")->currentText(), "Side Button 4 (Back)");
}

TEST(MacroStudioSectionView, ARefusedDraftKeepsTheFormAndShowsTheViewModelsError)
{
    const std::vector<std::pair<QString, bool>> cases {{"   ", true}, {"Named", false}};
    for (const auto& [name, addStep] : cases) {
        ScreenFixture f;
        auto& vm = f.start();
        ProfilesViewModel profiles(vm, vm, vm, vm);
        MacroStudioSectionView section(profiles, ScreenFixture::accent());
        typeInto(section, "macroNameField", name);
        if (addStep) {
            press(section, "addKeyStep");
        }
        press(section, "saveMacro");
        EXPECT_TRUE(vm.settings().macros.empty());
        EXPECT_EQ(f.saves(), 0);
        EXPECT_EQ(f.toasts(), (std::vector<RecordedToast> {{"Macro needs a name and at least one valid step.", true}}));
        EXPECT_EQ(control<QLineEdit>(section, "macroNameField")->text(), name);
        EXPECT_EQ(builderChips(section).size(), addStep ? 1 : 0);
    }
}

TEST(MacroStudioSectionView, TheBuilderMakesStepsFromTheChosenInputsWithArrowsOnlyBetweenChips)
{
    ScreenFixture f;
    auto& vm = f.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    EXPECT_EQ(entries(*control<QComboBox>(section, "delayPicker")),
        (QStringList {"40 ms", "80 ms", "120 ms", "250 ms", "500 ms"}));
    EXPECT_EQ(control<QComboBox>(section, "delayPicker")->currentText(), "80 ms");
    control<ModifierChip>(section, "modifierShift")->click();
    control<ModifierChip>(section, "modifierCommand")->click();
    auto* keys = control<QComboBox>(section, "keyPicker");
    choose(*keys, keys->findText("Space"));
    press(section, "addKeyStep");
    choose(*control<QComboBox>(section, "delayPicker"), 2);
    press(section, "addDelayStep");
    typeInto(section, "typeTextField", "hello from the macro studio");
    press(section, "addTextStep");
    EXPECT_EQ(control<QLineEdit>(section, "typeTextField")->text(), "");
    press(section, "addTextStep");
    EXPECT_EQ(builderChips(section), (QStringList {"Shift+Space", "120 ms", "\"hello from the mac…\""}));
    EXPECT_EQ(section.findChildren<QWidget*>("stepArrow").size(), 2);
    EXPECT_EQ(
        control<QLabel>(section, "builderSummary")->text(), QStringLiteral("3 steps · ~%1 ms").arg(20 + 120 + 5 * 27));

    section.findChildren<SymbolButton*>("removeStep").at(1)->click();
    EXPECT_EQ(builderChips(section), (QStringList {"Shift+Space", "\"hello from the mac…\""}));
    EXPECT_EQ(section.findChildren<QWidget*>("stepArrow").size(), 1);
    for (int removed = 0; removed < 2; ++removed) {
        section.findChildren<SymbolButton*>("removeStep").at(0)->click();
    }
    EXPECT_TRUE(control<QLabel>(section, "builderSummary")->isHidden());
    EXPECT_TRUE(control<QScrollArea>(section, "builderSteps")->isHidden());
    EXPECT_TRUE(section.findChildren<QWidget*>("stepArrow").isEmpty());
}

// A strip holds its chips at their full height. Chips added to a strip already on screen are
// shown a moment later; a strip sized before then was squeezed to a sliver and hid every step.
void expectChipsShownWhole(const QScrollArea& strip, const char* chipName, int count, const std::string& where)
{
    QApplication::processEvents();
    const auto chips = strip.findChildren<QWidget*>(chipName);
    ASSERT_EQ(chips.size(), count) << where;
    EXPECT_TRUE(strip.isVisible()) << where;
    EXPECT_EQ(strip.height(), strip.widget()->sizeHint().height()) << where;
    for (const auto* chip : chips) {
        EXPECT_TRUE(chip->isVisible()) << where;
        EXPECT_GE(chip->height(), chip->sizeHint().height()) << where;
        EXPECT_GT(chip->height(), 10) << where;
        EXPECT_LE(chip->geometry().bottom(), strip.viewport()->height()) << where << ": the chip is cut";
    }
}

TEST(MacroStudioSectionView, StepStripsKeepTheirChipsWholeAsStepsComeAndGo)
{
    const auto saved = storedMacro("Saved");
    ScreenFixture f;
    auto& vm = startWith(f, {saved});
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    section.resize(1100, 900);
    section.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&section));
    auto* builder = control<QScrollArea>(section, "builderSteps");
    for (int steps = 1; steps <= 5; ++steps) {
        press(section, steps % 2 == 0 ? "addDelayStep" : "addKeyStep");
        expectChipsShownWhole(*builder, "stepChip", steps, "builder with " + std::to_string(steps) + " steps");
    }
    section.findChildren<SymbolButton*>("removeStep").at(2)->click();
    expectChipsShownWhole(*builder, "stepChip", 4, "builder after a removal");

    typeInto(section, "macroNameField", "Five");
    press(section, "addTextStep");
    press(section, "addKeyStep");
    press(section, "saveMacro");
    const auto& macros = vm.settings().macros;
    ASSERT_EQ(macros.size(), 2U);
    auto* newRow = rowOf(section, macros[1]);
    ASSERT_NE(newRow, nullptr);
    expectChipsShownWhole(*control<QScrollArea>(*newRow, "macroSteps"), "macroStepBadge", 5, "a saved macro");

    // Editing a saved macro: a step removed and two added, then Update.
    control<QAbstractButton>(*rowOf(section, saved), "editMacro")->click();
    expectChipsShownWhole(*builder, "stepChip", 2, "builder editing");
    section.findChildren<SymbolButton*>("removeStep").at(0)->click();
    expectChipsShownWhole(*builder, "stepChip", 1, "builder editing after a removal");
    press(section, "addKeyStep");
    press(section, "addDelayStep");
    press(section, "saveMacro");
    ASSERT_EQ(vm.settings().macros[0].steps.size(), 3U);
    expectChipsShownWhole(
        *control<QScrollArea>(*rowOf(section, saved), "macroSteps"), "macroStepBadge", 3, "an updated macro");
}

TEST(MacroStudioSectionView, PresetsAddOnceAndShowWhetherAMacroBearsTheirName)
{
    const auto presets = MacroPresetLibrary::makePresets();
    ScreenFixture f;
    auto& vm = startWith(f, {storedMacro(QString::fromStdString(presets[1].name).toUpper().toStdString())});
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    auto* first = control<PresetTile>(section, "preset0");
    EXPECT_EQ(first->symbol(), "plus.circle.fill");
    EXPECT_EQ(first->symbolColor(), ScreenFixture::accent());
    EXPECT_EQ(control<PresetTile>(section, "preset1")->symbol(), "checkmark.circle.fill");
    EXPECT_EQ(control<PresetTile>(section, "preset1")->symbolColor(), TarnGlassTokens::success());

    first->click();
    first->click();
    ASSERT_EQ(vm.settings().macros.size(), 2U);
    EXPECT_EQ(first->symbol(), "checkmark.circle.fill");
    EXPECT_EQ(f.toasts(),
        (std::vector<RecordedToast> {{"Added macro '" + presets[0].name + "'.", false},
            {"Macro '" + presets[0].name + "' is already in your library.", false}}));

    control<QAbstractButton>(*rowOf(section, vm.settings().macros[1]), "removeMacro")->click();
    EXPECT_EQ(first->symbol(), "plus.circle.fill");
}

TEST(MacroStudioSectionView, EditingReplacesTheMacroInPlaceAndEnablesIt)
{
    const auto disabled = storedMacro("Old Name", 2, false);
    const auto other = storedMacro("Other");
    ScreenFixture f;
    auto& vm = startWith(f, {disabled, other});
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    typeInto(section, "macroNameField", "unsaved");
    press(section, "addDelayStep");
    control<QAbstractButton>(*rowOf(section, disabled), "editMacro")->click();
    EXPECT_EQ(control<QLabel>(section, "builderTitle")->text(), "Editing Macro");
    EXPECT_EQ(control<TarnPrimaryButton>(section, "saveMacro")->text(), "Update Macro");
    EXPECT_EQ(control<QLineEdit>(section, "macroNameField")->text(), "Old Name");
    EXPECT_EQ(control<QComboBox>(section, "builderTrigger")->currentText(), "Middle Click (Wheel)");
    EXPECT_EQ(builderChips(section), (QStringList {"Ctrl+V", "70 ms"}));

    auto* field = control<QLineEdit>(section, "macroNameField");
    field->selectAll();
    QTest::keyClicks(field, "New Name");
    choose(*control<QComboBox>(section, "builderTrigger"), 0);
    press(section, "saveMacro");
    const auto& macros = f.harness.storedSettings().macros;
    ASSERT_EQ(macros.size(), 2U);
    EXPECT_EQ(macros[0].id, disabled.id);
    EXPECT_EQ(macros[0].name, "New Name");
    EXPECT_TRUE(macros[0].isEnabled);
    EXPECT_EQ(macros[0].triggerButtonNumber, std::nullopt);
    EXPECT_EQ(macros[1], other);
    EXPECT_EQ(f.toasts(), (std::vector<RecordedToast> {{"Updated macro 'New Name'.", false}}));
    EXPECT_FALSE(section.form().isEditing());
    EXPECT_EQ(control<QLabel>(section, "builderTitle")->text(), "Create Custom Multi-Step Macro");
    EXPECT_TRUE(control<SwitchToggle>(*rowOf(section, disabled), "macroEnabled")->isChecked());
}

TEST(MacroStudioSectionView, DeletingTheMacroBeingEditedLetsUpdateStoreItAgainUnderItsIdentity)
{
    const auto macro = storedMacro("Kept");
    ScreenFixture f;
    auto& vm = startWith(f, {macro});
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    control<QAbstractButton>(*rowOf(section, macro), "editMacro")->click();
    control<QAbstractButton>(*rowOf(section, macro), "removeMacro")->click();
    EXPECT_TRUE(rows(section).isEmpty());
    EXPECT_EQ(control<TarnPrimaryButton>(section, "saveMacro")->text(), "Update Macro");
    press(section, "saveMacro");
    ASSERT_EQ(vm.settings().macros.size(), 1U);
    EXPECT_EQ(vm.settings().macros[0].id, macro.id);
    EXPECT_EQ(f.toasts().back(), (RecordedToast {"Saved macro 'Kept'.", false}));
    EXPECT_EQ(rows(section).size(), 1);
}

TEST(MacroStudioSectionView, ATriggerChosenInARowMovesFromTheMacroThatHadIt)
{
    const auto holder = storedMacro("Holder", 3);
    const auto taker = storedMacro("Taker");
    ScreenFixture f;
    auto& vm = startWith(f, {holder, taker});
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    auto* holderPicker = control<QComboBox>(*rowOf(section, holder), "macroTrigger");
    auto* takerPicker = control<QComboBox>(*rowOf(section, taker), "macroTrigger");
    EXPECT_EQ(entries(*takerPicker),
        (QStringList {"Unbound", "Middle Click (Wheel)", "Side Button 4 (Back)", "Side Button 5 (Forward)"}));
    choose(*takerPicker, 2);
    EXPECT_EQ(f.harness.storedSettings().macros[0].triggerButtonNumber, std::nullopt);
    EXPECT_EQ(f.harness.storedSettings().macros[1].triggerButtonNumber, 3);
    EXPECT_EQ(holderPicker->currentText(), "Unbound");
    choose(*takerPicker, 0);
    EXPECT_EQ(f.harness.storedSettings().macros[1].triggerButtonNumber, std::nullopt);
}

TEST(MacroStudioSectionView, APublishUpdatesRowsInPlaceAndLeavesTheFieldBeingTypedIn)
{
    const auto first = storedMacro("First");
    const auto second = storedMacro("Second");
    ScreenFixture f;
    auto& vm = startWith(f, {first, second});
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    section.show();
    section.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&section));
    auto* firstRow = rowOf(section, first);
    auto* secondRow = rowOf(section, second);
    auto* field = control<QLineEdit>(section, "macroNameField");
    field->setFocus();
    QTest::keyClicks(field, "Half typ");
    field->setCursorPosition(4);
    ASSERT_TRUE(field->hasFocus());

    control<SwitchToggle>(*firstRow, "macroEnabled")->click();
    EXPECT_FALSE(vm.settings().macros[0].isEnabled);
    vm.applySettingsChange([](InputSettings& settings) { settings.macros[1].name = "Renamed"; });
    EXPECT_EQ(rowOf(section, first), firstRow);
    EXPECT_EQ(rowOf(section, second), secondRow);
    EXPECT_FALSE(control<SwitchToggle>(*firstRow, "macroEnabled")->isChecked());
    EXPECT_EQ(control<QLabel>(*secondRow, "macroName")->text(), "Renamed");
    EXPECT_EQ(field->text(), "Half typ");
    EXPECT_EQ(field->cursorPosition(), 4);
    EXPECT_TRUE(field->hasFocus());
}

TEST(MacroStudioSectionView, TestPlaysTheMacroAndReportsWhyItCouldNot)
{
    const auto enabled = storedMacro("Runs");
    const auto disabled = storedMacro("Off", std::nullopt, false);
    ScreenFixture f;
    auto& vm = startWith(f, {enabled, disabled});
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    EXPECT_EQ(control<TarnGlassButton>(*rowOf(section, enabled), "testMacro")->text(), "Test");
    control<QAbstractButton>(*rowOf(section, enabled), "testMacro")->click();
    control<QAbstractButton>(*rowOf(section, disabled), "testMacro")->click();
    EXPECT_EQ(f.toasts(),
        (std::vector<RecordedToast> {
            {"Triggered macro 'Runs'.", false}, {"Macro could not start (disabled, invalid, or busy).", true}}));
}

TEST(MacroStudioSectionView, TurkishShowsEveryTextOfTheSection)
{
    ScreenFixture f;
    auto& vm = startWith(f, {storedMacro("Bir")});
    f.setLanguage(TarnLanguage::tr);
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    EXPECT_EQ(control<CapsuleChip>(section, "macroCount")->text(), "1 makro");
    EXPECT_EQ(control<QLabel>(section, "builderTitle")->text(), "Yeni Çok Adımlı Makro Oluştur");
    EXPECT_EQ(control<TarnPrimaryButton>(section, "saveMacro")->text(), "Makroyu Kaydet");
    EXPECT_EQ(control<QLineEdit>(section, "macroNameField")->placeholderText(), "Makro Adı (örn. Kopyala & Ara)");
    EXPECT_EQ(control<QLineEdit>(section, "typeTextField")->placeholderText(), "Otomatik yazılacak metin...");
    EXPECT_EQ(control<QComboBox>(section, "builderTrigger")->itemText(0), "Global Tuş Yok");
    EXPECT_EQ(control<QAbstractButton>(section, "addKeyStep")->text(), "+ Tuş Ekle");
    EXPECT_EQ(control<QAbstractButton>(section, "addDelayStep")->text(), "+ Gecikme");
    EXPECT_EQ(control<QAbstractButton>(section, "addTextStep")->text(), "+ Metin Ekle");
    EXPECT_EQ(control<QAbstractButton>(section, "clearMacro")->text(), "Temizle");
    const auto* row = rows(section).at(0);
    EXPECT_EQ(control<QComboBox>(*row, "macroTrigger")->itemText(0), "Tuş Atanmadı");
    EXPECT_EQ(control<QAbstractButton>(*row, "testMacro")->text(), "Test Et");
    EXPECT_EQ(control<CapsuleChip>(*row, "macroSummary")->text(), "2 adım · 90 ms");

    f.setLanguage(TarnLanguage::en);
    EXPECT_EQ(control<QComboBox>(*row, "macroTrigger")->itemText(0), "Unbound");
    EXPECT_EQ(control<CapsuleChip>(section, "macroCount")->text(), "1 macros");
    control<QAbstractButton>(*row, "editMacro")->click();
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(control<QLabel>(section, "builderTitle")->text(), "Makro Düzenleniyor");
    EXPECT_EQ(control<TarnPrimaryButton>(section, "saveMacro")->text(), "Makroyu Güncelle");
}

QStringList rowBadges(const MacroStudioRow& row)
{
    QStringList badges;
    for (const auto* badge : row.findChildren<CapsuleChip*>("macroStepBadge")) {
        badges << badge->text();
    }
    return badges;
}

TEST(MacroStudioSectionView, StepsAndTheKeyListNameTheKeysALinuxKeyboardHasWhileStoredLabelsStay)
{
    InputMacro written = storedMacro("Written");
    written.steps = {MacroStep::keystroke(8, {"cmd"}, "Copy"), MacroStep::keystroke(123, {"ctrl"}, "⌃←"),
        MacroStep::keystroke(1, {"ctrl", "opt", "shift", "cmd"}, "")};
    ScreenFixture f;
    auto& vm = startWith(f, {written});
    ProfilesViewModel profiles(vm, vm, vm, vm);
    MacroStudioSectionView section(profiles, ScreenFixture::accent());
    for (int index = 0; index < 4; ++index) {
        control<PresetTile>(section, QStringLiteral("preset%1").arg(index).toUtf8().constData())->click();
    }
    const auto& macros = vm.settings().macros;
    ASSERT_EQ(macros.size(), 5U);
    const std::vector<QStringList> expected {{"Copy", "Ctrl+Alt+Left", "Ctrl+Alt+Shift+Super+S"},
        {"Ctrl+C", "70 ms", "Ctrl+T", "110 ms", "Ctrl+V"}, {"Ctrl+A", "50 ms", "Ctrl+C"}, {"Super"}, {"Shift+Print"}};
    for (std::size_t index = 0; index < macros.size(); ++index) {
        EXPECT_EQ(rowBadges(*rowOf(section, macros[index])), expected[index]) << index;
    }
    EXPECT_EQ(
        f.harness.storedSettings().macros[3].steps[0].kind, (MacroStepKind {MacroKeystroke {49, {"cmd"}, "⌘Space"}}))
        << "stored as the preset defines it";

    auto* keys = control<QComboBox>(section, "keyPicker");
    EXPECT_EQ(entries(*keys).mid(17, 6), (QStringList {"Space", "Enter", "Tab", "Esc", "Backspace", "Left (←)"}));
    choose(*keys, keys->findText("Backspace"));
    press(section, "addKeyStep");
    EXPECT_EQ(builderChips(section), QStringList {"Ctrl+Backspace"});
    EXPECT_EQ(section.form().steps()[0].kind, (MacroStepKind {MacroKeystroke {51, {"cmd"}, "⌘⌫"}}));

    // Arrows and the space bar are named in the interface language, in the builder and the list.
    control<ModifierChip>(section, "modifierCommand")->click();
    control<ModifierChip>(section, "modifierControl")->click();
    choose(*keys, keys->findText("Left (←)"));
    press(section, "addKeyStep");
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(builderChips(section), (QStringList {"Ctrl+Backspace", "Ctrl+Alt+Sol"}));
    EXPECT_EQ(rowBadges(*rowOf(section, macros[0])), (QStringList {"Copy", "Ctrl+Alt+Sol", "Ctrl+Alt+Shift+Super+S"}));
}

} // namespace
} // namespace tarn::input::testing
