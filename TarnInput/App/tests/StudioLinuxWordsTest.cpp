// Every text of the studio names keys as a Linux keyboard has them: no ⌘ ⌃ ⌥ ⇧ ⎋ ⌫ ↩ ⇥ on any
// tab, in English, Turkish or Arabic, with macros saved from the presets, a macro being built of
// the keys the other desktop shows by a glyph, the key list, the key HUD's preview and the tray's
// popover. Texts are caught as they are painted, so a widget that draws its own text is read too.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnInput/App/Studio/MainInputStudioView.h"
#include "TarnInput/App/Studio/StudioTabs.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/App/Tray/MenuBarInputPopoverView.h"
#include "TarnInput/App/tests/AppTestSupport.h"
#include "TarnInput/Overlays/KeyHUD/KeyHUDPillView.h"
#include "TarnInput/Screens/Controls/ModifierChip.h"
#include "TarnInput/ViewModel/ScreenModels/TrayViewModel.h"
#include "TarnKit/UI/tests/DrawnTexts.h"

namespace tarn::input::testing {
namespace {

// Every text painted on it and its children, as the painter hands each run of text to the paint
// engine.
QStringList paintedTexts(QWidget& widget)
{
    QStringList texts;
    for (const auto& drawn : texttest::TextRecorder(widget).record(QWidget::DrawChildren)) {
        texts << drawn.text;
    }
    return texts;
}

// What a user reads in the window now: what it paints, each scrolled page whole (also the part
// scrolled out of sight), every entry of its pickers and the hints of its empty fields.
QStringList visibleTexts(QWidget& window)
{
    QStringList texts = paintedTexts(window);
    for (auto* page : window.findChildren<QScrollArea*>()) {
        if (page->isVisibleTo(&window) && page->widget() != nullptr) {
            texts << paintedTexts(*page->widget());
        }
    }
    for (const auto* picker : window.findChildren<QComboBox*>()) {
        if (picker->isVisibleTo(&window)) {
            texts << entries(*picker);
        }
    }
    for (const auto* field : window.findChildren<QLineEdit*>()) {
        if (field->isVisibleTo(&window)) {
            texts << field->placeholderText();
        }
    }
    return texts;
}

// The texts that show a glyph of the other desktop's keys, one a line; empty when none does.
std::string withKeyGlyphs(const QStringList& texts)
{
    static const QString kGlyphs = QStringLiteral("⌘⌃⌥⇧⎋⌫↩⇥");
    QStringList found;
    for (const QString& text : texts) {
        if (std::ranges::any_of(text, [](QChar c) { return kGlyphs.contains(c); })) {
            found << text;
        }
    }
    return found.join(u'\n').toStdString();
}

void press(const QWidget& window, const char* name)
{
    control<QAbstractButton>(window, name)->click();
}

// Saves all four presets, saves a macro of glyph keys with every modifier, and leaves another
// being built.
void fillMacros(MainInputStudioView& studio, InputStudioViewModel& vm)
{
    vm.setSelectedTab(InputStudioTab::profiles);
    QApplication::processEvents();
    for (const char* preset : {"preset0", "preset1", "preset2", "preset3"}) {
        press(studio, preset);
    }
    for (const char* chip : {"modifierShift", "modifierOption", "modifierControl"}) {
        control<ModifierChip>(studio, chip)->click();
    }
    auto* keys = control<QComboBox>(studio, "keyPicker");
    const auto addKeys = [&](int from, int to) {
        for (int index = from; index < to; ++index) {
            choose(*keys, index);
            press(studio, "addKeyStep");
        }
    };
    addKeys(0, keys->count());
    QTest::keyClicks(control<QLineEdit>(studio, "macroNameField"), "Every key");
    press(studio, "addDelayStep");
    press(studio, "saveMacro");
    addKeys(17, 23);
}

TEST(StudioLinuxWords, NoTabShowsTheGlyphsOfAnotherDesktopsKeysInAnyLanguage)
{
    ScreenFixture f;
    f.harness.permission.setAccessibilityGranted(false);
    auto& vm = f.start();
    TestStudioKit kit;
    const std::pair<TarnLanguage, const char*> languages[]
        = {{TarnLanguage::en, "en"}, {TarnLanguage::tr, "tr"}, {TarnLanguage::ar, "ar"}};
    bool filled = false;
    for (const auto& [language, code] : languages) {
        f.setLanguage(language);
        QGuiApplication::setLayoutDirection(
            layoutDirection(language) == TarnLayoutDirection::rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        MainInputStudioView studio(vm, ScreenFixture::accent(), kit.kit());
        studio.resize(StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight);
        studio.show();
        if (!filled) {
            fillMacros(studio, vm);
            ASSERT_EQ(vm.settings().macros.size(), 5U);
            filled = true;
        }
        for (const auto& tab : kStudioTabs) {
            vm.setSelectedTab(tab.tab);
            QApplication::processEvents();
            const QStringList texts = visibleTexts(studio);
            EXPECT_GT(texts.size(), 10) << tab.name << " " << code << ": the walk reads the tab";
            EXPECT_EQ(withKeyGlyphs(texts), "") << tab.name << " " << code;
        }
        vm.setSelectedTab(InputStudioTab::profiles);
        QApplication::processEvents();
        EXPECT_TRUE(visibleTexts(studio).contains("Ctrl+Alt+Shift+Super+Enter")) << code << ": the builder's chips";

        vm.setSelectedTab(InputStudioTab::keyHUD);
        QApplication::processEvents();
        press(studio, "previewKeyHUD");
        ASSERT_FALSE(f.harness.overlays.pushes().empty());
        KeyHUDPillView pill(ScreenFixture::accent());
        pill.setTokens({f.harness.overlays.pushes().back().token});
        pill.resize(pill.naturalWidth(), 64);
        EXPECT_EQ(pill.shownTexts().join(u'|').toStdString(), "Shift+Super+K") << code;
        EXPECT_EQ(withKeyGlyphs(paintedTexts(pill)), "") << code << ": the preview pill";

        TrayViewModel tray(vm, vm, vm);
        MenuBarInputPopoverView popover(
            tray, [] {}, [] {});
        popover.adjustSize();
        EXPECT_EQ(withKeyGlyphs(visibleTexts(popover)), "") << code << ": the tray's popover";
    }
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
}

} // namespace
} // namespace tarn::input::testing
