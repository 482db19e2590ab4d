#include "TarnInput/Screens/KeyHUDConfigView.h"

#include <QAbstractButton>
#include <QLabel>
#include <fmt/format.h>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/Controls/SegmentedPicker.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/KeyHUDViewModel.h"
#include "TarnKit/UI/Buttons/TarnGlassButton.h"
#include "TarnKit/UI/Buttons/TarnPrimaryButton.h"
#include "TarnKit/UI/Glass/TarnGlassCard.h"
#include "TarnKit/UI/Text/TarnSymbolLabel.h"

namespace tarn::input::testing {
namespace {

constexpr const char* kSwitches[] {
    "keyHUDEnabled", "clickRippleEnabled", "keyHUDShortcutsOnly", "keyHUDHideInSecureFields"};

InputSettings everythingOff()
{
    InputSettings settings;
    settings.engineEnabled = false;
    settings.keyHUDEnabled = false;
    settings.clickRippleEnabled = false;
    settings.keyHUDShortcutsOnly = false;
    settings.keyHUDHideInSecureFields = false;
    return settings;
}

// The engine reports "Side Button 4 (Back) → …" for each press of the back button.
void pressBack(StudioHarness& h, int times)
{
    for (int press = 0; press < times; ++press) {
        h.engine.clock.advance(std::chrono::seconds(1));
        TapEvent event;
        event.buttonNumber = ButtonNumber::back;
        event.type = TapEventType::otherMouseDown;
        h.engine.tap.deliver(event);
        event.type = TapEventType::otherMouseUp;
        h.engine.tap.deliver(event);
        h.runMainThread();
    }
}

QStringList segmentTexts(const SegmentedPicker& picker)
{
    QStringList texts;
    for (int index = 0; index < picker.count(); ++index) {
        texts << picker.findChild<TarnGlassButton*>(QStringLiteral("segment%1").arg(index))->text();
    }
    return texts;
}

TEST(KeyHUDConfigView, DurationTextAlwaysHasOneDecimal)
{
    const std::vector<std::pair<double, QString>> rows {
        {0.7, "0.7s"}, {4.0, "4.0s"}, {2.5, "2.5s"}, {1.6, "1.6s"}, {3.96, "4.0s"}, {12, "12.0s"}};
    for (const auto& [seconds, text] : rows) {
        EXPECT_EQ(KeyHUDConfigView::durationText(seconds), text) << seconds;
    }
}

TEST(KeyHUDConfigView, ControlsShowTheStoredValuesAndWriteTheirFieldOncePerUserChange)
{
    ScreenFixture f;
    auto stored = everythingOff();
    stored.keyHUDPosition = KeyHUDPosition::bottomRight;
    stored.keyHUDDurationSeconds = 2.5;
    f.harness.writeSettingsFile(stored);
    auto& vm = f.start();
    KeyHUDViewModel hud(vm, vm);
    KeyHUDConfigView screen(hud, ScreenFixture::accent());
    auto* placement = control<SegmentedPicker>(screen, "keyHUDPosition");
    auto* slider = control<ContinuousSlider>(screen, "keyHUDDurationSlider");
    auto* durationValue = control<QLabel>(screen, "keyHUDDurationValue");
    for (const char* name : kSwitches) {
        EXPECT_FALSE(control<QAbstractButton>(screen, name)->isChecked()) << name;
    }
    EXPECT_EQ(placement->currentIndex(), 2);
    EXPECT_EQ(slider->minimum(), KeyHUDConfigView::kShortestDuration);
    EXPECT_EQ(slider->maximum(), KeyHUDConfigView::kLongestDuration);
    EXPECT_EQ(durationValue->text(), "2.5s");
    EXPECT_EQ(f.saves(), 0);

    for (const char* name : kSwitches) {
        control<QAbstractButton>(screen, name)->click();
    }
    control<TarnGlassButton>(*placement, "segment3")->click();
    slider->moveKnobTo(4.0);
    slider->moveKnobTo(0.7);

    EXPECT_EQ(f.saves(), 7);
    const auto saved = f.harness.storedSettings();
    EXPECT_TRUE(saved.keyHUDEnabled);
    EXPECT_TRUE(saved.clickRippleEnabled);
    EXPECT_TRUE(saved.keyHUDShortcutsOnly);
    EXPECT_TRUE(saved.keyHUDHideInSecureFields);
    EXPECT_EQ(saved.keyHUDPosition, KeyHUDPosition::topRight);
    EXPECT_NEAR(saved.keyHUDDurationSeconds, 0.7, 1e-9);
    EXPECT_EQ(durationValue->text(), "0.7s");
    EXPECT_FALSE(saved.engineEnabled) << "other fields are left as they were";
    EXPECT_TRUE(f.toasts().empty()) << "plain setting controls never toast";

    // The overlays take the new placement and duration at once.
    control<TarnPrimaryButton>(screen, "previewKeyHUD")->click();
    ASSERT_EQ(f.harness.overlays.pushes().size(), 1U);
    EXPECT_EQ(f.harness.overlays.pushes().back().position, KeyHUDPosition::topRight);
    EXPECT_NEAR(f.harness.overlays.pushes().back().durationSeconds, 0.7, 1e-9);
}

TEST(KeyHUDConfigView, OverlaySwitchesStartAndStopTheTapWhenNothingElseNeedsIt)
{
    ScreenFixture f;
    f.harness.writeSettingsFile(everythingOff());
    auto& vm = f.start();
    KeyHUDViewModel hud(vm, vm);
    KeyHUDConfigView screen(hud, ScreenFixture::accent());
    ASSERT_FALSE(vm.isTapActive());
    for (const char* name : {"keyHUDEnabled", "clickRippleEnabled"}) {
        SCOPED_TRACE(name);
        auto* toggle = control<QAbstractButton>(screen, name);
        toggle->click();
        EXPECT_TRUE(vm.isTapActive());
        toggle->click();
        EXPECT_FALSE(vm.isTapActive());
    }
}

TEST(KeyHUDConfigView, PreviewShowsThePillAndARippleWithEverythingOff)
{
    ScreenFixture f;
    f.harness.writeSettingsFile(everythingOff());
    f.harness.screens.setPointerLocation({640, 360});
    auto& vm = f.start();
    KeyHUDViewModel hud(vm, vm);
    KeyHUDConfigView screen(hud, ScreenFixture::accent());

    control<TarnPrimaryButton>(screen, "previewKeyHUD")->click();

    ASSERT_EQ(f.harness.overlays.pushes().size(), 1U);
    const auto& push = f.harness.overlays.pushes().front();
    EXPECT_EQ(push.token.text, "⇧⌘K");
    EXPECT_TRUE(push.token.isShortcut);
    EXPECT_EQ(push.position, KeyHUDPosition::bottomCenter);
    EXPECT_NEAR(push.durationSeconds, 1.6, 1e-9);
    ASSERT_EQ(f.harness.overlays.ripples().size(), 1U);
    EXPECT_EQ(f.harness.overlays.ripples().front().screenPoint.x, 640);
    EXPECT_EQ(f.harness.overlays.ripples().front().screenPoint.y, 360);
    EXPECT_FALSE(f.harness.overlays.ripples().front().isRightClick);
    EXPECT_FALSE(vm.isTapActive());
    EXPECT_EQ(f.saves(), 0);
    EXPECT_TRUE(f.toasts().empty());
}

TEST(KeyHUDConfigView, TheHotkeyTogglesTheSwitchWithItsToastButTheSwitchItselfDoesNot)
{
    ScreenFixture f;
    auto& vm = f.start();
    KeyHUDViewModel hud(vm, vm);
    KeyHUDConfigView screen(hud, ScreenFixture::accent());
    auto* toggle = control<QAbstractButton>(screen, "keyHUDEnabled");

    vm.toggleKeyHUD();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(f.toasts(), (std::vector<RecordedToast> {{"Presentation KeyHUD enabled.", false}}));

    toggle->click();
    EXPECT_FALSE(vm.settings().keyHUDEnabled);
    EXPECT_EQ(f.toasts().size(), 1U);
}

TEST(KeyHUDConfigView, ADurationStoredOutsideTheRangeIsShownAsStoredAndNotRewritten)
{
    ScreenFixture f;
    InputSettings stored;
    stored.keyHUDDurationSeconds = 9.3;
    f.harness.writeSettingsFile(stored);
    auto& vm = f.start();
    KeyHUDViewModel hud(vm, vm);
    KeyHUDConfigView screen(hud, ScreenFixture::accent());
    auto* slider = control<ContinuousSlider>(screen, "keyHUDDurationSlider");
    EXPECT_EQ(control<QLabel>(screen, "keyHUDDurationValue")->text(), "9.3s");
    EXPECT_EQ(slider->knobValue(), KeyHUDConfigView::kLongestDuration);
    EXPECT_EQ(f.saves(), 0);
}

TEST(KeyHUDConfigView, ActivityCardShowsTheNewestEightLinesOnlyOnceThereAreAny)
{
    ScreenFixture f;
    auto& vm = f.start();
    KeyHUDViewModel hud(vm, vm);
    KeyHUDConfigView screen(hud, ScreenFixture::accent());
    auto* card = control<TarnGlassCard>(screen, "recentActivity");
    EXPECT_TRUE(card->isHidden());

    pressBack(f.harness, 3);
    EXPECT_FALSE(card->isHidden());
    for (int index = 0; index < 8; ++index) {
        auto* line = control<QLabel>(screen, fmt::format("recentEvent{}", index).c_str());
        EXPECT_EQ(line->isHidden(), index >= 3) << index;
        if (index < 3) {
            EXPECT_EQ(line->text().toStdString(), vm.recentEvents()[static_cast<std::size_t>(index)]);
        }
    }

    pressBack(f.harness, 30);
    ASSERT_EQ(vm.recentEvents().size(), 24U);
    for (int index = 0; index < 8; ++index) {
        auto* line = control<QLabel>(screen, fmt::format("recentEvent{}", index).c_str());
        EXPECT_FALSE(line->isHidden());
        EXPECT_EQ(line->text().toStdString(), vm.recentEvents()[static_cast<std::size_t>(index)]) << index;
    }
    EXPECT_NE(vm.recentEvents()[0], vm.recentEvents()[1]) << "lines differ by their time stamps";
    EXPECT_EQ(screen.findChildren<QLabel*>(QRegularExpression("^recentEvent")).size(), 8);
}

TEST(KeyHUDConfigView, SwitchingTheLanguageRelabelsEveryText)
{
    ScreenFixture f;
    auto& vm = f.start();
    KeyHUDViewModel hud(vm, vm);
    KeyHUDConfigView screen(hud, ScreenFixture::accent());
    pressBack(f.harness, 1);
    const auto texts = [&screen] {
        QStringList shown;
        for (const auto* label : screen.findChildren<QLabel*>()) {
            if (!label->objectName().startsWith("recentEvent") && label->objectName() != "keyHUDDurationValue") {
                shown << label->text();
            }
        }
        for (const char* name : kSwitches) {
            shown << screen.findChild<QAbstractButton*>(name)->text();
        }
        shown << screen.findChild<TarnPrimaryButton*>("previewKeyHUD")->text();
        shown << screen.findChild<TarnSymbolLabel*>()->text();
        return shown;
    };
    const QStringList english = texts();
    EXPECT_TRUE(english.contains("Fade Duration"));
    EXPECT_TRUE(english.contains("Presentation Keystroke Overlay (KeyHUD)"));
    EXPECT_TRUE(english.contains("Enable KeyHUD (Shortcut: Alt+Super+H)"));
    EXPECT_EQ(segmentTexts(*control<SegmentedPicker>(screen, "keyHUDPosition")),
        (QStringList {"Bottom Center", "Bottom Left", "Bottom Right", "Top Right"}));

    vm.setLanguage(TarnLanguage::tr);
    const QStringList turkish = texts();
    ASSERT_EQ(turkish.size(), english.size());
    for (qsizetype index = 0; index < english.size(); ++index) {
        EXPECT_NE(turkish[index], english[index]) << english[index].toStdString();
    }
    EXPECT_TRUE(turkish.contains("Ekranda Kalma Süresi"));
    EXPECT_TRUE(turkish.contains("Son Fare Tuşu Tetiklemeleri"));
    EXPECT_EQ(segmentTexts(*control<SegmentedPicker>(screen, "keyHUDPosition")),
        (QStringList {"Alt Orta", "Alt Sol", "Alt Sağ", "Üst Sağ"}));
    EXPECT_EQ(control<SegmentedPicker>(screen, "keyHUDPosition")->currentIndex(), 0) << "the selection stays";
    EXPECT_EQ(f.saves(), 0);
}

} // namespace
} // namespace tarn::input::testing
