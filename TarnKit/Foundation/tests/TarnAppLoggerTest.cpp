#include "TarnKit/Foundation/Logging/TarnAppLogger.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/FakeSystemLog.h"
#include "Platform/Fake/Foundation/RecordingFolderRevealer.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"
#include "tests/TemporaryFolder.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarn {
namespace {

using namespace std::chrono;
namespace fs = std::filesystem;

WallTime wallTime(int hour, int minute, int second, int millisecond)
{
    return WallTime(sys_days(year_month_day(year(2026), month(12), day(9)))) + hours(hour) + minutes(minute)
        + seconds(second) + milliseconds(millisecond);
}

std::string readFile(const fs::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::stringstream contents;
    contents << stream.rdbuf();
    return contents.str();
}

void writeFile(const fs::path& path, std::string_view contents)
{
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream << contents;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

// A logger in a temporary folder with a fake clock, numbered ids and a recording mirror.
class LoggerHarness {
public:
    std::unique_ptr<TarnAppLogger> make(
        std::uint64_t maxFileBytes = 1 << 20, int maxRotatedFiles = 5, std::string appName = "TarnInput")
    {
        TarnAppLogger::Services services;
        services.systemLog = systemLog;
        services.clock = &clock;
        services.makeId = [this] {
            Uuid uuid;
            const auto number = m_nextId.fetch_add(1);
            uuid.bytes[14] = static_cast<std::uint8_t>(number >> 8);
            uuid.bytes[15] = static_cast<std::uint8_t>(number);
            return uuid;
        };
        services.errorOutput = [this](std::string_view line) {
            std::lock_guard lock(m_mutex);
            m_errors.emplace_back(line);
        };
        services.folderRevealer = revealer;
        return std::make_unique<TarnAppLogger>(
            std::move(appName), folder.path() / "logs", maxFileBytes, maxRotatedFiles,
            [] {
                return TarnAppVersion {"1.4.0", "57"};
            },
            std::move(services));
    }

    std::vector<std::string> errors() const
    {
        std::lock_guard lock(m_mutex);
        return m_errors;
    }

    TemporaryFolder folder;
    FakeClock clock;
    std::shared_ptr<FakeSystemLog> systemLog = std::make_shared<FakeSystemLog>();
    std::shared_ptr<RecordingFolderRevealer> revealer = std::make_shared<RecordingFolderRevealer>();

private:
    std::atomic<int> m_nextId {1};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_errors;
};

// ---- Writing --------------------------------------------------------------------------

TEST(TarnAppLoggerTest, WritesTheExactLineAndMirrorsIt)
{
    LoggerHarness harness;
    harness.clock.setWallStart(wallTime(7, 20, 8, 123));
    auto logger = harness.make();
    logger->log(TarnLogLevel::warn, "token=abc", "Blocked bounce, api_key=k1 on /dev/input/event3");
    harness.clock.advance(milliseconds(1500));
    logger->info("", "tap");

    EXPECT_EQ(readFile(logger->currentLogFile()),
        R"({"build":"57","category":"token=abc","id":"00000000-0000-0000-0000-000000000001",)"
        R"("level":"warn","message":"Blocked bounce, api_key=[REDACTED] on \/dev\/input\/event3",)"
        R"("timestamp":"2026-12-09T07:20:08.123Z","version":"1.4.0"})"
        "\n"
        R"({"build":"57","category":"tap","id":"00000000-0000-0000-0000-000000000002",)"
        R"("level":"info","message":"","timestamp":"2026-12-09T07:20:09.623Z","version":"1.4.0"})"
        "\n");
    const std::vector<SystemLogRecord> expected {
        {"com.harrowfen.tarninput", "runtime", SystemLogType::error,
            "[token=abc] Blocked bounce, api_key=[REDACTED] on /dev/input/event3"},
        {"com.harrowfen.tarninput", "runtime", SystemLogType::info, "[tap] "},
    };
    EXPECT_EQ(harness.systemLog->records(), expected);
    EXPECT_TRUE(harness.errors().empty());
    EXPECT_EQ(std::filesystem::status(logger->currentLogFile()).permissions(),
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(TarnAppLoggerTest, ShorthandsMapLevelsToTheSystemLogTypes)
{
    LoggerHarness harness;
    auto logger = harness.make();
    logger->debug("d", "c1");
    logger->info("i", "c2");
    logger->warn("w", "c3");
    logger->error("e", "c4");
    const auto records = harness.systemLog->records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].type, SystemLogType::debug);
    EXPECT_EQ(records[1].type, SystemLogType::info);
    EXPECT_EQ(records[2].type, SystemLogType::error);
    EXPECT_EQ(records[3].type, SystemLogType::error);
    EXPECT_EQ(records[2].text, "[c3] w");
    const auto entries = logger->recentEntries(10, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].level, TarnLogLevel::error);
    EXPECT_EQ(entries[3].level, TarnLogLevel::debug);
    EXPECT_EQ(entries[3].category, "c1");
}

TEST(TarnAppLoggerTest, InvalidUtf8IsWrittenSafely)
{
    LoggerHarness harness;
    auto logger = harness.make();
    logger->info("Device \"Gaming\xFF\xC0 Mouse\" attached", "dev\xE2\x82");
    const auto entries = logger->recentEntries(5, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, "Device \"Gaming\xEF\xBF\xBD\xEF\xBF\xBD Mouse\" attached");
    EXPECT_EQ(entries[0].category, "dev\xEF\xBF\xBD");
    EXPECT_TRUE(harness.errors().empty());
}

TEST(TarnAppLoggerTest, ALongMessageIsRedactedThenCutAtACharacter)
{
    LoggerHarness harness;
    auto logger = harness.make();
    constexpr std::size_t kLimit = TarnAppLogger::kMaximumMessageBytes;
    // Redacted, this one is exactly as long as the limit allows.
    const std::string fits = "token=abc " + std::string(kLimit - 17, 'x');
    // "ü" is two bytes: the last one straddles the cut, so the cut comes before it.
    std::string tooLong = "password=hunter2 ";
    while (tooLong.size() < 4 * kLimit) {
        tooLong += "\u00fc";
    }
    logger->info(fits, "window");
    logger->info(tooLong, "window");

    const auto entries = logger->recentEntries(5, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].message, "token=[REDACTED] " + std::string(kLimit - 17, 'x'));
    const std::string& cut = entries[0].message;
    EXPECT_LE(cut.size(), kLimit);
    EXPECT_EQ(cut.rfind("password=[REDACTED] \u00fc\u00fc", 0), 0u);
    EXPECT_TRUE(cut.ends_with("\u00fc\u2026")) << cut.substr(cut.size() - 8);
    EXPECT_EQ(harness.systemLog->records().back().text, "[window] " + cut);
}

