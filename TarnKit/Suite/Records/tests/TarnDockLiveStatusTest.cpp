#include "TarnKit/Suite/Records/TarnDockLiveStatus.h"

#include <limits>

#include <gtest/gtest.h>

#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;
using std::nullopt;

const std::string kMinimal = R"({"timestamp":"2026-12-10T15:04:05Z","senderPID":13})";

TarnDockLiveStatus dock(
    std::optional<TarnScreenRect> mini, std::optional<TarnScreenRect> studio, std::optional<std::string> task = nullopt)
{
    return TarnDockLiveStatus(kStamp, 13, 6, 2, 1, 1, 240, 480, task, task, 45, mini, studio, true);
}

TEST(TarnDockLiveStatus, AbsentValuesTakeTheirDefaultsAndPresentOnesAreClamped)
{
    const struct {
        const char* key;
        const char* value;
        std::int64_t (TarnDockLiveStatus::*field)() const;
        std::int64_t expected;
    } cases[] {
        {"dailyCapacityMinutes", "10", &TarnDockLiveStatus::dailyCapacityMinutes, 30},
        {"dailyCapacityMinutes", "", &TarnDockLiveStatus::dailyCapacityMinutes, 360},
        {"dailyCapacityMinutes", "null", &TarnDockLiveStatus::dailyCapacityMinutes, 360},
        {"dailyCapacityMinutes", "600", &TarnDockLiveStatus::dailyCapacityMinutes, 600},
        {"nextBestTaskMinutes", "0", &TarnDockLiveStatus::nextBestTaskMinutes, 5},
        {"nextBestTaskMinutes", "", &TarnDockLiveStatus::nextBestTaskMinutes, 25},
        {"openTodayCount", "-4", &TarnDockLiveStatus::openTodayCount, 0},
        {"overdueCount", "3", &TarnDockLiveStatus::overdueCount, 3},
        {"plannedMinutesToday", "-1", &TarnDockLiveStatus::plannedMinutesToday, 0},
    };
    for (const auto& [key, value, field, expected] : cases) {
        const auto decoded = decodeSuiteRecord<TarnDockLiveStatus>(withKey(json(kMinimal), key, value));
        ASSERT_TRUE(decoded) << key << " " << value;
        EXPECT_EQ(((*decoded).*field)(), expected) << key << " " << value;
    }
    const auto made
        = TarnDockLiveStatus(kStamp, 13, -1, -1, -1, -1, -1, 10, nullopt, nullopt, 0, nullopt, nullopt, false);
    EXPECT_EQ(made,
        decodeSuiteRecord<TarnDockLiveStatus>(
            R"({"timestamp":"2026-12-10T15:04:05Z","senderPID":13,"dailyCapacityMinutes":29,
                            "nextBestTaskMinutes":-8,"openTodayCount":-3})"));
}

TEST(TarnDockLiveStatus, FramesAreReadAsTheyStandOrNotAtAll)
{
    const auto mini = decodeSuiteRecord<TarnDockLiveStatus>(
        withKey(json(kMinimal), "miniPanelFrame", R"({"x": 0, "y": 0, "width": -4, "height": 3})"));
    ASSERT_TRUE(mini);
    ASSERT_TRUE(mini->miniPanelFrame());
    EXPECT_EQ(mini->miniPanelFrame()->width(), -4);
    EXPECT_EQ(TarnScreenRect(0, 0, -4, 3).width(), 0);

    const struct {
        const char* value;
        bool decodes;
        bool hasFrame;
    } cases[] {
        {R"({"x": 1, "y": 2, "width": 3})", false, false},
        {R"({"x": 1, "y": 2, "width": 3, "height": "4"})", false, false},
        {R"({"x": 1, "y": 2, "width": 3, "height": null})", false, false},
        {"[1, 2, 3, 4]", false, false},
        {"null", true, false},
        {"", true, false},
        {R"({"x": -1.5, "y": 2, "width": 3, "height": 4, "z": 9})", true, true},
    };
    for (const auto& [value, decodes, hasFrame] : cases) {
        const auto decoded = decodeSuiteRecord<TarnDockLiveStatus>(withKey(json(kMinimal), "studioWindowFrame", value));
        ASSERT_EQ(decoded.has_value(), decodes) << value;
        if (decoded) {
            EXPECT_EQ(decoded->studioWindowFrame().has_value(), hasFrame) << value;
        }
    }
}

TEST(TarnDockLiveStatus, ScreenRectClampsOnlyItsSize)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const TarnScreenRect fromPlatform(10, 20, -5, 8);
    EXPECT_EQ(fromPlatform, TarnScreenRect(10, 20, 0, 8));
    EXPECT_EQ(TarnScreenRect(1, 1, kNaN, kNaN), TarnScreenRect(1, 1, 0, 0));
    EXPECT_EQ(TarnScreenRect(-7, -9, 1, 1).x(), -7);
    // A NaN origin is kept, and then the status cannot be written.
    EXPECT_EQ(encodeSuiteRecord(dock(TarnScreenRect(kNaN, 0, 1, 1), nullopt)), nullopt);
    EXPECT_NE(TarnScreenRect(kNaN, 0, 1, 1), TarnScreenRect(kNaN, 0, 1, 1));
}

TEST(TarnDockLiveStatus, KeyCountsAndRoundTrip)
{
    EXPECT_EQ(writtenKeys(dock(nullopt, nullopt)),
        (std::vector<std::string> {"timestamp", "senderPID", "openTodayCount", "completedTodayCount", "overdueCount",
            "inProgressCount", "plannedMinutesToday", "dailyCapacityMinutes", "nextBestTaskMinutes",
            "isZenDockedInside"}));
    const auto full = dock(TarnScreenRect(0, 0, 320, 200), TarnScreenRect(100.5, -40, 1180, 760), "task-1");
    EXPECT_EQ(writtenKeys(full).size(), 14u);
    EXPECT_EQ(writtenKeys(TarnScreenRect(1, 2, 3, 4)), (std::vector<std::string> {"x", "y", "width", "height"}));
    EXPECT_EQ(roundTripped(full), full);
    EXPECT_EQ(roundTripped(dock(nullopt, nullopt)), dock(nullopt, nullopt));
    EXPECT_NE(full, dock(TarnScreenRect(0, 0, 320, 200), nullopt, "task-1"));
    EXPECT_FALSE(decodeSuiteRecord<TarnDockLiveStatus>(withKey(json(kMinimal), "isZenDockedInside", "\"yes\"")));
    EXPECT_FALSE(decodeSuiteRecord<TarnDockLiveStatus>(withKey(json(kMinimal), "senderPID", "")));
}

} // namespace
} // namespace tarn
