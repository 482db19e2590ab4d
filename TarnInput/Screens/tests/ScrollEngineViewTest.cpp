#include "TarnInput/Screens/ScrollEngineView.h"

#include <cmath>

#include <QCheckBox>
#include <QLabel>
#include <gtest/gtest.h>

#include "TarnInput/Screens/Controls/ContinuousSlider.h"
#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnInput/Screens/tests/ScreenTestSupport.h"
#include "TarnInput/ViewModel/ScreenModels/ScrollViewModel.h"

namespace tarn::input::testing {
namespace {

TEST(ScrollEngineView, SliderTextsAreLocaleFreeAndRoundHalvesAwayFromZero)
{
    const std::vector<std::pair<double, QString>> speeds {
        {1.35, "1.35×"}, {0.5, "0.50×"}, {3.5, "3.50×"}, {1.005, "1.00×"}, {9, "9.00×"}, {1234.5, "1234.50×"}};
    for (const auto& [speed, text] : speeds) {
        EXPECT_EQ(ScrollEngineView::speedText(speed), text) << speed;
    }
    const std::vector<std::pair<double, QString>> glides {
        {0.22, "22%"}, {0.1, "10%"}, {0.45, "45%"}, {0.125, "13%"}, {0.0, "0%"}, {-0.125, "-13%"}};
    for (const auto& [rate, text] : glides) {
        EXPECT_EQ(ScrollEngineView::glideText(rate), text) << rate;
    }
}

TEST(ScrollEngineView, AGlideRateBeyondAnyIntegerStillDraws)
{
    ScreenFixture f;
    InputSettings stored;
    stored.smoothDecayRate = 1e300;
    stored.scrollSpeedMultiplier = 9;
    f.harness.writeSettingsFile(stored);
    auto& vm = f.start();
    ScrollViewModel scroll(vm, vm);
    ScrollEngineView screen(scroll, ScreenFixture::accent());
    const auto glide = control<QLabel>(screen, "glideValue")->text();
    EXPECT_EQ(glide.size(), 304) << "1e302 in digits and a percent sign";
    EXPECT_TRUE(glide.endsWith('%'));
    EXPECT_EQ(control<QLabel>(screen, "speedValue")->text(), "9.00×") << "shown as stored";
    EXPECT_DOUBLE_EQ(control<ContinuousSlider>(screen, "speedSlider")->knobValue(), 3.5);
    EXPECT_EQ(f.saves(), 0) << "nothing is written until the user moves a knob";
    screen.grab();
    EXPECT_FALSE(ScrollEngineView::glideText(std::nan("")).isEmpty());
}

TEST(ScrollEngineView, EachUserChangeSavesOnceWithoutAToast)
{
    ScreenFixture f;
    auto& vm = f.start();
    ScrollViewModel scroll(vm, vm);
    ScrollEngineView screen(scroll, ScreenFixture::accent());
    auto* speed = control<ContinuousSlider>(screen, "speedSlider");
    speed->moveKnobTo(2.0);
    speed->moveKnobTo(2.5);
    speed->moveKnobTo(3.5);
    EXPECT_EQ(f.saves(), 3) << "one save per value while dragging";
    EXPECT_EQ(f.harness.storedSettings().scrollSpeedMultiplier, 3.5);
    EXPECT_EQ(control<QLabel>(screen, "speedValue")->text(), "3.50×");
    control<ContinuousSlider>(screen, "glideSlider")->moveKnobTo(0.1);
    EXPECT_EQ(control<QLabel>(screen, "glideValue")->text(), "10%");

    struct Toggle {
        const char* name;
        bool InputSettings::*field;
    };
    for (const auto& toggle : {Toggle {"reverseMouseWheel", &InputSettings::reverseMouseWheel},
             Toggle {"reverseTrackpad", &InputSettings::reverseTrackpad},
             Toggle {"shiftScrollHorizontal", &InputSettings::shiftScrollHorizontal},
             Toggle {"optionScrollZoom", &InputSettings::optionScrollZoomEnabled},
             Toggle {"smoothScroll", &InputSettings::smoothScrollEnabled}}) {
        const bool before = vm.settings().*toggle.field;
        f.forgetSaves();
        control<QCheckBox>(screen, toggle.name)->click();
        EXPECT_EQ(f.harness.storedSettings().*toggle.field, !before) << toggle.name;
        EXPECT_EQ(f.saves(), 1) << toggle.name;
    }
    EXPECT_TRUE(f.toasts().empty());
    EXPECT_TRUE(speed->isEnabled()) << "smoothing off leaves the sliders usable";
}

TEST(ScrollEngineView, ShowsChangesMadeElsewhereWithoutWriting)
{
    ScreenFixture f;
    auto& vm = f.start();
    ScrollViewModel scroll(vm, vm);
    ScrollEngineView screen(scroll, ScreenFixture::accent());
    EXPECT_EQ(control<QLabel>(screen, "speedValue")->text(), "1.35×");
    EXPECT_EQ(control<QLabel>(screen, "glideValue")->text(), "22%");
    vm.applySettingsChange([](InputSettings& settings) {
        settings.reverseMouseWheel = false;
        settings.smoothDecayRate = 0.3;
    });
    EXPECT_EQ(f.saves(), 1);
    EXPECT_FALSE(control<QCheckBox>(screen, "reverseMouseWheel")->isChecked());
    EXPECT_EQ(control<QLabel>(screen, "glideValue")->text(), "30%");
}

std::vector<QString> chipNames(const QWidget& screen)
{
    std::vector<QString> names;
    for (auto* chip : screen.findChild<QWidget*>("exclusionChips")
                          ->findChildren<QWidget*>(QRegularExpression("^exclusion:"), Qt::FindDirectChildrenOnly)) {
        names.push_back(chip->objectName().mid(10));
    }
    return names;
}

TEST(ScrollEngineView, ExclusionsAreAddedFromRunningAppsAndRemovedFromTheirChips)
{
    ScreenFixture f;
    f.harness.engine.workspace.setRunning(
        {{"org.gimp.GIMP", "GIMP"}, {"COM.FIGMA.DESKTOP", "Figma"}, {"org.example.Tools", "Pen & Ink"}});
    auto& vm = f.start();
    ScrollViewModel scroll(vm, vm);
    ScrollEngineView screen(scroll, ScreenFixture::accent());
    EXPECT_EQ(chipNames(screen), (std::vector<QString> {"com.figma.Desktop", "org.blenderfoundation.blender"}));
    auto* menu = control<RunningAppsMenuButton>(screen, "excludeRunningApp");
    EXPECT_EQ(menu->text(), "+ Exclude Running App");
    const auto items = menu->refreshedMenu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Figma (COM.FIGMA.DESKTOP)");
    EXPECT_EQ(items[1]->text(), "GIMP (org.gimp.GIMP)");
    EXPECT_EQ(items[2]->text(), "Pen && Ink (org.example.Tools)") << "shows one \"&\", not a shortcut";

    chooseMenuEntry(*menu, 1);
    EXPECT_EQ(chipNames(screen),
        (std::vector<QString> {"com.figma.Desktop", "org.blenderfoundation.blender", "org.gimp.GIMP"}));
    EXPECT_EQ(f.toasts(), (std::vector<RecordedToast> {{"Excluded org.gimp.GIMP from smooth scroll.", false}}));

    chooseMenuEntry(*menu, 0);
    EXPECT_EQ(chipNames(screen).size(), 3U) << "already excluded in another letter case";
    EXPECT_EQ(f.toasts().size(), 1U);

    f.forgetSaves();
    for (int remaining = 3; remaining > 0; --remaining) {
        auto* chip = screen.findChild<QWidget*>("exclusionChips")
                         ->findChildren<QWidget*>(QRegularExpression("^exclusion:"), Qt::FindDirectChildrenOnly)[0];
        chip->findChild<QAbstractButton*>("removeExclusion")->click();
    }
    EXPECT_TRUE(chipNames(screen).empty());
    EXPECT_TRUE(f.harness.storedSettings().smoothScrollExcludedBundles.empty());
    EXPECT_TRUE(screen.findChild<QWidget*>("exclusionChips")->isHidden());
    EXPECT_EQ(f.saves(), 3);
    EXPECT_EQ(f.toasts().size(), 1U) << "removing is silent";
}

TEST(ScrollEngineView, TwoEqualEntriesShareOneChipThatRemovesBoth)
{
    ScreenFixture f;
    InputSettings stored;
    stored.smoothScrollExcludedBundles = {"com.example.Game", "com.example.Game"};
    f.harness.writeSettingsFile(stored);
    auto& vm = f.start();
    ScrollViewModel scroll(vm, vm);
    ScrollEngineView screen(scroll, ScreenFixture::accent());
    ASSERT_EQ(chipNames(screen), (std::vector<QString> {"com.example.Game"}));
    screen.findChild<QAbstractButton*>("removeExclusion")->click();
    EXPECT_TRUE(vm.settings().smoothScrollExcludedBundles.empty());
}

TEST(ScrollEngineView, SandboxListsTwentyEightNumberedRows)
{
    ScreenFixture f;
    auto& vm = f.start();
    ScrollViewModel scroll(vm, vm);
    ScrollEngineView screen(scroll, ScreenFixture::accent());
    EXPECT_EQ(screen.findChildren<QWidget*>(QRegularExpression("^sandboxRow")).size(), 28);
    EXPECT_NE(screen.findChild<QWidget*>("sandboxRow28"), nullptr);
    const auto labels = screen.findChild<QWidget*>("sandboxRow28")->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0]->text(), "#28");
    EXPECT_EQ(screen.findChild<QWidget*>("sandboxRow1")->findChildren<QLabel*>()[0]->text(), "#01");
    vm.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(labels[1]->text(), "Fare tekerleğinizi ve Shift+Tekerlek yatay kaydırmanızı doğrudan burada test edin.");
}

} // namespace
} // namespace tarn::input::testing
