#include <QAbstractButton>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "TarnKit/Suite/Views/TarnAdaptiveGridLayout.h"
#include "TarnKit/Suite/Views/TarnOffloadProgressBanner.h"
#include "TarnKit/Suite/Views/TarnSuiteQuickActionsStrip.h"
#include "TarnKit/Suite/Views/TarnVirtualMemoryGaugeCard.h"
#include "TarnKit/Suite/Views/TarnVirtualMemoryHeaderPill.h"
#include "TarnKit/Suite/Views/tests/SuiteViewTesting.h"

namespace tarn {
namespace {

TarnMemoryOffloadLiveProgress running()
{
    return TarnMemoryOffloadLiveProgress(WallTime {}, true, false, 2, 4, 0.375, "Freezing idle apps",
        "Pasifler donduruluyor", "Safari, Mail", "Safari, Posta", 3'000'000'000, 8'000'000'000, {}, "normal");
}

TEST(SuiteViewWidgets, BannerCancelClickReachesItsAction)
{
    int cancels = 0;
    TarnOffloadProgressBanner banner(
        running(), TarnLanguage::en, false, [&] { ++cancels; }, nullptr);
    banner.resize(600, banner.heightForWidth(600));
    const QRectF action = banner.actionRect();
    ASSERT_FALSE(action.isEmpty());
    EXPECT_LE(action.right(), 600);
    QTest::mouseClick(&banner, Qt::LeftButton, {}, action.center().toPoint());
    EXPECT_EQ(cancels, 1);
    QTest::mouseClick(&banner, Qt::LeftButton, {}, QPoint(5, banner.height() - 3));
    EXPECT_EQ(cancels, 1) << "a click beside the button does nothing";
    EXPECT_GT(banner.heightForWidth(200), banner.heightForWidth(600)) << "pills wrap onto more rows when narrow";
    TarnOffloadProgressBanner compact(running(), TarnLanguage::en, true, nullptr, nullptr);
    EXPECT_LT(compact.heightForWidth(600), banner.heightForWidth(600));
    EXPECT_TRUE(compact.actionRect().isEmpty());
}

TEST(SuiteViewWidgets, PillClickRunsOnTapOrLaunchesMemory)
{
    FakeAppEnvironment environment;
    testing::installSiblings(environment, {TarnSuiteApp::tarnMemory});
    int taps = 0;
    TarnVirtualMemoryHeaderPill tapped(
        testing::idleSummary(), TarnLanguage::en, [&] { ++taps; }, environment);
    tapped.resize(tapped.sizeHint());
    QTest::mouseClick(&tapped, Qt::LeftButton, {}, tapped.rect().center());
    EXPECT_EQ(taps, 1);
    EXPECT_TRUE(environment.journal().empty());
    EXPECT_EQ(tapped.toolTip(), "Virtual Memory active — click to open TarnMemory");

    TarnVirtualMemoryHeaderPill launching(testing::idleSummary(), TarnLanguage::tr, nullptr, environment);
    launching.resize(launching.sizeHint());
    EXPECT_GT(launching.sizeHint().width(), tapped.sizeHint().width()) << "Sanal Bellek ON is longer than VM ON";
    QTest::mouseClick(&launching, Qt::LeftButton, {}, launching.rect().center());
    EXPECT_EQ(environment.journal().size(), 1U);
}

TEST(SuiteViewWidgets, StripAbsentTakesNoSpaceAndChipClickReports)
{
    FakeAppEnvironment environment;
    testing::RecordingSend send;
    std::vector<std::string> reports;
    TarnSuiteQuickActionsStrip absent(
        TarnSuiteApp::tarnInput, nullptr, nullptr, TarnLanguage::en, false,
        [&](const std::string& text) { reports.push_back(text); }, environment, send.function());
    EXPECT_TRUE(absent.isHidden());
    EXPECT_EQ(absent.sizeHint(), QSize(0, 0));

    testing::installSiblings(environment, {TarnSuiteApp::tarnReaper});
    TarnSuiteQuickActionsStrip strip(
        TarnSuiteApp::tarnInput, nullptr, nullptr, TarnLanguage::tr, true,
        [&](const std::string& text) { reports.push_back(text); }, environment, send.function());
    strip.resize(800, strip.sizeHint().height());
    strip.show();
    const auto rects = strip.chipRects();
    ASSERT_EQ(rects.size(), 3U);
    QTest::mouseClick(strip.widget(), Qt::LeftButton, {}, rects[1].center().toPoint());
    ASSERT_EQ(reports.size(), 1U);
    EXPECT_EQ(reports[0], "TarnReaper pencere hedefleme nişangahı açıldı");
    EXPECT_EQ(send.sent.back().kind, TarnSuiteCommandKind::reaperOpenCrosshair);
}

TEST(SuiteViewWidgets, GaugeCardButtonsSendAndHeaderStacksWhenNarrow)
{
    FakeAppEnvironment environment;
    testing::installSiblings(environment, {TarnSuiteApp::tarnMemory});
    testing::RecordingSend send;
    std::vector<std::string> reports;
    TarnVirtualMemorySummary summary = testing::idleSummary();
    summary.frozenAppCount = 2;
    TarnVirtualMemoryGaugeCard card(
        summary, TarnLanguage::en, QColor(169, 139, 255), TarnSuiteApp::tarnInput,
        [&](const std::string& text) { reports.push_back(text); }, environment, send.function());
    card.resize(900, card.heightForWidth(900) > 0 ? card.heightForWidth(900) : 300);
    card.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(card.headerIsStacked());
    auto buttons = card.visibleButtons();
    ASSERT_EQ(buttons.size(), 3U);
    EXPECT_EQ(buttons[1]->text(), "Thaw (2)");
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    QTest::mouseClick(buttons[2], Qt::LeftButton);
    EXPECT_EQ(reports, std::vector<std::string> {"Triggered TarnMemory Smart RAM Offload"});
    ASSERT_EQ(send.sent.size(), 2U);
    EXPECT_TRUE(send.sent[1].options.bringToFront);

    card.resize(360, 500);
    QCoreApplication::processEvents();
    EXPECT_TRUE(card.headerIsStacked());
    EXPECT_EQ(card.visibleButtons().size(), 3U);
}

TEST(SuiteViewWidgets, AdaptiveGridColumns)
{
    TarnAdaptiveGridLayout grid(155, 8, 8);
    EXPECT_EQ(grid.columnsFor(100), 1);
    EXPECT_EQ(grid.columnsFor(318), 2);
    EXPECT_EQ(grid.columnsFor(317), 1);
    EXPECT_EQ(grid.columnsFor(644), 4);
}

} // namespace
} // namespace tarn
