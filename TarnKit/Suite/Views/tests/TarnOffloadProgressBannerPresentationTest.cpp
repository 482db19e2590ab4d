#include "TarnKit/Suite/Views/Presentation/TarnOffloadProgressBannerPresentation.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {
namespace {

struct Sample {
    bool running = true;
    bool completed = false;
    std::int64_t step = 2;
    double fraction = 0.375;
    std::string pressure = "normal";
    std::int64_t target = 8'000'000'000;
};

TarnMemoryOffloadLiveProgress record(const Sample& run)
{
    return TarnMemoryOffloadLiveProgress(WallTime {}, run.running, run.completed, run.step, 4, run.fraction,
        "Freezing idle apps", "Pasifler donduruluyor", "Safari, Mail", "Safari, Posta", 3'000'000'000, run.target, {},
        run.pressure);
}

using State = TarnOffloadStepState;

TEST(TarnOffloadProgressBannerPresentation, RunningRecordShowsStepPercentAndPills)
{
    const auto shown = TarnOffloadProgressBannerPresentation::present(record({}), TarnLanguage::en, false, true, true);
    EXPECT_TRUE(shown.showsActivity);
    EXPECT_EQ(shown.stepTag, "STEP 2/4");
    EXPECT_EQ(shown.accent, suiteviews::violet());
    EXPECT_EQ(shown.percentText, "38%");
    EXPECT_EQ(shown.phaseTitle, "Freezing idle apps");
    EXPECT_EQ(shown.detail, "Safari, Mail");
    EXPECT_EQ(shown.bytesText, "3.00 GB / 8.00 GB");
    EXPECT_EQ(shown.action, TarnOffloadBannerAction::cancel);
    EXPECT_EQ(shown.cancelTitle, "Cancel");
    ASSERT_EQ(shown.pills.size(), 4U);
    EXPECT_EQ(shown.pills[0].state, State::done);
    EXPECT_EQ(shown.pills[0].symbol, "checkmark.circle.fill");
    EXPECT_EQ(shown.pills[0].color, TarnGlassTokens::success());
    EXPECT_DOUBLE_EQ(shown.pills[0].fillOpacity, 0.14);
    EXPECT_EQ(shown.pills[1].state, State::active);
    EXPECT_EQ(shown.pills[1].symbol, "bolt.circle.fill");
    EXPECT_EQ(shown.pills[1].color, suiteviews::violet());
    EXPECT_DOUBLE_EQ(shown.pills[1].fillOpacity, 0.22);
    EXPECT_TRUE(shown.pills[1].semibold);
    for (std::size_t i : {2U, 3U}) {
        EXPECT_EQ(shown.pills[i].state, State::pending);
        EXPECT_EQ(shown.pills[i].symbol, "circle");
        EXPECT_EQ(shown.pills[i].color, TarnGlassTokens::textMuted());
        EXPECT_DOUBLE_EQ(shown.pills[i].fillOpacity, 0.06);
        EXPECT_FALSE(shown.pills[i].semibold);
    }
}

TEST(TarnOffloadProgressBannerPresentation, TurkishTexts)
{
    const auto shown = TarnOffloadProgressBannerPresentation::present(record({}), TarnLanguage::tr, false, true, true);
    EXPECT_EQ(shown.stepTag, "ADIM 2/4");
    EXPECT_EQ(shown.phaseTitle, "Pasifler donduruluyor");
    EXPECT_EQ(shown.cancelTitle, "İptal");
    EXPECT_EQ(shown.pills[3].title, "4. İade & Sonuç");
    Sample done;
    done.running = false;
    done.completed = true;
    EXPECT_EQ(TarnOffloadProgressBannerPresentation::present(record(done), TarnLanguage::tr, false, {}, {}).stepTag,
        "TAMAMLANDI");
}

TEST(TarnOffloadProgressBannerPresentation, AccentByStateAndPressure)
{
    struct Case {
        bool completed;
        std::string pressure;
        QColor expected;
    };
    const std::vector<Case> cases {
        {false, "critical", TarnGlassTokens::danger()},
        {false, "warning", TarnGlassTokens::warning()},
        {false, "Critical", suiteviews::violet()},
        {false, "normal", suiteviews::violet()},
        {true, "critical", TarnGlassTokens::success()},
    };
    for (const Case& c : cases) {
        Sample run;
        run.completed = c.completed;
        run.pressure = c.pressure;
        const auto shown = TarnOffloadProgressBannerPresentation::present(record(run), TarnLanguage::en, false, {}, {});
        EXPECT_EQ(shown.accent, c.expected) << c.pressure;
        if (!c.completed) {
            EXPECT_EQ(shown.pills[1].color, c.expected) << "the active pill follows the accent";
        }
    }
}

TEST(TarnOffloadProgressBannerPresentation, CompletedRun)
{
    Sample run;
    run.running = false;
    run.completed = true;
    run.step = 4;
    const auto shown = TarnOffloadProgressBannerPresentation::present(record(run), TarnLanguage::en, false, true, true);
    EXPECT_FALSE(shown.showsActivity);
    EXPECT_EQ(shown.stepTag, "DONE");
    EXPECT_EQ(shown.accent, TarnGlassTokens::success());
    EXPECT_FALSE(shown.bytesText);
    EXPECT_EQ(shown.action, TarnOffloadBannerAction::dismiss);
    for (const auto& pill : shown.pills) {
        EXPECT_EQ(pill.state, State::done);
    }
}

TEST(TarnOffloadProgressBannerPresentation, StoppedRunAndZeroStep)
{
    Sample stopped;
    stopped.running = false;
    stopped.step = 3;
    stopped.pressure = "warning";
    auto shown = TarnOffloadProgressBannerPresentation::present(record(stopped), TarnLanguage::en, false, {}, false);
    EXPECT_EQ(shown.accent, TarnGlassTokens::warning());
    EXPECT_EQ(shown.action, TarnOffloadBannerAction::none);
    const std::vector<State> expected {State::done, State::done, State::pending, State::pending};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(shown.pills[i].state, expected[i]) << i;
    }
    Sample zero;
    zero.step = 0;
    shown = TarnOffloadProgressBannerPresentation::present(record(zero), TarnLanguage::en, false, false, {});
    EXPECT_EQ(shown.action, TarnOffloadBannerAction::none);
    for (const auto& pill : shown.pills) {
        EXPECT_EQ(pill.state, State::pending);
    }
}

