// The studio in a real X session with a window manager, at its default size and maximised: a
// macro built step by step shows every step at full height while it is built, after it is saved,
// after it is edited and updated, and after a look at another tab.

#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnInput/App/Studio/MainInputStudioView.h"
#include "TarnInput/App/StudioApplication.h"
#include "TarnInput/App/tests/AppTestSupport.h"

namespace tarn::input::testing {
namespace {

void click(const QWidget& parent, const char* name)
{
    control<QAbstractButton>(parent, name)->click();
    QApplication::processEvents();
}

// The strip is as tall as its chips and every chip is shown whole.
void expectStepsShownWhole(const QScrollArea& strip, const char* chipName, int count, const std::string& where)
{
    QApplication::processEvents();
    const auto chips = strip.findChildren<QWidget*>(chipName);
    ASSERT_EQ(chips.size(), count) << where;
    EXPECT_TRUE(strip.isVisible()) << where;
    EXPECT_EQ(strip.height(), strip.sizeHint().height()) << where;
    for (const auto* chip : chips) {
        EXPECT_TRUE(chip->isVisible()) << where;
        EXPECT_EQ(chip->height(), chip->sizeHint().height()) << where;
        EXPECT_LE(chip->geometry().bottom(), strip.viewport()->height()) << where << ": the chip is cut";
    }
}

class StudioMacroBuilderX11 : public ::testing::TestWithParam<bool> { };

TEST_P(StudioMacroBuilderX11, AFiveStepMacroStaysVisibleWhileBuiltSavedUpdatedAndAcrossTabs)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    const bool maximised = GetParam();
    ScreenFixture f;
    auto& vm = f.start();
    TestStudioKit kit;
    MainInputStudioView view(vm, ScreenFixture::accent(), kit.kit());
    view.setMinimumSize(StudioApplication::kMinimumWidth, StudioApplication::kMinimumHeight);
    view.resize(StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight);
    if (maximised) {
        view.showMaximized();
        ASSERT_TRUE(QTest::qWaitFor([&] { return view.width() > StudioApplication::kDefaultWidth; }, 10000))
            << "the window manager did not maximise the studio";
    } else {
        view.show();
    }
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    if (!maximised) {
        EXPECT_EQ(view.size(), QSize(StudioApplication::kDefaultWidth, StudioApplication::kDefaultHeight));
    }

    click(view, "profilesTab");
    auto* screen = view.currentScreen();
    auto* builder = control<QScrollArea>(*screen, "builderSteps");
    QTest::keyClicks(control<QLineEdit>(*screen, "macroNameField"), "Five steps");
    for (int steps = 1; steps <= 5; ++steps) {
        click(*screen, steps % 2 == 0 ? "addDelayStep" : "addKeyStep");
        expectStepsShownWhole(*builder, "stepChip", steps, "building, step " + std::to_string(steps));
    }

    click(view, "buttonsTab");
    click(view, "profilesTab");
    expectStepsShownWhole(*builder, "stepChip", 5, "after a look at another tab");

    click(*screen, "saveMacro");
    ASSERT_EQ(vm.settings().macros.size(), 1U);
    const auto id = vm.settings().macros[0].id;
    const auto row = [&] { return control<QWidget>(*screen, ("macro:" + id.toString()).c_str()); };
    expectStepsShownWhole(*control<QScrollArea>(*row(), "macroSteps"), "macroStepBadge", 5, "saved");

    click(*row(), "editMacro");
    expectStepsShownWhole(*builder, "stepChip", 5, "editing");
    control<QAbstractButton>(*builder->findChildren<QWidget*>("stepChip").at(1), "removeStep")->click();
    expectStepsShownWhole(*builder, "stepChip", 4, "editing, a step removed");
    click(*screen, "addTextStep");
    click(*screen, "addKeyStep");
    expectStepsShownWhole(*builder, "stepChip", 5, "editing, a step added");
    click(*screen, "saveMacro");
    ASSERT_EQ(vm.settings().macros.size(), 1U);
    EXPECT_EQ(vm.settings().macros[0].steps.size(), 5U);
    expectStepsShownWhole(*control<QScrollArea>(*row(), "macroSteps"), "macroStepBadge", 5, "updated");

    click(view, "scrollTab");
    click(view, "profilesTab");
    expectStepsShownWhole(*control<QScrollArea>(*row(), "macroSteps"), "macroStepBadge", 5, "updated, after a tab");
}

INSTANTIATE_TEST_SUITE_P(Sizes, StudioMacroBuilderX11, ::testing::Values(false, true),
    [](const auto& info) { return info.param ? "Maximised" : "DefaultSize"; });

} // namespace
} // namespace tarn::input::testing
