#include "TarnKit/Suite/Records/TarnZenLiveStatus.h"

#include <limits>

#include <gtest/gtest.h>

#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;
using std::nullopt;

const std::string kMinimal = R"({"timestamp":"2026-12-10T15:04:05Z","senderPID":12})";

TarnZenLiveStatus zen(std::int64_t remaining, std::int64_t total, std::int64_t score = 80,
    std::optional<std::string> task = nullopt, double productive = 3600)
{
    return TarnZenLiveStatus(kStamp, 12, true, false, "pomodoro50", remaining, total, "Write the report", task, task,
        nullopt, true, -2, 4, false, true, score, -1, 3, productive, false);
}

TEST(TarnZenLiveStatus, AStatusOfTimestampAndSenderAloneTakesEveryDefault)
{
    const auto decoded = decodeSuiteRecord<TarnZenLiveStatus>(kMinimal);
    ASSERT_TRUE(decoded);
    const auto expected = TarnZenLiveStatus(kStamp, 12, false, false, "pomodoro25", 1500, 1500, "", nullopt, nullopt,
        nullopt, false, 0, 0, false, false, 0, 0, 0, 0, false);
    EXPECT_EQ(*decoded, expected);
    EXPECT_EQ(decoded->progress(), 0);
    // The three task fields stay out: 18 keys.
    EXPECT_EQ(writtenKeys(*decoded),
        (std::vector<std::string> {"timestamp", "senderPID", "isRunning", "isBreak", "sessionModeRaw",
            "remainingSeconds", "totalSeconds", "currentIntention", "isShieldActive", "lockedAppsCount",
            "blockedDomainsCount", "isStrictMode", "isAmbientPlaying", "focusScorePercent", "completedSessionsToday",
            "currentStreakDays", "todayProductiveSeconds", "isDockedInsideTarnDock"}));
    EXPECT_EQ(writtenKeys(zen(1, 2, 3, "task")).size(), 20u);
}

TEST(TarnZenLiveStatus, ReadValuesAreClampedAndNullTakesTheDefault)
{
    const struct {
        const char* key;
        const char* value;
        std::int64_t (TarnZenLiveStatus::*field)() const;
        std::int64_t expected;
    } cases[] {
        {"totalSeconds", "0", &TarnZenLiveStatus::totalSeconds, 1},
        {"totalSeconds", "null", &TarnZenLiveStatus::totalSeconds, 1500},
        {"remainingSeconds", "-5", &TarnZenLiveStatus::remainingSeconds, 0},
        {"focusScorePercent", "250", &TarnZenLiveStatus::focusScorePercent, 100},
        {"focusScorePercent", "-3", &TarnZenLiveStatus::focusScorePercent, 0},
        {"focusScorePercent", "55.0", &TarnZenLiveStatus::focusScorePercent, 55},
        {"lockedAppsCount", "-1", &TarnZenLiveStatus::lockedAppsCount, 0},
        {"blockedDomainsCount", "7", &TarnZenLiveStatus::blockedDomainsCount, 7},
        {"completedSessionsToday", "-9", &TarnZenLiveStatus::completedSessionsToday, 0},
        {"currentStreakDays", "null", &TarnZenLiveStatus::currentStreakDays, 0},
    };
    for (const auto& [key, value, field, expected] : cases) {
        const auto decoded = decodeSuiteRecord<TarnZenLiveStatus>(withKey(json(kMinimal), key, value));
        ASSERT_TRUE(decoded) << key << " " << value;
        EXPECT_EQ(((*decoded).*field)(), expected) << key << " " << value;
    }
    const auto idle = decodeSuiteRecord<TarnZenLiveStatus>(withKey(json(kMinimal), "todayProductiveSeconds", "-1.5"));
    ASSERT_TRUE(idle);
    EXPECT_EQ(idle->todayProductiveSeconds(), 0);
}

TEST(TarnZenLiveStatus, OnlyTheWriterIsRequiredButPresentValuesMustHaveTheirKind)
{
    const struct {
        const char* key;
        const char* value;
    } refused[] {
        {"senderPID", ""},
        {"senderPID", "null"},
        {"senderPID", "2147483648"},
        {"timestamp", ""},
        {"timestamp", "\"2026-12-10T15:04:05.5Z\""},
        {"isRunning", "1"},
        {"remainingSeconds", "\"60\""},
        {"remainingSeconds", "60.5"},
        {"remainingSeconds", "9223372036854775808"},
        {"sessionModeRaw", "25"},
        {"activeTaskID", "42"},
        {"todayProductiveSeconds", "\"1\""},
    };
    for (const auto& [key, value] : refused) {
        EXPECT_FALSE(decodeSuiteRecord<TarnZenLiveStatus>(withKey(json(kMinimal), key, value))) << key << " " << value;
    }
    EXPECT_TRUE(decodeSuiteRecord<TarnZenLiveStatus>(withKey(json(kMinimal), "activeTaskID", "null")));
    EXPECT_TRUE(decodeSuiteRecord<TarnZenLiveStatus>(withKey(json(kMinimal), "sessionModeRaw", "\"anything\"")));
}

TEST(TarnZenLiveStatus, TheInitialiserClampsAsDecodingDoes)
{
    const auto made = zen(-10, 0, 250, nullopt, -1);
    EXPECT_EQ(made.remainingSeconds(), 0);
    EXPECT_EQ(made.totalSeconds(), 1);
    EXPECT_EQ(made.focusScorePercent(), 100);
    EXPECT_EQ(made.lockedAppsCount(), 0);
    EXPECT_EQ(made.completedSessionsToday(), 0);
    EXPECT_EQ(made.todayProductiveSeconds(), 0);
    EXPECT_EQ(zen(1, 1, 1, nullopt, std::numeric_limits<double>::quiet_NaN()).todayProductiveSeconds(), 0);
    EXPECT_EQ(zen(1, 1, -4).focusScorePercent(), 0);
}

TEST(TarnZenLiveStatus, ProgressIsTheElapsedShareOfTheSession)
{
    const struct {
        std::int64_t remaining, total;
        double progress;
    } cases[] {{3000, 1500, 0}, {0, 1500, 1}, {750, 1500, 0.5}, {1500, 1500, 0}, {0, 0, 1}};
    for (const auto& [remaining, total, progress] : cases) {
        EXPECT_EQ(zen(remaining, total).progress(), progress) << remaining << " of " << total;
    }
}

TEST(TarnZenLiveStatus, RoundTripsAndCannotWriteAnInfiniteDay)
{
    for (const auto& original : {zen(750, 1500), zen(0, 1500, 10, "task-7")}) {
        EXPECT_EQ(roundTripped(original), original);
    }
    EXPECT_NE(zen(750, 1500, 10, "task-7"), zen(750, 1500, 10, nullopt));
    EXPECT_EQ(encodeSuiteRecord(zen(1, 1, 1, nullopt, std::numeric_limits<double>::infinity())), nullopt);
}

} // namespace
} // namespace tarn