TEST(TarnOffloadProgressBannerPresentation, CompletedAndRunningLastStepIsDoneAndActive)
{
    Sample run;
    run.completed = true;
    run.step = 4;
    const auto shown = TarnOffloadProgressBannerPresentation::present(record(run), TarnLanguage::en, false, {}, {});
    const auto& last = shown.pills[3];
    EXPECT_EQ(last.state, State::doneAndActive);
    EXPECT_EQ(last.symbol, "checkmark.circle.fill");
    EXPECT_EQ(last.color, TarnGlassTokens::success());
    EXPECT_DOUBLE_EQ(last.fillOpacity, 0.22);
    EXPECT_TRUE(last.semibold);
}

TEST(TarnOffloadProgressBannerPresentation, PercentRoundsHalvesAwayAndHoldsAbsurdFractions)
{
    struct Case {
        double fraction;
        std::string percent;
        double held;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<Case> cases {{0, "0%", 0}, {0.001, "0%", 0.001}, {0.125, "13%", 0.125}, {0.375, "38%", 0.375},
        {1, "100%", 1}, {1e300, "100%", 1}, {-5, "0%", 0}, {inf, "100%", 1}, {std::nan(""), "0%", 0}};
    for (const Case& c : cases) {
        // Read from a file, the fraction arrives as written.
        auto json = *record({}).toJson();
        auto value = nlohmann::json::parse(json.dump());
        value["fractionCompleted"] = std::isfinite(c.fraction) ? c.fraction : 0.0;
        auto decoded = TarnMemoryOffloadLiveProgress::fromJson(value);
        ASSERT_TRUE(decoded.hasValue());
        Sample run;
        run.fraction = c.fraction;
        const auto& progress = std::isfinite(c.fraction) ? decoded.value() : record(run);
        const auto shown = TarnOffloadProgressBannerPresentation::present(progress, TarnLanguage::en, false, {}, {});
        EXPECT_EQ(shown.percentText, c.percent) << c.fraction;
        EXPECT_DOUBLE_EQ(shown.fraction, c.held) << c.fraction;
    }
}

TEST(TarnOffloadProgressBannerPresentation, NoBytesWithoutTargetAndNoPillsWhenCompact)
{
    Sample run;
    run.target = 0;
    const auto shown = TarnOffloadProgressBannerPresentation::present(record(run), TarnLanguage::en, true, {}, {});
    EXPECT_FALSE(shown.bytesText);
    EXPECT_TRUE(shown.pills.empty());
}

} // namespace
} // namespace tarn