TEST(TarnAppLoggerTest, ConstructionClampsLimitsAndNamesFiles)
{
    LoggerHarness harness;
    EXPECT_EQ(harness.make(0)->maxFileBytes(), 4096u);
    EXPECT_EQ(harness.make(4095)->maxFileBytes(), 4096u);
    EXPECT_EQ(harness.make(4097)->maxFileBytes(), 4097u);
    EXPECT_EQ(harness.make(4096, 0)->maxRotatedFiles(), 1);
    EXPECT_EQ(harness.make(4096, -3)->maxRotatedFiles(), 1);

    // A given folder is used as it is, and nothing is created until the first write.
    auto logger = harness.make(4096, 5, "Tarn Input");
    EXPECT_EQ(logger->logDirectory(), harness.folder.path() / "logs");
    EXPECT_EQ(logger->currentLogFile(), harness.folder.path() / "logs" / "tarn-input.log");
    EXPECT_EQ(logger->subsystem(), "com.harrowfen.tarn-input");
    EXPECT_FALSE(fs::exists(harness.folder.path() / "logs"));

    TarnAppLogger::Services services;
    services.environment = [](std::string_view name) -> std::optional<std::string> {
        if (name == "XDG_STATE_HOME") {
            return "/state";
        }
        return "/home/someone";
    };
    TarnAppLogger byDefault("Tarn\tInput", std::nullopt, 0, 0, {}, services);
    EXPECT_EQ(byDefault.logDirectory(), fs::path("/state/Harrowfen/Tarn\tInput/logs"));
    EXPECT_EQ(byDefault.currentLogFile().filename(), "tarn\tinput.log");
    EXPECT_EQ(byDefault.appName(), "Tarn\tInput");
    EXPECT_EQ(TarnAppLogger::fileSlug("TarnInput"), "tarninput");
}

