#include "TarnKit/Suite/Commands/SuiteDateText.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// 2026-12-10T15:04:05Z
constexpr WallTime kStamp {seconds(1'796'915'045)};

TEST(SuiteDateText, WritesUtcToTheWholeSecondFlooringTheRest)
{
    EXPECT_EQ(suiteDateText(kStamp), "2026-12-10T15:04:05Z");
    EXPECT_EQ(suiteDateText(kStamp + milliseconds(999)), "2026-12-10T15:04:05Z");
    EXPECT_EQ(suiteDateText(WallTime {}), "1970-01-01T00:00:00Z");
    // Before 1970 the second is floored too, not cut towards zero.
    EXPECT_EQ(suiteDateText(WallTime {} - milliseconds(1)), "1969-12-31T23:59:59Z");
    EXPECT_EQ(suiteDateText(WallTime {seconds(951'782'400)}), "2000-02-29T00:00:00Z");
}

TEST(SuiteDateText, ReadsBackWhatItWrites)
{
    EXPECT_EQ(suiteDateFromText("2026-12-10T15:04:05Z"), kStamp);
    EXPECT_EQ(suiteDateFromText("1969-12-31T23:59:59Z"), WallTime {} - seconds(1));
    EXPECT_EQ(suiteDateFromText("2000-02-29T00:00:00Z"), WallTime {seconds(951'782'400)});
}

TEST(SuiteDateText, RefusesEveryOtherForm)
{
    for (const char* text : {
             "2026-12-10T15:04:05.250Z", // fractional seconds
             "2026-12-10T15:04:05+00:00", // an offset, even a zero one
             "2026-12-10T15:04:05", // no zone
             "2026-12-10t15:04:05z",
             "2026-12-10 15:04:05Z",
             "2026-12-10T15:04Z",
             " 2026-12-10T15:04:05Z",
             "2026-13-10T15:04:05Z",
             "2026-02-29T15:04:05Z", // not a leap year
             "2026-12-00T15:04:05Z",
             "2026-12-10T24:00:00Z",
             "2026-12-10T15:60:05Z",
             "2026-12-10T15:04:60Z",
             "+026-12-10T15:04:05Z",
             "1500-01-01T00:00:00Z", // before the wall clock's range
             "9999-12-31T23:59:59Z", // after it
             "",
         }) {
        EXPECT_EQ(suiteDateFromText(text), std::nullopt) << text;
    }
}

} // namespace
} // namespace tarn
