// Files as the family's other programs write them: keys in their own order, whole numbers for
// reals, optionals left out or null, keys this kit does not know.

#include <filesystem>

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Suite/Records/tests/SuiteRecordInvariant.h"
#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using namespace suite_testing;

template <SuiteRecord Record> Record sample(const char* name)
{
    const auto text = WholeFile::read(std::filesystem::path(TARN_TEST_DATA_DIR) / "suite" / name, 64 * 1024);
    EXPECT_TRUE(text) << name;
    auto record = decodeSuiteRecord<Record>(text ? std::string_view(*text) : std::string_view());
    EXPECT_TRUE(record) << name;
    bool decoded = false;
    EXPECT_TRUE(text && keepsInvariant<Record>(*text, decoded)) << name;
    return record.value();
}

TEST(SuiteSampleFiles, MemoryStatusWithItsProgress)
{
    const auto memory = sample<TarnMemoryLiveStatus>("tarnmemory-live.json");
    EXPECT_EQ(memory.senderPID(), 4711);
    EXPECT_EQ(memory.usedPercent(), 75.0);
    EXPECT_EQ(memory.frozenPIDs(), (std::vector<std::int32_t> {812, 933}));
    ASSERT_TRUE(memory.offloadProgress());
    EXPECT_EQ(memory.offloadProgress()->phaseTitleTR(), "Arka plan uygulamaları donduruluyor");
    EXPECT_TRUE(memory.hasVirtualDiskExpansion());
    EXPECT_EQ(memory.toJson().value().count("futureKey"), 0u);
}

TEST(SuiteSampleFiles, SensorsReaperVolumeAndTunes)
{
    const auto sensors = sample<TarnSensorsLiveStatus>("tarnsensors-live.json");
    EXPECT_EQ(sensors.cpuTempCelsius(), std::nullopt);
    EXPECT_EQ(sensors.headlineTempCelsius(), 55.5);
    EXPECT_EQ(sensors.systemWatts(), std::nullopt);

    const auto reaper = sample<TarnReaperLiveStatus>("tarnreaper-live.json");
    EXPECT_EQ(reaper.autoFrozenPIDs(), (std::vector<std::int32_t> {2147483647}));
    EXPECT_EQ(reaper.activeFocusProfileName(), std::optional<std::string>(""));

    const auto volume = sample<TarnVolumeLiveStatus>("tarnvolume-live.json");
    EXPECT_EQ(volume.activePlayingCount(), 1);
    EXPECT_EQ(volume.mutedCount(), 1);
    EXPECT_EQ(volume.channels()[0].rmsLevel(), 0.125f);

    const auto tunes = sample<TarnTunesLiveStatus>("tarntunes-live.json");
    EXPECT_EQ(tunes.progress(), 0.25);
    EXPECT_EQ(tunes.title(), "Yağmur");
}

TEST(SuiteSampleFiles, ZenAndDockFillAndClampWhatTheyRead)
{
    const auto zen = sample<TarnZenLiveStatus>("tarnzen-live.json");
    EXPECT_EQ(zen.focusScorePercent(), 100);
    EXPECT_EQ(zen.blockedDomainsCount(), 0);
    EXPECT_EQ(zen.activeTaskTitle(), std::nullopt);
    EXPECT_DOUBLE_EQ(zen.progress(), 2.0 / 3.0);

    const auto dock = sample<TarnDockLiveStatus>("tarndock-live.json");
    EXPECT_EQ(dock.dailyCapacityMinutes(), 30);
    EXPECT_EQ(dock.nextBestTaskMinutes(), 25);
    EXPECT_EQ(dock.nextBestTaskID(), std::nullopt);
    ASSERT_TRUE(dock.miniPanelFrame());
    EXPECT_EQ(dock.miniPanelFrame()->height(), -1);
    EXPECT_EQ(dock.studioWindowFrame(), std::nullopt);
}

TEST(SuiteSampleFiles, Tile)
{
    const auto tile = sample<TarnLiveActivityTile>("tarntunes-tile.json");
    EXPECT_EQ(tile.app(), TarnSuiteApp::tarnTunes);
    EXPECT_EQ(tile.id(), "TarnTunes");
    EXPECT_EQ(tile.progress(), 0.25);
    EXPECT_EQ(tile.tone(), TarnLiveActivityTile::Tone::active);
}

} // namespace
} // namespace tarn