TEST(TarnAppLoggerTest, SharedKeepsOneLoggerPerExactName)
{
    auto& first = TarnAppLogger::shared("LoggerTestShared", [] { return TarnAppVersion {"9.9.9", "1"}; });
    auto& again = TarnAppLogger::shared("LoggerTestShared", [] { return TarnAppVersion {"0.0.1", "2"}; });
    auto& otherCase = TarnAppLogger::shared("loggertestshared");
    EXPECT_EQ(&first, &again);
    EXPECT_NE(&first, &otherCase);
    EXPECT_EQ(first.maxFileBytes(), 2u * 1024 * 1024);
    EXPECT_EQ(first.maxRotatedFiles(), 5);
    EXPECT_EQ(first.currentLogFile().filename(), "loggertestshared.log");
    EXPECT_EQ(first.logDirectory().filename(), "logs");
    EXPECT_EQ(first.logDirectory().parent_path().filename(), "LoggerTestShared");
}

TEST(TarnAppLoggerTest, SharedLoggerWritesUnderTheStateFolderWithTheFirstProvider)
{
    TemporaryFolder state;
    const char* previous = std::getenv("XDG_STATE_HOME");
    const std::optional<std::string> saved = previous ? std::optional<std::string>(previous) : std::nullopt;
    ::setenv("XDG_STATE_HOME", state.path().c_str(), 1);
    auto& logger = TarnAppLogger::shared("LoggerTestState", [] { return TarnAppVersion {"3.1.4", "15"}; });
    auto& again = TarnAppLogger::shared("LoggerTestState", [] { return TarnAppVersion {"0.0.0", "0"}; });
    if (saved) {
        ::setenv("XDG_STATE_HOME", saved->c_str(), 1);
    } else {
        ::unsetenv("XDG_STATE_HOME");
    }

    again.info("hello", "launch");
    EXPECT_EQ(logger.currentLogFile(), state.path() / "Harrowfen" / "LoggerTestState" / "logs" / "loggerteststate.log");
    const auto entries = logger.recentEntries(5, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].version, "3.1.4");
    EXPECT_EQ(entries[0].build, "15");
    EXPECT_EQ(entries[0].id.size(), 36u);
    EXPECT_EQ(entries[0].id[14], '4');
}

TEST(TarnAppLoggerTest, AFailedWriteIsReportedOnceAndLaterWritesRecover)
{
    LoggerHarness harness;
    writeFile(harness.folder.path() / "logs", "a file where the folder should be");
    auto logger = harness.make();
    logger->error("lost", "tap");
    const auto errors = harness.errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("[TarnAppLogger:TarnInput] write failed: ", 0), 0u) << errors[0];
    EXPECT_EQ(errors[0].back(), '\n');
    // The mirror does not depend on the file.
    EXPECT_EQ(harness.systemLog->count(), 1u);

    fs::remove(harness.folder.path() / "logs");
    logger->info("kept", "tap");
    EXPECT_EQ(harness.errors().size(), 1u);
    const auto entries = logger->recentEntries(10, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, "kept");
}

TEST(TarnAppLoggerTest, AWriteThatFailsHalfwayLeavesNoTornLine)
{
    LoggerHarness harness;
    auto logger = harness.make();
    logger->info("before", "t");
    const auto sizeBefore = fs::file_size(logger->currentLogFile());

    // A file-size limit a few bytes past the end makes the next write stop partway.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit tight = previous;
    tight.rlim_cur = sizeBefore + 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    logger->info("does not fit", "t");
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &previous), 0);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_EQ(harness.errors().size(), 1u);
    EXPECT_EQ(fs::file_size(logger->currentLogFile()), sizeBefore);
    logger->info("after", "t");
    const auto entries = logger->recentEntries(10, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].message, "after");
    EXPECT_EQ(entries[1].message, "before");
}

