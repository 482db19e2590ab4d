#include "TarnInput/App/StudioApplication.h"

#include <QAbstractButton>
#include <gtest/gtest.h>

#include "TarnInput/App/MainInputStudioView.h"
#include "TarnInput/App/StudioTray.h"
#include "TarnInput/App/tests/AppTestSupport.h"

namespace tarn::input::testing {
namespace {

TEST(StudioApplication, TheStudioWindowHasItsTitleAndSizes)
{
    ScreenFixture f;
    PermissionHelp help;
    StudioApplication app(f.start(), help.center, nullptr, [] {});
    QWidget& window = *app.studioWindow();
    EXPECT_EQ(window.windowTitle(), "TarnInput — by Harrowfen");
    EXPECT_EQ(window.size(), QSize(1180, 760));
    EXPECT_EQ(window.minimumSize(), QSize(1020, 660));
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(window.windowTitle(), "TarnInput — by Harrowfen") << "never localised";
}

TEST(StudioApplication, ClosingTheWindowKeepsTheEngineAndAReopenBringsItBack)
{
    ScreenFixture f;
    PermissionHelp help;
    StudioApplication app(f.start(), help.center, nullptr, [] {});
    ASSERT_TRUE(f.harness.engine.tap.isEnabled());
    app.openStudio();
    ASSERT_TRUE(app.studioWindow()->isVisible());
    app.studioWindow()->close();
    EXPECT_FALSE(app.studioWindow()->isVisible());
    EXPECT_TRUE(f.harness.engine.tap.isEnabled()) << "closing the window is not quitting";

    app.reopen();
    EXPECT_TRUE(app.studioWindow()->isVisible()) << "a second launch opens the closed studio";
    app.reopen();
    EXPECT_TRUE(app.studioWindow()->isVisible()) << "and only fronts an open one";
}

TEST(StudioApplication, QuitFromThePopoverStopsTheEngineAtOnce)
{
    ScreenFixture f;
    PermissionHelp help;
    bool tapWhenLeaving = true;
    int leaves = 0;
    StudioApplication app(f.start(), help.center, nullptr, [&] {
        tapWhenLeaving = f.harness.engine.tap.exists();
        ++leaves;
    });
    ASSERT_TRUE(f.harness.engine.tap.exists());
    control<QAbstractButton>(*app.tray().popoverWindow(), "quitButton")->click();
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(tapWhenLeaving) << "the grab goes before the event loop ends";
    EXPECT_EQ(f.saves(), 0) << "every setting was saved when it changed; quitting writes nothing";
}

} // namespace
} // namespace tarn::input::testing
