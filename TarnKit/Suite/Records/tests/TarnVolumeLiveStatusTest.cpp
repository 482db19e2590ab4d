#include "TarnKit/Suite/Records/TarnVolumeLiveStatus.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TarnVolumeAudioAppItem row(std::string id, bool playing, bool muted, double volume = 1.0, float rms = 0.25f)
{
    return TarnVolumeAudioAppItem(id, "com.example." + id, id, playing, muted, volume, rms);
}

TarnVolumeLiveStatus volume(std::vector<TarnVolumeAudioAppItem> channels, double master = 0.8)
{
    return TarnVolumeLiveStatus(kStamp, 55, master, "Speakers", std::move(channels));
}

TEST(TarnVolumeLiveStatus, InitialisersClampAndTakeTheUpperLimitFirst)
{
    const struct {
        double given, master, rowVolume;
    } cases[] {
        {1.4, 1.0, 1.4},
        {2.5, 1.0, 2.0},
        {-0.2, 0.0, 0.0},
        {-1, 0.0, 0.0},
        {kNaN, 1.0, 2.0}, // the minimum prefers the number over NaN
        {0.5, 0.5, 0.5},
    };
    for (const auto& [given, master, rowVolume] : cases) {
        EXPECT_EQ(volume({}, given).masterVolume(), master) << given;
        EXPECT_EQ(row("a", true, false, given).volume(), rowVolume) << given;
    }
    EXPECT_EQ(row("a", true, false, 1, -0.1f).rmsLevel(), 0.0f);
    EXPECT_EQ(row("a", true, false, 1, std::nanf("")).rmsLevel(), 0.0f);
    EXPECT_EQ(row("a", true, false, 1, 3.0f).rmsLevel(), 3.0f);
}

TEST(TarnVolumeLiveStatus, DecodingKeepsWhatTheFileSays)
{
    const auto decoded = decodeSuiteRecord<TarnVolumeLiveStatus>(
        R"({"timestamp":"2026-12-10T15:04:05Z","senderPID":55,"masterVolume":1.7,"outputDeviceName":"Speakers",
            "channels":[{"id":"a","bundleID":"b","appName":"A","isPlayingAudio":true,"isMuted":false,
                         "volume":-3,"rmsLevel":-0.5}]})");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->masterVolume(), 1.7);
    ASSERT_EQ(decoded->channels().size(), 1u);
    EXPECT_EQ(decoded->channels()[0].volume(), -3.0);
    EXPECT_EQ(decoded->channels()[0].rmsLevel(), -0.5f);
}

TEST(TarnVolumeLiveStatus, EveryKeyIsRequiredAndOneBadRowFailsTheStatus)
{
    const auto complete = json(encodeSuiteRecord(volume({row("a", true, false)})).value());
    const auto withRow = [&](const char* key, const char* value) {
        auto object = complete;
        object["channels"][0] = json(withKey(object["channels"][0], key, value));
        return object.dump();
    };
    const struct {
        std::string text;
        bool decodes;
    } cases[] {
        {withKey(complete, "channels", "[]"), true},
        {withKey(complete, "channels", "null"), false},
        {withKey(complete, "outputDeviceName", ""), false},
        {withKey(complete, "masterVolume", "null"), false},
        {withRow("rmsLevel", ""), false},
        {withRow("rmsLevel", "1e39"), false},
        {withRow("rmsLevel", "3.4e38"), true},
        {withRow("isMuted", "0"), false},
        {withRow("id", "7"), false},
        {withRow("futureField", "true"), true},
    };
    for (const auto& [text, decodes] : cases) {
        EXPECT_EQ(decodeSuiteRecord<TarnVolumeLiveStatus>(text).has_value(), decodes) << text;
    }
}

TEST(TarnVolumeLiveStatus, CountsPlayingAndMutedRows)
{
    const auto status
        = volume({row("a", true, false), row("b", true, true), row("c", false, true), row("d", false, false)});
    EXPECT_EQ(status.activePlayingCount(), 1);
    EXPECT_EQ(status.mutedCount(), 2);
    EXPECT_EQ(volume({}).activePlayingCount(), 0);
    EXPECT_EQ(volume({}).mutedCount(), 0);
}

TEST(TarnVolumeLiveStatus, RowsCompareInOrderAndRoundTrip)
{
    const auto ab = volume({row("a", true, false), row("b", false, true, 1.5, 0.1f)});
    EXPECT_NE(ab, volume({row("b", false, true, 1.5, 0.1f), row("a", true, false)}));
    EXPECT_EQ(roundTripped(ab), ab);
    EXPECT_EQ(roundTripped(volume({})), volume({}));
    EXPECT_EQ(writtenKeys(ab),
        (std::vector<std::string> {"timestamp", "senderPID", "masterVolume", "outputDeviceName", "channels"}));
    EXPECT_EQ(writtenKeys(row("a", true, false)),
        (std::vector<std::string> {"id", "bundleID", "appName", "isPlayingAudio", "isMuted", "volume", "rmsLevel"}));
    // The clamps leave an infinite level, which cannot be written.
    const auto loud = volume({row("a", true, false, 1, std::numeric_limits<float>::infinity())});
    EXPECT_EQ(encodeSuiteRecord(loud), std::nullopt);
}

} // namespace
} // namespace tarn