// ---- Rotation -------------------------------------------------------------------------

TEST(TarnAppLoggerTest, RotatesAtTheThresholdAndShiftsAroundAGap)
{
    LoggerHarness harness;
    auto logger = harness.make(4096, 5);
    fs::create_directories(logger->logDirectory());
    const auto live = logger->currentLogFile();
    auto generation = [&live](int index) { return fs::path(live.string() + "." + std::to_string(index)); };

    // One byte short of the threshold: no rotation.
    writeFile(live, std::string(4095, 'x'));
    logger->info("first", "t");
    EXPECT_FALSE(fs::exists(generation(1)));

    // Exactly at the threshold, with ".3" missing.
    writeFile(live, std::string(4096, 'L'));
    writeFile(generation(1), "g1");
    writeFile(generation(2), "g2");
    writeFile(generation(4), "g4");
    writeFile(generation(5), "g5");
    logger->info("second", "t");

    EXPECT_EQ(readFile(generation(1)), std::string(4096, 'L'));
    EXPECT_EQ(readFile(generation(2)), "g1");
    EXPECT_EQ(readFile(generation(3)), "g2");
    EXPECT_FALSE(fs::exists(generation(4)));
    EXPECT_EQ(readFile(generation(5)), "g4");
    EXPECT_FALSE(fs::exists(generation(6)));
    const auto entries = logger->recentEntries(10, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, "second");
    EXPECT_TRUE(harness.errors().empty());
}

TEST(TarnAppLoggerTest, WithOneGenerationTheOldOneIsReplaced)
{
    LoggerHarness harness;
    auto logger = harness.make(4096, 1);
    fs::create_directories(logger->logDirectory());
    const auto live = logger->currentLogFile();
    writeFile(live, std::string(5000, 'N'));
    writeFile(live.string() + ".1", "old");
    logger->info("new", "t");
    EXPECT_EQ(readFile(live.string() + ".1"), std::string(5000, 'N'));
    EXPECT_FALSE(fs::exists(live.string() + ".2"));
    EXPECT_EQ(lines(readFile(live)).size(), 1u);
}

// ---- Concurrency ----------------------------------------------------------------------

// Every line of every file, decoded; a line that does not decode fails the test.
std::vector<TarnLogEntry> allEntries(const TarnAppLogger& logger)
{
    std::vector<TarnLogEntry> entries;
    std::vector<fs::path> files {logger.currentLogFile()};
    for (int index = 1; index <= logger.maxRotatedFiles(); ++index) {
        files.emplace_back(logger.currentLogFile().string() + "." + std::to_string(index));
    }
    for (const auto& file : files) {
        for (const auto& line : lines(readFile(file))) {
            auto entry = TarnLogEntry::fromJsonLine(line);
            EXPECT_TRUE(entry.has_value()) << file << ": " << line;
            if (entry) {
                entries.push_back(std::move(*entry));
            }
        }
    }
    return entries;
}

void logFromThreads(TarnAppLogger& logger, int threads, int perThread, std::size_t padding)
{
    std::vector<std::thread> workers;
    const std::string pad(padding, 'p');
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&logger, t, perThread, &pad] {
            for (int i = 0; i < perThread; ++i) {
                logger.info(std::to_string(t) + ":" + std::to_string(i) + " " + pad, "thread");
            }
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
}

TEST(TarnAppLoggerTest, ConcurrentWritersNeitherInterleaveNorLoseLines)
{
    LoggerHarness harness;
    auto logger = harness.make(64 * 1024, 5);
    constexpr int kThreads = 6;
    constexpr int kPerThread = 150;
    // About 290 bytes a line, about 260 KB in all: several rotations, all of it kept.
    logFromThreads(*logger, kThreads, kPerThread, 100);

    const auto entries = allEntries(*logger);
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(kThreads * kPerThread));
    std::vector<std::vector<int>> seen(kThreads);
    for (const auto& entry : entries) {
        const auto colon = entry.message.find(':');
        const int thread = std::stoi(entry.message.substr(0, colon));
        seen[thread].push_back(std::stoi(entry.message.substr(colon + 1)));
    }
    for (auto& numbers : seen) {
        std::sort(numbers.begin(), numbers.end());
        ASSERT_EQ(numbers.size(), static_cast<std::size_t>(kPerThread));
        for (int i = 0; i < kPerThread; ++i) {
            EXPECT_EQ(numbers[i], i);
        }
    }
    EXPECT_TRUE(fs::exists(logger->currentLogFile().string() + ".1"));
    EXPECT_TRUE(harness.errors().empty());
}

