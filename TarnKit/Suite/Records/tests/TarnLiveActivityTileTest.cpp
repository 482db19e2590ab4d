#include "TarnKit/Suite/Records/TarnLiveActivityTile.h"

#include <limits>

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeProcessProbe.h"
#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;
using std::nullopt;
using Tone = TarnLiveActivityTile::Tone;

TarnLiveActivityTile tile(std::optional<double> progress, std::optional<std::string> symbol = nullopt,
    std::string title = "Offloading", TarnSuiteApp app = TarnSuiteApp::tarnMemory)
{
    return TarnLiveActivityTile(app, kStamp, 31, std::move(title), "Boşaltılıyor", "4.2 GB", nullopt, progress,
        std::move(symbol), Tone::active, 5);
}

TEST(TarnLiveActivityTile, TheInitialiserHoldsProgressWithinZeroToOne)
{
    const struct {
        std::optional<double> given, stored;
    } cases[] {
        {1.7, 1.0},
        {-0.2, 0.0},
        {std::numeric_limits<double>::quiet_NaN(), 0.0},
        {0.35, 0.35},
        {nullopt, nullopt},
    };
    for (const auto& [given, stored] : cases) {
        EXPECT_EQ(tile(given).progress(), stored);
    }
    EXPECT_EQ(tile(nullopt).toJson().value().count("progress"), 0u);
}

TEST(TarnLiveActivityTile, AMissingSymbolIsTheCatalogsAndAnEmptyOneIsKept)
{
    EXPECT_EQ(tile(nullopt).symbolName(), "memorychip.fill");
    EXPECT_EQ(tile(nullopt, nullopt, "x", TarnSuiteApp::tarnZen).symbolName(), "timer");
    EXPECT_EQ(tile(nullopt, "bolt.fill").symbolName(), "bolt.fill");
    EXPECT_EQ(tile(nullopt, "").symbolName(), "");
}

TEST(TarnLiveActivityTile, DecodingIsStrictAndTakesValuesAsTheyStand)
{
    const auto complete = json(encodeSuiteRecord(tile(0.5)).value());
    const struct {
        const char* key;
        const char* value;
        bool decodes;
    } cases[] {
        {"progress", "1.7", true},
        {"progress", "null", true},
        {"progress", "\"0.5\"", false},
        {"secondaryMetric", "", true},
        {"secondaryMetric", "3", false},
        {"symbolName", "\"\"", true},
        {"symbolName", "", false},
        {"tone", "\"Active\"", false},
        {"tone", "\"danger\"", true},
        {"tone", "\"loud\"", false},
        {"app", "\"tarnMemory\"", false},
        {"app", "\"TarnNoSuchApp\"", false},
        {"app", "\"TarnVolume\"", true},
        {"priority", "", false},
        {"priority", "-3", true},
        {"priority", "1.5", false},
        {"titleTR", "null", false},
        {"unknown", "{}", true},
    };
    for (const auto& [key, value, decodes] : cases) {
        EXPECT_EQ(decodeSuiteRecord<TarnLiveActivityTile>(withKey(complete, key, value)).has_value(), decodes)
            << key << " " << value;
    }
    const auto over = decodeSuiteRecord<TarnLiveActivityTile>(withKey(complete, "progress", "1.7"));
    ASSERT_TRUE(over);
    EXPECT_EQ(over->progress(), 1.7);
}

TEST(TarnLiveActivityTile, WritesNineKeysWithoutTheOptionals)
{
    auto bare = json(encodeSuiteRecord(tile(0.5)).value());
    bare.erase("progress");
    const auto decoded = decodeSuiteRecord<TarnLiveActivityTile>(bare.dump());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->secondaryMetric(), nullopt);
    EXPECT_EQ(decoded->progress(), nullopt);
    EXPECT_EQ(writtenKeys(*decoded),
        (std::vector<std::string> {
            "app", "timestamp", "senderPID", "titleEN", "titleTR", "primaryMetric", "symbolName", "tone", "priority"}));
    EXPECT_EQ(decoded->toJson().value()["app"], "TarnMemory");
    EXPECT_EQ(decoded->toJson().value()["tone"], "active");
}

TEST(TarnLiveActivityTile, IdentityIsTheApplicationEqualityIsEveryField)
{
    const auto a = tile(0.5, nullopt, "Offloading");
    const auto b = tile(0.5, nullopt, "Thawing");
    EXPECT_EQ(a.id(), "TarnMemory");
    EXPECT_EQ(a.id(), b.id());
    EXPECT_NE(a, b);
    EXPECT_EQ(roundTripped(a), a);
    EXPECT_NE(tile(0.5), tile(nullopt));
}

TEST(TarnLiveActivityTile, ToneRawValuesAreTheCaseNames)
{
    const std::pair<Tone, const char*> tones[] {{Tone::neutral, "neutral"}, {Tone::active, "active"},
        {Tone::success, "success"}, {Tone::warning, "warning"}, {Tone::danger, "danger"}};
    for (const auto& [tone, raw] : tones) {
        EXPECT_EQ(rawValue(tone), raw);
        EXPECT_EQ(liveActivityToneFromRawValue(raw), tone);
    }
    EXPECT_EQ(liveActivityToneFromRawValue("Neutral"), nullopt);
    EXPECT_EQ(liveActivityToneFromRawValue(""), nullopt);
}

TEST(TarnLiveActivityTile, FreshnessIsTheSuiteRule)
{
    FakeProcessProbe probe;
    probe.setAlive(31, true);
    EXPECT_TRUE(tile(0.5).isFresh(kStamp + std::chrono::seconds(30), 30, probe));
    EXPECT_FALSE(tile(0.5).isFresh(kStamp + std::chrono::seconds(31), 30, probe));
}

} // namespace
} // namespace tarn
