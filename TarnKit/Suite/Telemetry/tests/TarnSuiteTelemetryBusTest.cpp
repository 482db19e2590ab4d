#include "TarnKit/Suite/Telemetry/TarnSuiteTelemetryBus.h"

#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeDistributedNotifier.h"
#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Fake/Suite/FakeFileSystemProbe.h"
#include "Platform/Fake/Suite/FakeProcessProbe.h"
#include "TarnKit/Suite/Records/Coding/SuiteRecordText.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using App = TarnSuiteApp;
using Tone = TarnLiveActivityTile::Tone;

constexpr std::int32_t kAlivePID = 4242;
constexpr std::int32_t kGonePID = 4343;
constexpr auto kUpdated = TarnSuiteTelemetryBus::kTelemetryUpdatedNotification;
const WallTime kNow = WallTime(std::chrono::seconds(1'765'000'000));

struct BusHarness {
    BusHarness() { processes.setAlive(kAlivePID, true); }

    TemporaryFolder folder;
    FakeDistributedNotifier notifier;
    ManualMainThreadExecutor mainThread;
    FakeProcessProbe processes;
    FakeFileSystemProbe fileSystem;
    // A machine of which nothing can be read but its page count.
    VirtualMemorySummaryReader memorySummary {{folder.path() / "no-proc", folder.path() / "no-sys", 4096, 1000},
        {folder.path() / "no-cache", folder.path() / "no-config.json", folder.path() / "no-media"}, fileSystem};
    RecordingLogSink log;
    TarnSuiteTelemetryBus bus {
        {notifier, mainThread, processes, memorySummary}, folder.path() / "SuiteTelemetry", &log};

    std::size_t updatesPosted() const
    {
        std::size_t count = 0;
        for (const auto& notice : notifier.posted()) {
            count += notice.name == kUpdated ? 1 : 0;
        }
        return count;
    }
    std::set<std::string> filesIn(const fs::path& folder) const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
    void writeFile(const fs::path& path, const std::string& text) const
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
};

TarnMemoryLiveStatus memoryStatus(WallTime timestamp, std::int32_t pid = kAlivePID)
{
    return TarnMemoryLiveStatus(timestamp, pid, 16'000'000'000, 9'000'000'000, 1'000'000'000, 56.25, 4'000'000'000,
        1'000'000'000, 2, true, "warning", 80, 1, 20'000'000'000, 5'000'000'000, {"Pool"}, 0, 0, 0, {}, 0, 0, {}, 1,
        {777}, 300'000'000, std::nullopt);
}

TarnSensorsLiveStatus sensorsStatus(WallTime timestamp, double cpu = 12.5)
{
    return TarnSensorsLiveStatus(
        timestamp, kAlivePID, cpu, 3, 40, 0, 48.5, std::nullopt, 50, 1200, std::nullopt, 90, "nominal", 99);
}

TarnReaperLiveStatus reaperStatus(WallTime timestamp)
{
    return TarnReaperLiveStatus(timestamp, kAlivePID, 300, 1, 2, {"Frozen App"}, 0, {901}, "Deep Work", 1'000, 12);
}

TarnVolumeLiveStatus volumeStatus(WallTime timestamp, float rms = 0.25F)
{
    return TarnVolumeLiveStatus(timestamp, kAlivePID, 0.5, "Speakers",
        {TarnVolumeAudioAppItem("1", "org.example.player", "Player", true, false, 1.0, rms)});
}

TarnTunesLiveStatus tunesStatus(WallTime timestamp)
{
    return TarnTunesLiveStatus(timestamp, kAlivePID, "Song", "Artist", "Album", "FLAC", true, 30, 120, 0.8);
}

TarnZenLiveStatus zenStatus(WallTime timestamp)
{
    return TarnZenLiveStatus(timestamp, kAlivePID, true, false, "pomodoro25", 600, 1500, "Write", std::nullopt,
        std::nullopt, std::nullopt, true, 3, 10, false, false, 70, 2, 5, 3600, false);
}

TarnDockLiveStatus dockStatus(WallTime timestamp)
{
    return TarnDockLiveStatus(timestamp, kAlivePID, 5, 2, 1, 1, 120, 360, "t1", "Task", 25,
        TarnScreenRect(0, 0, 300, 200), std::nullopt, false);
}

TarnLiveActivityTile tile(App app, WallTime timestamp, std::int64_t priority, std::int32_t pid = kAlivePID)
{
    return TarnLiveActivityTile(
        app, timestamp, pid, "Title", "Başlık", "42 %", std::nullopt, 0.5, std::nullopt, Tone::active, priority);
}

TEST(TarnSuiteTelemetryBusTest, EachStatusHasItsFileAndReadsBackWhenFresh)
{
    BusHarness h;
    EXPECT_FALSE(fs::exists(h.bus.baseDirectory())) << "construction touches no file";
    h.bus.publishMemoryStatus(memoryStatus(kNow), false);
    h.bus.publishSensorsStatus(sensorsStatus(kNow));
    h.bus.publishReaperStatus(reaperStatus(kNow));
    h.bus.publishVolumeStatus(volumeStatus(kNow), false);
    h.bus.publishTunesStatus(tunesStatus(kNow), false);
    h.bus.publishZenStatus(zenStatus(kNow), false);
    h.bus.publishDockStatus(dockStatus(kNow), false);

    const std::set<std::string> files {"tarnmemory-live.json", "tarnsensors-live.json", "tarnreaper-live.json",
        "tarnvolume-live.json", "tarntunes-live.json", "tarnzen-live.json", "tarndock-live.json"};
    EXPECT_EQ(h.filesIn(h.bus.baseDirectory()), files);
    EXPECT_EQ(h.bus.statusPath(App::tarnInput), std::nullopt);
    EXPECT_EQ(h.bus.readMemoryStatus(kNow, 1), memoryStatus(kNow));
    EXPECT_EQ(h.bus.readSensorsStatus(kNow, 1), sensorsStatus(kNow));
    EXPECT_EQ(h.bus.readReaperStatus(kNow, 1), reaperStatus(kNow));
    EXPECT_EQ(h.bus.readVolumeStatus(kNow, 1), volumeStatus(kNow));
    EXPECT_EQ(h.bus.readTunesStatus(kNow, 1), tunesStatus(kNow));
    EXPECT_EQ(h.bus.readZenStatus(kNow, 1), zenStatus(kNow));
    EXPECT_EQ(h.bus.readDockStatus(kNow, 1), dockStatus(kNow));
    EXPECT_EQ(h.updatesPosted(), 0U);
}

TEST(TarnSuiteTelemetryBusTest, PublishingPostsTheUpdateOnlyWhereAskedAndAllowed)
{
    const std::function<void(TarnSuiteTelemetryBus&, bool)> publishers[] = {
        [](auto& bus, bool notify) { bus.publishMemoryStatus(memoryStatus(kNow), notify); },
        [](auto& bus, bool notify) { bus.publishVolumeStatus(volumeStatus(kNow), notify); },
        [](auto& bus, bool notify) { bus.publishTunesStatus(tunesStatus(kNow), notify); },
        [](auto& bus, bool notify) { bus.publishZenStatus(zenStatus(kNow), notify); },
        [](auto& bus, bool notify) { bus.publishDockStatus(dockStatus(kNow), notify); },
        [](auto& bus, bool notify) { bus.publishLiveTile(tile(App::tarnClip, kNow, 1), notify); },
    };
    for (const auto& publish : publishers) {
        BusHarness h;
        publish(h.bus, false);
        EXPECT_EQ(h.updatesPosted(), 0U);
        publish(h.bus, true);
        EXPECT_EQ(h.updatesPosted(), 1U);
        EXPECT_EQ(h.notifier.posted().back(), (FakeDistributedNotifier::Posted {std::string(kUpdated), std::nullopt}));
    }
    BusHarness h;
    h.bus.publishSensorsStatus(sensorsStatus(kNow));
    h.bus.publishReaperStatus(reaperStatus(kNow));
    EXPECT_EQ(h.updatesPosted(), 0U);
}

TEST(TarnSuiteTelemetryBusTest, AFailedWriteKeepsTheOldFileAndStillPosts)
{
    BusHarness h;
    h.bus.publishVolumeStatus(volumeStatus(kNow), false);
    // An infinite signal level cannot be written as JSON.
    h.bus.publishVolumeStatus(volumeStatus(kNow + 1s, std::numeric_limits<float>::infinity()), true);
    EXPECT_EQ(h.updatesPosted(), 1U);
    EXPECT_EQ(h.bus.readVolumeStatus(kNow, 0), volumeStatus(kNow));

    // A file where the folder should be: nothing can be written at all.
    BusHarness blocked;
    blocked.writeFile(blocked.bus.baseDirectory(), "not a folder");
    blocked.bus.publishMemoryStatus(memoryStatus(kNow), true);
    blocked.bus.publishLiveTile(tile(App::tarnClip, kNow, 1), true);
    EXPECT_EQ(blocked.updatesPosted(), 2U);
    EXPECT_EQ(blocked.bus.readMemoryStatus(kNow, 1), std::nullopt);
}

TEST(TarnSuiteTelemetryBusTest, FreshnessHoldsExactlyToTheLimitEitherSide)
{
    BusHarness h;
    h.bus.publishTunesStatus(tunesStatus(kNow), false);
    const struct {
        std::chrono::seconds offset;
        bool fresh;
    } cases[] = {{0s, true}, {-10s, true}, {10s, true}, {-11s, false}, {11s, false}};
    for (const auto& testCase : cases) {
        EXPECT_EQ(h.bus.readTunesStatus(kNow + testCase.offset, 10).has_value(), testCase.fresh)
            << testCase.offset.count();
    }
    EXPECT_EQ(h.bus.readTunesStatus(kNow, std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    // Readers never touch the file.
    EXPECT_TRUE(fs::exists(*h.bus.statusPath(App::tarnTunes)));
}

TEST(TarnSuiteTelemetryBusTest, ARecordOfAWriterThatIsGoneOrWasNeverThereReadsAsAbsent)
{
    for (const std::int32_t pid : {0, -5, kGonePID}) {
        BusHarness h;
        h.bus.publishMemoryStatus(memoryStatus(kNow, pid), false);
        EXPECT_EQ(h.bus.readMemoryStatus(kNow, 60), std::nullopt) << pid;
    }
    // A writer of another user, which refuses signal 0 with EPERM, is alive: the probe says so.
    BusHarness h;
    h.processes.setAlive(1, true);
    h.bus.publishMemoryStatus(memoryStatus(kNow, 1), false);
    EXPECT_TRUE(h.bus.readMemoryStatus(kNow, 60).has_value());
    EXPECT_TRUE(h.bus.isPIDAlive(1));
    EXPECT_FALSE(h.bus.isPIDAlive(kGonePID));
    EXPECT_FALSE(h.bus.isPIDAlive(0));
    EXPECT_FALSE(h.bus.isPIDAlive(-1));
}

TEST(TarnSuiteTelemetryBusTest, MissingOrUndecodableFilesReadAsAbsent)
{
    BusHarness h;
    EXPECT_EQ(h.bus.readZenStatus(kNow, 60), std::nullopt);
    h.writeFile(*h.bus.statusPath(App::tarnZen), R"({"senderPID": 4242})");
    EXPECT_EQ(h.bus.readZenStatus(kNow, 60), std::nullopt);
    h.writeFile(*h.bus.statusPath(App::tarnZen), R"({"timestamp": "2025-12-06T05:46:40Z", "senderPID": 4242})");
    EXPECT_TRUE(h.bus.readZenStatus(kNow, 60).has_value()) << "zen decodes leniently with defaults";
    h.writeFile(*h.bus.statusPath(App::tarnDock), std::string(TarnSuiteTelemetryBus::kMaxRecordBytes + 1, ' '));
    EXPECT_EQ(h.bus.readDockStatus(kNow, 60), std::nullopt);
}

TEST(TarnSuiteTelemetryBusTest, ClearingRemovesOnlyTheApplicationsOwnFile)
{
    BusHarness h;
    h.bus.publishMemoryStatus(memoryStatus(kNow), false);
    h.bus.publishZenStatus(zenStatus(kNow), false);
    const auto before = h.filesIn(h.bus.baseDirectory());
    h.bus.clearStatus(App::tarnInput);
    EXPECT_EQ(h.filesIn(h.bus.baseDirectory()), before);
    h.bus.clearStatus(App::tarnMemory);
    h.bus.clearStatus(App::tarnMemory);
    EXPECT_EQ(h.filesIn(h.bus.baseDirectory()), (std::set<std::string> {"tarnzen-live.json"}));
    EXPECT_EQ(h.updatesPosted(), 0U);

    h.bus.publishLiveTile(tile(App::tarnClip, kNow, 1), false);
    h.bus.clearLiveTile(App::tarnClip);
    h.bus.clearLiveTile(App::tarnNotes);
    EXPECT_TRUE(h.filesIn(h.bus.baseDirectory() / "LiveTiles").empty());
    EXPECT_EQ(h.updatesPosted(), 0U);
}

TEST(TarnSuiteTelemetryBusTest, TilesComeFreshByPriorityThenNewestFirst)
{
    BusHarness h;
    h.bus.publishLiveTile(tile(App::tarnClip, kNow, 5), false);
    h.bus.publishLiveTile(tile(App::tarnNotes, kNow - 3s, 9), false);
    h.bus.publishLiveTile(tile(App::tarnZen, kNow - 2s, 5), false);
    h.bus.publishLiveTile(tile(App::tarnDock, kNow - 1s, 5), false);
    // A newer tile of an application replaces its older one.
    h.bus.publishLiveTile(tile(App::tarnZen, kNow - 1s, 7), false);
    // Left out: too old, writer gone.
    h.bus.publishLiveTile(tile(App::tarnTunes, kNow - 60s, 99), false);
    h.bus.publishLiveTile(tile(App::tarnVolume, kNow, 99, kGonePID), false);
    EXPECT_EQ(h.filesIn(h.bus.baseDirectory() / "LiveTiles").count("tarnclip.json"), 1U);

    const auto tiles = h.bus.readLiveTiles(kNow, 10);
    std::vector<App> order;
    for (const auto& each : tiles) {
        order.push_back(each.app());
    }
    EXPECT_EQ(order, (std::vector<App> {App::tarnNotes, App::tarnZen, App::tarnClip, App::tarnDock}));
    EXPECT_EQ(tiles[1], tile(App::tarnZen, kNow - 1s, 7));
}

TEST(TarnSuiteTelemetryBusTest, TilesAreReadFromJsonFilesOfAnyCaseButNotHiddenOnes)
{
    BusHarness h;
    const auto folder = h.bus.baseDirectory() / "LiveTiles";
    const auto text = *encodeSuiteRecord(tile(App::tarnClip, kNow, 1));
    h.writeFile(folder / "UPPER.JSON", text);
    h.writeFile(folder / ".hidden.json", text);
    h.writeFile(folder / "other.txt", text);
    h.writeFile(folder / "broken.json", "{");
    h.writeFile(folder / "empty.json", "");
    fs::create_directories(folder / "folder.json");
    EXPECT_EQ(h.bus.readLiveTiles(kNow, 10).size(), 1U);

    BusHarness none;
    EXPECT_TRUE(none.bus.readLiveTiles(kNow, 10).empty());
}

std::string readText(const fs::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

// A link planted where a status or tile file goes had the publisher overwrite the file it pointed
// to, and readers read a record from outside the folder. A publish replaces the link as it stands;
// a reader does not follow it.
TEST(TarnSuiteTelemetryBusTest, ALinkInAFilesPlaceIsReplacedByAPublishAndNeverFollowed)
{
    BusHarness h;
    const auto victim = h.folder.path() / "victim.json";
    const auto status = *h.bus.statusPath(App::tarnMemory);
    const auto tilePath = h.bus.liveTilePath(App::tarnClip);
    fs::create_directories(tilePath.parent_path());
    const std::string victimText = *encodeSuiteRecord(memoryStatus(kNow));
    h.writeFile(victim, victimText);
    const auto tileText = *encodeSuiteRecord(tile(App::tarnClip, kNow, 1));
    h.writeFile(h.folder.path() / "tile.json", tileText);

    fs::create_symlink(victim, status);
    fs::create_symlink(h.folder.path() / "tile.json", tilePath);
    EXPECT_EQ(h.bus.readMemoryStatus(kNow, 60), std::nullopt);
    EXPECT_TRUE(h.bus.readLiveTiles(kNow, 60).empty());

    h.bus.publishMemoryStatus(memoryStatus(kNow + 1s), false);
    h.bus.publishLiveTile(tile(App::tarnClip, kNow + 1s, 2), false);
    EXPECT_FALSE(fs::is_symlink(status));
    EXPECT_FALSE(fs::is_symlink(tilePath));
    EXPECT_EQ(h.bus.readMemoryStatus(kNow, 60), memoryStatus(kNow + 1s));
    EXPECT_EQ(h.bus.readLiveTiles(kNow, 60), std::vector {tile(App::tarnClip, kNow + 1s, 2)});
    EXPECT_EQ(readText(victim), victimText);
    EXPECT_EQ(readText(h.folder.path() / "tile.json"), tileText);
}

// Folders of the user's own that others could write into are made private before anything is
// written there; a folder that is a link is not written into at all, and that is logged once.
TEST(TarnSuiteTelemetryBusTest, WritesOnlyIntoFoldersPrivateToTheUser)
{
    const auto modeOf = [](const fs::path& path) { return fs::symlink_status(path).permissions() & fs::perms::mask; };
    for (const auto loose : {fs::perms::all, fs::perms::all | fs::perms::sticky_bit, fs::perms(0755)}) {
        BusHarness h;
        const auto tiles = h.bus.baseDirectory() / "LiveTiles";
        fs::create_directories(tiles);
        fs::permissions(h.bus.baseDirectory(), loose);
        fs::permissions(tiles, loose);
        h.bus.publishZenStatus(zenStatus(kNow), false);
        EXPECT_EQ(modeOf(h.bus.baseDirectory()), fs::perms::owner_all);
        h.bus.publishLiveTile(tile(App::tarnClip, kNow, 1), false);
        EXPECT_EQ(modeOf(tiles), fs::perms::owner_all);
        EXPECT_TRUE(h.bus.readZenStatus(kNow, 60).has_value());
        EXPECT_EQ(h.bus.readLiveTiles(kNow, 60).size(), 1U);
        EXPECT_TRUE(h.log.lines().empty());
    }

    BusHarness h;
    const auto elsewhere = h.folder.path() / "elsewhere";
    fs::create_directories(elsewhere);
    fs::create_directories(h.bus.baseDirectory());
    fs::create_directory_symlink(elsewhere, h.bus.baseDirectory() / "LiveTiles");
    h.bus.publishLiveTile(tile(App::tarnClip, kNow, 1), true);
    h.bus.publishLiveTile(tile(App::tarnClip, kNow, 1), true);
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_EQ(h.updatesPosted(), 2U) << "peers are told as after any failed write";
    const std::vector<RecordedLogLine> once {{TarnLogLevel::warn, "suite",
        "The suite folder " + (h.bus.baseDirectory() / "LiveTiles").string()
            + " is a symbolic link, so nothing is written there."}};
    EXPECT_EQ(h.log.lines(), once);
    h.bus.publishDockStatus(dockStatus(kNow), false);
    EXPECT_TRUE(h.bus.readDockStatus(kNow, 60).has_value()) << "the base folder itself is fine";
}

TEST(TarnSuiteTelemetryBusTest, UpdatesReachObserversOnTheMainThreadUntilTheyStop)
{
    BusHarness h;
    int calls = 0;
    auto subscription = h.bus.observeTelemetryUpdates([&] { ++calls; });
    h.bus.publishMemoryStatus(memoryStatus(kNow), true);
    EXPECT_EQ(calls, 0) << "handlers run on the main thread, not inside the post";
    h.mainThread.runPending();
    EXPECT_EQ(calls, 1);
    h.bus.publishZenStatus(zenStatus(kNow), true);
    subscription.cancel();
    h.mainThread.runPending();
    h.bus.publishZenStatus(zenStatus(kNow), true);
    h.mainThread.runPending();
    EXPECT_EQ(calls, 1);
}

TEST(TarnSuiteTelemetryBusTest, DockHoverCarriesTheAreaOrNone)
{
    BusHarness h;
    std::vector<std::optional<TarnDockDropArea>> received;
    auto subscription
        = h.bus.observeZenDockHover([&](std::optional<TarnDockDropArea> area) { received.push_back(area); });
    h.bus.postZenDockHoverTarget(TarnDockDropArea::mini);
    h.bus.postZenDockHoverTarget(TarnDockDropArea::studio);
    h.bus.postZenDockHoverTarget(std::nullopt);
    const auto hover = std::string(TarnSuiteTelemetryBus::kZenDockHoverNotification);
    EXPECT_EQ(h.notifier.posted(),
        (std::vector<FakeDistributedNotifier::Posted> {{hover, "mini"}, {hover, "studio"}, {hover, "none"}}));
    // What other programs may post: only the exact names are areas.
    for (const auto& object : std::vector<std::optional<std::string>> {"Mini", "studio ", "dock", std::nullopt}) {
        static_cast<void>(h.notifier.post(hover, object));
    }
    h.mainThread.runPending();
    EXPECT_EQ(received,
        (std::vector<std::optional<TarnDockDropArea>> {TarnDockDropArea::mini, TarnDockDropArea::studio, std::nullopt,
            std::nullopt, std::nullopt, std::nullopt, std::nullopt}));
}

TEST(TarnSuiteTelemetryBusTest, SummaryMergesAMemoryStatusAtMostEighteenSecondsOld)
{
    const struct {
        std::chrono::milliseconds age;
        bool merged;
    } cases[] = {{0ms, true}, {18'000ms, true}, {-18'000ms, true}, {18'500ms, false}, {-18'500ms, false}};
    for (const auto& testCase : cases) {
        BusHarness h;
        h.bus.publishMemoryStatus(memoryStatus(kNow), false);
        const auto summary = h.bus.readVirtualMemorySummary(kNow + testCase.age);
        EXPECT_EQ(summary.isTarnMemoryRunning, testCase.merged) << testCase.age.count();
        EXPECT_EQ(summary.swapFileCount, testCase.merged ? 2 : 0);
        EXPECT_EQ(summary.activeDiskPoolCount, testCase.merged ? 1 : 0);
        EXPECT_EQ(summary.physicalTotalBytes, testCase.merged ? 16'000'000'000 : 1000 * 4096);
        EXPECT_EQ(summary.frozenPIDs, testCase.merged ? std::vector<std::int32_t> {777} : std::vector<std::int32_t> {});
    }
}

} // namespace
} // namespace tarn