TEST(TarnAppLoggerTest, ConcurrentRotationKeepsAtMostTheConfiguredGenerations)
{
    LoggerHarness harness;
    auto logger = harness.make(4096, 5);
    logFromThreads(*logger, 4, 150, 100);

    std::size_t files = 0;
    for (const auto& item : fs::directory_iterator(logger->logDirectory())) {
        ++files;
        // Each file holds whole lines only, and at most one line past the threshold.
        EXPECT_LT(fs::file_size(item.path()), 4096u + 400u) << item.path();
    }
    EXPECT_EQ(files, 6u);
    const auto entries = allEntries(*logger);
    // Six full files of whole lines are left; the rest were rotated away.
    EXPECT_GE(entries.size(), 6u * (4096u / 300u));
    EXPECT_TRUE(harness.errors().empty());
}

// ---- Reading, export and clearing ------------------------------------------------------

TEST(TarnAppLoggerTest, MissingFileReadsAsEmpty)
{
    LoggerHarness harness;
    auto logger = harness.make();
    EXPECT_TRUE(logger->recentEntries(120, TarnLogLevel::debug).empty());
    EXPECT_EQ(logger->exportPlainText(250, TarnLogLevel::debug), "");
    logger->info("one", "t");
    EXPECT_TRUE(logger->recentEntries(0, TarnLogLevel::debug).empty());
    logger->clear();
    EXPECT_TRUE(logger->recentEntries(120, TarnLogLevel::debug).empty());
}

TEST(TarnAppLoggerTest, SkipsLinesThatDoNotDecode)
{
    LoggerHarness harness;
    auto logger = harness.make();
    logger->info("first", "t");
    logger->info("second", "t");
    {
        std::ofstream append(logger->currentLogFile(), std::ios::app | std::ios::binary);
        append << "not json\n\n{\"build\":\"1\",\"category\":\"c\"}\n";
    }
    logger->info("third", "t");
    {
        std::ofstream append(logger->currentLogFile(), std::ios::app | std::ios::binary);
        append << R"({"build":"57","category":"t","id":"X","level":"info","message":"cut off)";
    }
    const auto entries = logger->recentEntries(120, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].message, "third");
    EXPECT_EQ(entries[1].message, "second");
    EXPECT_EQ(entries[2].message, "first");
}

TEST(TarnAppLoggerTest, AFileThatIsNotUtf8ReadsAsEmpty)
{
    LoggerHarness harness;
    auto logger = harness.make();
    logger->info("fine", "t");
    {
        std::ofstream append(logger->currentLogFile(), std::ios::app | std::ios::binary);
        append << "\xFF\xFE garbage\n";
    }
    logger->info("also fine", "t");
    EXPECT_TRUE(logger->recentEntries(120, TarnLogLevel::debug).empty());
}

TEST(TarnAppLoggerTest, FiltersByLevelNewestFirstUpToTheLimit)
{
    LoggerHarness harness;
    auto logger = harness.make(10 * 1024 * 1024);
    for (int i = 0; i < 500; ++i) {
        const auto level = i % 25 == 0 ? TarnLogLevel::error
            : i % 25 == 1              ? TarnLogLevel::warn
            : i % 2 == 0               ? TarnLogLevel::info
                                       : TarnLogLevel::debug;
        logger->log(level, "t", std::to_string(i));
    }
    const auto warnings = logger->recentEntries(120, TarnLogLevel::warn);
    ASSERT_EQ(warnings.size(), 40u);
    EXPECT_EQ(warnings.front().message, "476");
    EXPECT_EQ(warnings.back().message, "0");
    for (const auto& entry : warnings) {
        EXPECT_GE(entry.level, TarnLogLevel::warn);
    }
    const auto newest = logger->recentEntries(120, TarnLogLevel::debug);
    ASSERT_EQ(newest.size(), 120u);
    EXPECT_EQ(newest.front().message, "499");
    EXPECT_EQ(newest.back().message, "380");
}

