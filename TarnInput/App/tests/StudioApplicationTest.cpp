#include "TarnInput/App/StudioApplication.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "TarnInput/App/Studio/MainInputStudioView.h"
#include "TarnInput/App/Tray/StudioTray.h"
#include "TarnInput/App/tests/AppTestSupport.h"

namespace tarn::input::testing {
namespace {

TEST(StudioApplication, TheStudioWindowHasItsTitleAndSizes)
{
    ScreenFixture f;
    RecordingLogSink log;
    TestStudioKit kit;
    StudioApplication app(f.start(), log, kit.kit(), [] {});
    QWidget& window = *app.studioWindow();
    EXPECT_EQ(window.windowTitle(), "TarnInput — by Harrowfen");
    EXPECT_EQ(window.size(), QSize(1180, 760));
    EXPECT_EQ(window.minimumSize(), QSize(1020, 660));
    f.setLanguage(TarnLanguage::tr);
    EXPECT_EQ(window.windowTitle(), "TarnInput — by Harrowfen") << "never localised";
}

// Right-to-left languages mirror every window of the program, and the others put it back.
TEST(StudioApplication, TheLanguageSetsTheLayoutDirection)
{
    ScreenFixture f;
    RecordingLogSink log;
    TestStudioKit kit;
    StudioApplication app(f.start(), log, kit.kit(), [] {});
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    for (const auto language : {TarnLanguage::ar, TarnLanguage::fa, TarnLanguage::he}) {
        f.setLanguage(language);
        EXPECT_TRUE(app.studioWindow()->isRightToLeft()) << static_cast<int>(language);
        EXPECT_TRUE(app.tray().popoverWindow()->isRightToLeft());
    }
    f.setLanguage(TarnLanguage::tr);
    EXPECT_FALSE(app.studioWindow()->isRightToLeft());
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
}

// The window manager minimised the studio: "Open Studio" shows it again, not just raises an icon.
TEST(StudioApplication, OpenStudioRestoresAMinimisedWindow)
{
    ScreenFixture f;
    RecordingLogSink log;
    TestStudioKit kit;
    StudioApplication app(f.start(), log, kit.kit(), [] {});
    app.openStudio();
    app.studioWindow()->showMinimized();
    ASSERT_TRUE(app.studioWindow()->isMinimized());
    app.openStudio();
    EXPECT_FALSE(app.studioWindow()->isMinimized());
    EXPECT_TRUE(app.studioWindow()->isVisible());
    app.studioWindow()->showMinimized();
    app.reopen();
    EXPECT_FALSE(app.studioWindow()->isMinimized()) << "a second launch too";
}

TEST(StudioApplication, ClosingTheWindowKeepsTheEngineAndAReopenBringsItBack)
{
    ScreenFixture f;
    RecordingLogSink log;
    TestStudioKit kit;
    StudioApplication app(f.start(), log, kit.kit(), [] {});
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
    EXPECT_EQ(log.count("Launched again: bringing the studio window to the front."), 2U);
}

TEST(StudioApplication, QuitFromThePopoverStopsTheEngineAtOnce)
{
    ScreenFixture f;
    RecordingLogSink log;
    bool tapWhenLeaving = true;
    int leaves = 0;
    TestStudioKit kit;
    StudioApplication app(f.start(), log, kit.kit(), [&] {
        tapWhenLeaving = f.harness.engine.tap.exists();
        ++leaves;
    });
    ASSERT_TRUE(f.harness.engine.tap.exists());
    control<QAbstractButton>(*app.tray().popoverWindow(), "quitButton")->click();
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(tapWhenLeaving) << "the grab goes before the event loop ends";
    EXPECT_EQ(f.saves(), 0) << "every setting was saved when it changed; quitting writes nothing";
    EXPECT_EQ(log.count("Quit: stopping the engine and leaving."), 1U);
}

} // namespace
} // namespace tarn::input::testing
