#include "TarnKit/Suite/Commands/TarnSuiteCommandKind.h"

#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "TarnKit/Suite/Commands/TarnSuiteApp.h"

namespace tarn {
namespace {

using Kind = TarnSuiteCommandKind;

// The word a kind's name starts with: its lower-case letters and digits up to the first capital.
std::string prefixOf(Kind kind)
{
    const std::string_view raw = rawValue(kind);
    std::size_t end = 0;
    while (end < raw.size() && !(raw[end] >= 'A' && raw[end] <= 'Z')) {
        ++end;
    }
    return std::string(raw.substr(0, end));
}

// The catalog row whose lower-case raw value is "tarn" and the word.
std::optional<TarnSuiteApp> appOfPrefix(const std::string& prefix)
{
    for (const TarnSuiteApp app : allTarnSuiteApps()) {
        if (lowercasedRawValue(app) == "tarn" + prefix) {
            return app;
        }
    }
    return std::nullopt;
}

TEST(TarnSuiteCommandKind, SiblingKindsSitAtTheirPositions)
{
    const std::map<std::size_t, std::vector<Kind>> runs = {
        {1,
            {Kind::memorySmartOffload, Kind::memoryBalancedOffload, Kind::memoryThawAll, Kind::memoryFreezePID,
                Kind::memoryOpenDiskLab, Kind::memoryOpenAppFreezer, Kind::memoryToggleHUD}},
        {8,
            {Kind::reaperAllFrozen, Kind::reaperOpenCrosshair, Kind::reaperToggleQuickHUD, Kind::reaperProcessTree,
                Kind::reaperInspectPID, Kind::reaperOpenAnalytics24h, Kind::reaperOpenStartup, Kind::reaperOpenPorts}},
        {16,
            {Kind::sensorsToggleHUD, Kind::sensorsOpenMemoryDisk, Kind::sensorsOpenThermalsPower,
                Kind::sensorsStartThermalBenchmark}},
        {37, {Kind::tunesTogglePlayPause, Kind::tunesNextTrack, Kind::tunesPreviousTrack, Kind::tunesSetVolume}},
        {42, {Kind::volumeToggleAppMute, Kind::volumeMuteAllActive, Kind::volumeUnmuteAll}},
        {122,
            {Kind::zenStartTaskSession, Kind::zenOpenMiniHUD, Kind::zenTogglePause, Kind::zenStopSession,
                Kind::zenAddFiveMinutes, Kind::zenCompleteSession, Kind::zenToggleHUD, Kind::zenToggleShield,
                Kind::zenToggleAmbient, Kind::zenUndockFromDock, Kind::zenSyncProjectRules}},
        {133,
            {Kind::dockOpenQuickCapture, Kind::dockOpenMiniCompanion, Kind::dockDockZenHUD, Kind::dockSelectTask,
                Kind::dockCompleteTask, Kind::dockRefreshFromZen, Kind::dockOpenToday}},
    };
    const auto& all = allTarnSuiteCommandKinds();
    ASSERT_EQ(all.size(), 139u);
    std::size_t siblingKinds = 0;
    for (const auto& [first, kinds] : runs) {
        for (std::size_t index = 0; index < kinds.size(); ++index) {
            EXPECT_EQ(all[first - 1 + index], kinds[index]) << "position " << first + index;
        }
        siblingKinds += kinds.size();
    }
    EXPECT_EQ(siblingKinds, 44u);
    EXPECT_EQ(rawValue(Kind::memorySmartOffload), "memorySmartOffload");
    EXPECT_EQ(rawValue(Kind::reaperOpenAnalytics24h), "reaperOpenAnalytics24h");
}

TEST(TarnSuiteCommandKind, EveryNameIsACatalogWordAndARequest)
{
    std::set<std::string_view> raws;
    std::map<std::string, int> casesOfPrefix;
    for (const Kind kind : allTarnSuiteCommandKinds()) {
        const std::string_view raw = rawValue(kind);
        raws.insert(raw);
        const std::string prefix = prefixOf(kind);
        ASSERT_LT(prefix.size(), raw.size()) << raw << " has no request after its word";
        EXPECT_TRUE(appOfPrefix(prefix).has_value()) << raw << ": no catalog row for " << prefix;
        ++casesOfPrefix[prefix];
        EXPECT_EQ(tarnSuiteCommandKindFromRawValue(raw), kind);
    }
    EXPECT_EQ(raws.size(), 139u);
    EXPECT_EQ(casesOfPrefix.size(), 40u);
    for (const auto& [prefix, count] : casesOfPrefix) {
        EXPECT_GE(count, 1) << prefix;
    }
}

// The further applications' kinds fill positions 20 to 36 (15 words), 41 (one) and 45 to 121
// (17 words), one to seven kinds a word.
TEST(TarnSuiteCommandKind, FurtherApplicationsFillTheGapsWithThirtyThreeWords)
{
    const std::set<std::string> siblings = {"memory", "reaper", "sensors", "tunes", "volume", "zen", "dock"};
    const auto& all = allTarnSuiteCommandKinds();
    const auto wordsIn = [&](std::size_t first, std::size_t last) {
        std::map<std::string, int> words;
        for (std::size_t position = first; position <= last; ++position) {
            const std::string prefix = prefixOf(all[position - 1]);
            EXPECT_FALSE(siblings.contains(prefix)) << "position " << position;
            ++words[prefix];
        }
        return words;
    };
    const auto first = wordsIn(20, 36);
    const auto single = wordsIn(41, 41);
    const auto second = wordsIn(45, 121);
    EXPECT_EQ(first.size(), 15u);
    EXPECT_EQ(single.size(), 1u);
    EXPECT_EQ(second.size(), 17u);
    std::map<std::string, int> all33;
    for (const auto* words : {&first, &single, &second}) {
        for (const auto& [word, count] : *words) {
            EXPECT_LE(count, 7) << word;
            all33[word] += count;
        }
    }
    EXPECT_EQ(all33.size(), 33u) << "a word may not come back in another range";
}

TEST(TarnSuiteCommandKind, OnlyTheExactRawValueNamesAKind)
{
    for (const char* text : {"memorySmartOffload ", "MemorySmartOffload", "memorysmartoffload", "", "memory"}) {
        EXPECT_EQ(tarnSuiteCommandKindFromRawValue(text), std::nullopt) << text;
    }
}

} // namespace
} // namespace tarn