TEST(TarnAppLoggerTest, RotatedGenerationsAreNeverRead)
{
    LoggerHarness harness;
    auto logger = harness.make(4096, 5);
    logger->info("old", "t");
    fs::rename(logger->currentLogFile(), logger->currentLogFile().string() + ".1");
    logger->info("new", "t");
    const auto entries = logger->recentEntries(120, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].message, "new");
}

TEST(TarnAppLoggerTest, ExportRunsOldestFirstWithoutAFinalLineFeed)
{
    LoggerHarness harness;
    harness.clock.setWallStart(wallTime(10, 0, 0, 0));
    auto logger = harness.make();
    logger->info("started", "tap");
    harness.clock.advance(minutes(5));
    logger->warn("re-enabled", "tap");
    EXPECT_EQ(logger->exportPlainText(250, TarnLogLevel::debug),
        "[2026-12-09T10:00:00.000Z] [INFO] [v1.4.0#57] [tap] started\n"
        "[2026-12-09T10:05:00.000Z] [WARN] [v1.4.0#57] [tap] re-enabled");
    EXPECT_EQ(logger->exportPlainText(250, TarnLogLevel::warn),
        "[2026-12-09T10:05:00.000Z] [WARN] [v1.4.0#57] [tap] re-enabled");
}

TEST(TarnAppLoggerTest, ClearDeletesEveryGenerationAndKeepsTheFolder)
{
    LoggerHarness harness;
    auto logger = harness.make(4096, 5);
    logger->info("a", "t");
    const auto live = logger->currentLogFile();
    writeFile(live.string() + ".1", "g1");
    writeFile(live.string() + ".2", "g2");
    writeFile(logger->logDirectory() / "other.txt", "kept");
    logger->clear();
    EXPECT_FALSE(fs::exists(live));
    EXPECT_FALSE(fs::exists(live.string() + ".1"));
    EXPECT_FALSE(fs::exists(live.string() + ".2"));
    EXPECT_TRUE(fs::exists(logger->logDirectory() / "other.txt"));
    logger->info("b", "t");
    ASSERT_EQ(logger->recentEntries(10, TarnLogLevel::debug).size(), 1u);
}

TEST(TarnAppLoggerTest, RevealShowsTheFolderOrTheLiveFile)
{
    LoggerHarness harness;
    auto logger = harness.make();
    EXPECT_TRUE(logger->revealInFinder());
    EXPECT_TRUE(fs::is_directory(logger->logDirectory()));
    logger->info("a", "t");
    harness.revealer->setSucceeds(false);
    EXPECT_FALSE(logger->revealInFinder());
    const std::vector<fs::path> expected {logger->logDirectory(), logger->currentLogFile()};
    EXPECT_EQ(harness.revealer->revealed(), expected);
}

TEST(TarnAppLoggerRevealTest, WithoutAFileManagerNothingIsStarted)
{
    TemporaryFolder folder;
    TarnAppLogger logger("TarnInput", folder.path() / "logs", 4096, 1, {});
    EXPECT_FALSE(logger.revealInFinder());
    EXPECT_TRUE(fs::is_directory(folder.path() / "logs"));

    auto revealer = std::make_shared<RecordingFolderRevealer>();
    TarnAppLogger::setDefaultFolderRevealer(revealer);
    TarnAppLogger withDefault("TarnInput", folder.path() / "logs", 4096, 1, {});
    TarnAppLogger::setDefaultFolderRevealer(nullptr);
    EXPECT_TRUE(withDefault.revealInFinder());
    EXPECT_EQ(revealer->revealed(), std::vector<fs::path> {folder.path() / "logs"});
}

