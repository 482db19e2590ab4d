#include "TarnKit/Suite/Records/TarnTunesLiveStatus.h"

#include <limits>

#include <gtest/gtest.h>

#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TarnTunesLiveStatus tunes(double elapsed, double duration, double volume = 0.6)
{
    return TarnTunesLiveStatus(kStamp, 66, "Song", "Band", "Album", "Hi-Res", true, elapsed, duration, volume);
}

TEST(TarnTunesLiveStatus, InitialiserTakesTheLowerLimitFirst)
{
    EXPECT_EQ(tunes(-5, 100).elapsedSeconds(), 0);
    EXPECT_EQ(tunes(kNaN, 100).elapsedSeconds(), 0);
    EXPECT_EQ(tunes(10, -1).durationSeconds(), 0);
    const struct {
        double given, stored;
    } volumes[] {{1.3, 1}, {-0.5, 0}, {kNaN, 0}, {0.4, 0.4}, {kInfinity, 1}};
    for (const auto& [given, stored] : volumes) {
        EXPECT_EQ(tunes(0, 1, given).volume(), stored) << given;
    }
}

TEST(TarnTunesLiveStatus, ProgressIsTheShareOfTheTrackPlayed)
{
    const struct {
        double elapsed, duration, progress;
    } cases[] {
        {30, 0, 0},
        {30, 120, 0.25},
        {150, 120, 1},
        {120, 120, 1},
        {0, 120, 0},
        {kInfinity, 120, 1},
        {kInfinity, kInfinity, 0},
    };
    for (const auto& [elapsed, duration, progress] : cases) {
        EXPECT_EQ(tunes(elapsed, duration).progress(), progress) << elapsed << " of " << duration;
    }
    const auto rewound = decodeSuiteRecord<TarnTunesLiveStatus>(
        withKey(json(encodeSuiteRecord(tunes(30, 120)).value()), "elapsedSeconds", "-30"));
    ASSERT_TRUE(rewound);
    EXPECT_EQ(rewound->elapsedSeconds(), -30);
    EXPECT_EQ(rewound->progress(), 0);
}

TEST(TarnTunesLiveStatus, EveryKeyIsRequiredAndValuesAreReadUnclamped)
{
    const auto complete = json(encodeSuiteRecord(tunes(30, 120)).value());
    EXPECT_FALSE(decodeSuiteRecord<TarnTunesLiveStatus>(withKey(complete, "qualityBadge", "")));
    EXPECT_FALSE(decodeSuiteRecord<TarnTunesLiveStatus>(withKey(complete, "album", "null")));
    EXPECT_FALSE(decodeSuiteRecord<TarnTunesLiveStatus>(withKey(complete, "isPlaying", "\"true\"")));
    const auto loud = decodeSuiteRecord<TarnTunesLiveStatus>(withKey(complete, "volume", "1.8"));
    ASSERT_TRUE(loud);
    EXPECT_EQ(loud->volume(), 1.8);
}

TEST(TarnTunesLiveStatus, RoundTripsUnlessAFigureIsInfinite)
{
    EXPECT_EQ(roundTripped(tunes(30, 120)), tunes(30, 120));
    EXPECT_EQ(writtenKeys(tunes(30, 120)),
        (std::vector<std::string> {"timestamp", "senderPID", "title", "artist", "album", "qualityBadge", "isPlaying",
            "elapsedSeconds", "durationSeconds", "volume"}));
    EXPECT_EQ(encodeSuiteRecord(tunes(30, kInfinity)), std::nullopt);
    EXPECT_NE(tunes(30, 120), tunes(31, 120));
}

} // namespace
} // namespace tarn
