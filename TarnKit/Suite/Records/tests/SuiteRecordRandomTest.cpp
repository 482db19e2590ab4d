#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TarnKit/Suite/Records/tests/SuiteRecordInvariant.h"
#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;

// One valid file of every record, the starting points of the mutations.
std::vector<nlohmann::json> validFiles()
{
    const auto progress = TarnMemoryOffloadLiveProgress(
        kStamp, true, false, 2, 5, 0.4, "Freezing", "Donduruluyor", "", "", 10, 20, {"Mail"}, "warning");
    const auto row = TarnVolumeAudioAppItem("a", "com.example.a", "A", true, false, 1.2, 0.3f);
    const auto frame = TarnScreenRect(10, 20, 300, 200);
    const std::vector<std::optional<SuiteJson>> records {
        TarnMemoryLiveStatus(kStamp, 1, 16, 8, 1, 50.5, 4, 2, 1, true, "normal", 90, 1, 100, 50, {"P"}, 1, 10, 5, {"S"},
            1, 64, {"R"}, 1, {501}, 7, progress)
            .toJson(),
        TarnSensorsLiveStatus(kStamp, 2, 10, 20, 30, 40, 50.5, std::nullopt, 45, 1200, 15, 88, "fair", 99).toJson(),
        TarnReaperLiveStatus(kStamp, 3, 400, 1, 2, {"Mail"}, 0, {9, 10}, "", 5, 6).toJson(),
        TarnVolumeLiveStatus(kStamp, 4, 0.7, "Speakers", {row, row}).toJson(),
        TarnTunesLiveStatus(kStamp, 5, "t", "a", "b", "FLAC", true, 30, 120, 0.5).toJson(),
        TarnZenLiveStatus(kStamp, 6, true, false, "pomodoro25", 600, 1500, "i", "id", std::nullopt, "p", true, 2, 3,
            false, true, 70, 1, 2, 3.5, true)
            .toJson(),
        TarnDockLiveStatus(kStamp, 7, 1, 2, 3, 4, 5, 400, "id", "title", 30, frame, std::nullopt, false).toJson(),
        TarnLiveActivityTile(TarnSuiteApp::tarnTunes, kStamp, 8, "Playing", "Çalıyor", "3:12", "Band", 0.3,
            std::nullopt, TarnLiveActivityTile::Tone::success, 2)
            .toJson(),
    };
    std::vector<nlohmann::json> files;
    for (const auto& record : records) {
        files.push_back(json(record.value().dump()));
    }
    return files;
}

// Values that each break or bend some field: wrong kinds, limits of the widths, odd dates.
const std::vector<std::string> kValues {"null", "true", "false", "0", "-1", "1.5", "87.0", "2147483647", "2147483648",
    "-9223372036854775808", "9223372036854775808", "1e39", "-1e308", "\"\"", "\"TarnMemory\"", "\"active\"",
    "\"2026-12-10T15:04:05Z\"", "\"2026-12-10T15:04:05.1Z\"", "[]", "[1, 2]", "[\"a\"]", "{}",
    R"({"x":1,"y":2,"width":3,"height":4})", "\"e\\u0301\""};

void mutate(nlohmann::json& object, std::mt19937& random)
{
    if (object.empty()) {
        return;
    }
    auto entry = object.begin();
    std::advance(entry, std::uniform_int_distribution<std::size_t>(0, object.size() - 1)(random));
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
    case 0:
        object.erase(entry);
        break;
    case 1:
        *entry = json(kValues[std::uniform_int_distribution<std::size_t>(0, kValues.size() - 1)(random)]);
        break;
    case 2:
        if (entry->is_object()) {
            mutate(*entry, random);
        } else if (entry->is_array() && !entry->empty() && (*entry)[0].is_object()) {
            mutate((*entry)[0], random);
        }
        break;
    default:
        object["extra" + std::to_string(random() % 3)] = json("[{\"deep\": [1, {\"x\": null}]}]");
        break;
    }
}

TEST(SuiteRecordRandom, MutatedFilesEitherFailOrRoundTripExactly)
{
    std::mt19937 random(20261210);
    const auto files = validFiles();
    int decodedTexts = 0;
    int texts = 0;
    for (int round = 0; round < 400; ++round) {
        for (const auto& file : files) {
            auto mutated = file;
            const int mutations = std::uniform_int_distribution<int>(1, 4)(random);
            for (int step = 0; step < mutations; ++step) {
                mutate(mutated, random);
            }
            const std::string text = mutated.dump();
            int decodedCount = 0;
            ASSERT_TRUE(allRecordsKeepInvariant(text, decodedCount)) << text;
            // A cut-off file is never a record.
            int cutDecodedCount = 0;
            ASSERT_TRUE(allRecordsKeepInvariant(text.substr(0, text.size() / 2), cutDecodedCount));
            EXPECT_EQ(cutDecodedCount, 0);
            decodedTexts += decodedCount > 0 ? 1 : 0;
            ++texts;
        }
    }
    // The mutations must leave enough files readable for the round trip to be tested at all.
    EXPECT_GT(decodedTexts, texts / 10);
}

TEST(SuiteRecordRandom, EveryValidFileIsReadByItsOwnRecord)
{
    for (const auto& file : validFiles()) {
        int decodedCount = 0;
        EXPECT_TRUE(allRecordsKeepInvariant(file.dump(), decodedCount)) << file.dump();
        EXPECT_GE(decodedCount, 1) << file.dump();
    }
}

} // namespace
} // namespace tarn