// Something other than our own regular file at the log path must fail the write at once: a FIFO
// would block the logging thread for ever while it holds the file lock, and with it every
// thread that logs, the input engine included.
TEST(TarnAppLoggerTest, ALogPathThatIsNoRegularFileOfOursFailsAtOnce)
{
    const struct {
        const char* name;
        std::function<void(const fs::path& live, const fs::path& elsewhere)> make;
        const char* reasonPart;
    } cases[] {
        {"FIFO", [](const fs::path& live, const fs::path&) { ASSERT_EQ(::mkfifo(live.c_str(), 0600), 0); },
            "is not a regular file"},
        {"link to a file",
            [](const fs::path& live, const fs::path& elsewhere) {
                writeFile(elsewhere, "");
                fs::create_symlink(elsewhere, live);
            },
            "is a symbolic link"},
        {"folder", [](const fs::path& live, const fs::path&) { fs::create_directories(live); }, "Is a directory"},
        {"file of another user",
            [](const fs::path& live, const fs::path&) {
                writeFile(live, "");
                ASSERT_EQ(::chown(live.c_str(), 65534, 65534), 0);
            },
            "belongs to another user"},
    };
    for (const auto& [name, make, reasonPart] : cases) {
        SCOPED_TRACE(name);
        if (std::string_view(name) == "file of another user" && ::geteuid() != 0) {
            continue; // only root can give a file away
        }
        LoggerHarness harness;
        auto logger = harness.make();
        fs::create_directories(logger->logDirectory());
        const auto elsewhere = harness.folder.path() / "elsewhere.log";
        make(logger->currentLogFile(), elsewhere);

        auto written = std::async(std::launch::async, [&logger] { logger->info("a line", "t"); });
        if (written.wait_for(seconds(20)) != std::future_status::ready) {
            // Let the blocked writer go before failing, so that the test run can end.
            UniqueFd reader(::open(logger->currentLogFile().c_str(), O_RDONLY | O_NONBLOCK));
            written.wait();
            FAIL() << "log() blocked";
        }
        ASSERT_EQ(harness.errors().size(), 1u);
        EXPECT_NE(harness.errors()[0].find("write failed: "), std::string::npos) << harness.errors()[0];
        EXPECT_NE(harness.errors()[0].find(reasonPart), std::string::npos) << harness.errors()[0];
        EXPECT_EQ(harness.systemLog->count(), 1u) << "the system log still gets the line";
        EXPECT_TRUE(logger->recentEntries(10, TarnLogLevel::debug).empty());
        if (fs::exists(elsewhere)) {
            EXPECT_EQ(readFile(elsewhere), "");
        }
    }
}

// A folder the logger cannot rotate in (read-only, or the next generation's name taken) used to
// let the live file grow without end and without a word.
TEST(TarnAppLoggerTest, AFailedRotationIsReportedOnceAndTheFileStopsAtTwiceItsLimit)
{
    LoggerHarness harness;
    auto logger = harness.make(4096, 1);
    // A folder with something in it where ".1" must go: not even root can rename over it.
    fs::create_directories(logger->currentLogFile().string() + ".1/kept");
    const std::string message(200, 'm');
    for (int i = 0; i < 100; ++i) {
        logger->info(message, "t");
    }
    const auto size = fs::file_size(logger->currentLogFile());
    EXPECT_GE(size, 2 * 4096u);
    EXPECT_LT(size, 2 * 4096u + 400);
    ASSERT_EQ(harness.errors().size(), 1u);
    EXPECT_EQ(harness.errors()[0].rfind("[TarnAppLogger:TarnInput] rotation failed: cannot rename ", 0), 0u)
        << harness.errors()[0];
    EXPECT_EQ(harness.systemLog->count(), 100u);

    // Once rotation works again, so does writing, and a later failure is reported anew.
    fs::remove_all(logger->currentLogFile().string() + ".1");
    logger->info("after", "t");
    EXPECT_EQ(logger->recentEntries(10, TarnLogLevel::debug).size(), 1u);
    EXPECT_EQ(harness.errors().size(), 1u);
}

} // namespace
} // namespace tarn
