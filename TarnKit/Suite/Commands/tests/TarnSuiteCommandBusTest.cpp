#include "TarnKit/Suite/Commands/TarnSuiteCommandBus.h"

#include <fstream>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/FakeDistributedNotifier.h"
#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Fake/Suite/FakeAppEnvironment.h"
#include "TarnKit/Foundation/Files/AtomicFileWriter.h"
#include "TarnKit/Suite/Commands/TarnSuiteDirectory.h"
#include "tests/CharacterDevice.h"
#include "tests/TemporaryFolder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarn {
namespace {

using namespace std::chrono_literals;
using Outcome = TarnSuiteCommandBus::SendOutcome;
using App = TarnSuiteApp;
using Kind = TarnSuiteCommandKind;

constexpr auto kMemoryEntry = "/usr/share/applications/com.harrowfen.tarnmemory.desktop";
constexpr auto kMemoryNotice = "com.harrowfen.suite.command.tarnmemory";

struct BusHarness {
    TemporaryFolder folder;
    FakeAppEnvironment environment;
    FakeDistributedNotifier notifier;
    ManualMainThreadExecutor mainThread;
    FakeClock clock;
    RecordingLogSink log;
    std::optional<TarnSuiteCommandBus> bus {std::in_place,
        TarnSuiteCommandBus::Services {environment, notifier, mainThread, clock}, folder.path() / "SuiteTelemetry",
        &log};

    std::filesystem::path slot(App app) const { return bus->slotPath(app); }
    bool hasSlot(App app) const { return std::filesystem::exists(slot(app)); }

    TarnSuiteCommandEnvelope envelope(App target, WallTime timestamp, std::string payload = {}) const
    {
        return {Uuid::random(), timestamp, App::tarnInput, target, Kind::memoryThawAll, std::nullopt, std::nullopt,
            std::move(payload)};
    }
};

int modeOf(const std::filesystem::path& path)
{
    struct stat status { };
    return ::stat(path.c_str(), &status) == 0 ? static_cast<int>(status.st_mode & 07777) : -1;
}

TEST(TarnSuiteCommandBus, NamesFollowTheLowerCasedRawValue)
{
    BusHarness h;
    EXPECT_EQ(TarnSuiteCommandBus::notificationName(App::tarnMemory), kMemoryNotice);
    EXPECT_EQ(h.bus->commandsDirectory(), h.folder.path() / "SuiteTelemetry" / "Commands");
    EXPECT_EQ(h.slot(App::tarnSensors), h.bus->commandsDirectory() / "tarnsensors-cmd.json");
    EXPECT_FALSE(std::filesystem::exists(h.bus->commandsDirectory())) << "construction touches no file";
}

TEST(TarnSuiteCommandBus, SendRefusesProcessNumbersBelowTwo)
{
    const struct {
        std::optional<std::int32_t> pid;
        Outcome outcome;
    } cases[] = {{0, Outcome::notWritten}, {1, Outcome::notWritten}, {-7, Outcome::notWritten}, {2, Outcome::delivered},
        {std::nullopt, Outcome::delivered}};
    for (const auto& c : cases) {
        BusHarness h;
        h.environment.setRunning(App::tarnReaper, true);
        EXPECT_EQ(
            h.bus->send(Kind::reaperInspectPID, App::tarnInput, App::tarnReaper, {.targetPID = c.pid}), c.outcome);
        EXPECT_EQ(h.hasSlot(App::tarnReaper), c.outcome == Outcome::delivered);
        EXPECT_EQ(h.environment.runningQuestions(), c.outcome == Outcome::delivered ? 1 : 0)
            << "a refused number is refused before anything is asked";
    }
}

TEST(TarnSuiteCommandBus, SendFollowsTheTargetsState)
{
    struct Case {
        bool running;
        bool installed;
        bool launchIfNeeded;
        bool bringToFront;
        Outcome outcome;
        std::vector<std::string> journal;
        std::size_t notices;
    };
    const Case cases[] = {
        {true, true, false, false, Outcome::delivered, {}, 1},
        {true, false, true, false, Outcome::delivered, {}, 1},
        {true, false, false, true, Outcome::delivered, {"activate TarnMemory"}, 1},
        {false, true, true, false, Outcome::delivered, {std::string("open ") + kMemoryEntry + " behind"}, 0},
        {false, true, true, true, Outcome::delivered, {std::string("open ") + kMemoryEntry + " in front"}, 0},
        {false, true, false, true, Outcome::notWritten, {}, 0},
        {false, false, true, true, Outcome::notWritten, {}, 0},
        {false, false, false, false, Outcome::notWritten, {}, 0},
    };
    for (const auto& c : cases) {
        BusHarness h;
        h.environment.setRunning(App::tarnMemory, c.running);
        if (c.installed) {
            h.environment.install(App::tarnMemory, kMemoryEntry);
        }
        const auto outcome = h.bus->send(Kind::memorySmartOffload, App::tarnInput, App::tarnMemory,
            {.launchIfNeeded = c.launchIfNeeded, .bringToFront = c.bringToFront});
        SCOPED_TRACE(testing::Message() << "running " << c.running << ", installed " << c.installed << ", launch "
                                        << c.launchIfNeeded << ", front " << c.bringToFront);
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(h.hasSlot(App::tarnMemory), c.outcome != Outcome::notWritten);
        EXPECT_EQ(h.environment.journal(), c.journal);
        EXPECT_EQ(h.notifier.posted().size(), c.notices);
        EXPECT_EQ(h.environment.runningQuestions(), 1);
    }
}

TEST(TarnSuiteCommandBus, SendWritesTheCommandAndWakesTheTarget)
{
    BusHarness h;
    h.clock.advance(1500ms);
    h.environment.setRunning(App::tarnReaper, true);
    ASSERT_EQ(h.bus->send(Kind::reaperInspectPID, App::tarnMemory, App::tarnReaper,
                  {.targetPID = 4242, .targetName = "Safari", .payload = "tree"}),
        Outcome::delivered);
    EXPECT_EQ(h.notifier.posted(),
        (std::vector<FakeDistributedNotifier::Posted> {{"com.harrowfen.suite.command.tarnreaper", std::nullopt}}));

    const auto command = h.bus->peekPendingCommand(App::tarnReaper, h.clock.wallNow(), 25s);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->sourceApp, App::tarnMemory);
    EXPECT_EQ(command->targetApp, App::tarnReaper);
    EXPECT_EQ(command->kind, Kind::reaperInspectPID);
    EXPECT_EQ(command->targetPID, 4242);
    EXPECT_EQ(command->targetName, "Safari");
    EXPECT_EQ(command->payload, "tree");
    EXPECT_EQ(command->timestamp, std::chrono::floor<std::chrono::seconds>(h.clock.wallNow()));
    EXPECT_EQ(command->id.bytes[6] >> 4, 4) << "a random (version 4) id";
}

TEST(TarnSuiteCommandBus, SendSaysWhenTheCommandWaitsUndelivered)
{
    {
        BusHarness h;
        h.environment.setRunning(App::tarnMemory, true);
        h.notifier.setReachable(false);
        EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory), Outcome::writtenNotDelivered);
        EXPECT_TRUE(h.hasSlot(App::tarnMemory));
    }
    {
        BusHarness h;
        h.environment.install(App::tarnMemory, kMemoryEntry);
        h.environment.setOpensSucceed(false);
        EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory, {.launchIfNeeded = true}),
            Outcome::writtenNotDelivered);
        EXPECT_TRUE(h.hasSlot(App::tarnMemory));
    }
}

TEST(TarnSuiteCommandBus, SendWritesNothingItCouldNotReadBack)
{
    BusHarness h;
    h.environment.setRunning(App::tarnMemory, true);
    EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory,
                  {.payload = std::string(TarnSuiteCommandBus::kMaxSlotBytes, 'x')}),
        Outcome::notWritten);
    EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory, {.targetName = "\xC0\xAF"}),
        Outcome::notWritten);
    EXPECT_FALSE(h.hasSlot(App::tarnMemory));
    EXPECT_TRUE(h.notifier.posted().empty());
}

TEST(TarnSuiteCommandBus, FoldersAreTheUsersAloneAndSlotsTheOwnersFiles)
{
    BusHarness h;
    h.environment.setRunning(App::tarnMemory, true);
    const mode_t previous = ::umask(0);
    const auto outcome = h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory);
    ::umask(previous);
    ASSERT_EQ(outcome, Outcome::delivered);
    EXPECT_EQ(modeOf(h.folder.path() / "SuiteTelemetry"), 0700);
    EXPECT_EQ(modeOf(h.bus->commandsDirectory()), 0700);
    EXPECT_EQ(modeOf(h.slot(App::tarnMemory)), 0600);
}

TEST(TarnSuiteCommandBus, ANewerCommandReplacesOneNotYetTaken)
{
    BusHarness h;
    h.environment.setRunning(App::tarnMemory, true);
    ASSERT_EQ(h.bus->send(Kind::memorySmartOffload, App::tarnDock, App::tarnMemory), Outcome::delivered);
    ASSERT_EQ(h.bus->send(Kind::memoryBalancedOffload, App::tarnZen, App::tarnMemory), Outcome::delivered);

    const auto taken = h.bus->consumePendingCommand(App::tarnMemory, h.clock.wallNow(), 25s);
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->kind, Kind::memoryBalancedOffload);
    EXPECT_EQ(taken->sourceApp, App::tarnZen);
    EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, h.clock.wallNow(), 25s), std::nullopt);
}

TEST(TarnSuiteCommandBus, PeekLeavesTheCommandAndConsumeTakesItOnce)
{
    BusHarness h;
    const auto sent = h.envelope(App::tarnMemory, h.clock.wallNow());
    ASSERT_TRUE(h.bus->enqueue(sent));
    const auto now = h.clock.wallNow();
    EXPECT_EQ(h.bus->peekPendingCommand(App::tarnMemory, now, 25s), sent);
    EXPECT_EQ(h.bus->peekPendingCommand(App::tarnMemory, now, 25s), sent);
    EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, now, 25s), sent);
    EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, now, 25s), std::nullopt);
    EXPECT_FALSE(h.hasSlot(App::tarnMemory));
    EXPECT_TRUE(std::filesystem::is_empty(h.bus->commandsDirectory())) << "no claimed file stays behind";
}

TEST(TarnSuiteCommandBus, EnqueueWritesTheEnvelopeUncheckedWithoutWaking)
{
    BusHarness h;
    auto envelope = h.envelope(App::tarnSensors, h.clock.wallNow() - 1h);
    ASSERT_TRUE(h.bus->enqueue(envelope));
    EXPECT_TRUE(h.notifier.posted().empty());
    EXPECT_TRUE(h.environment.journal().empty());
    EXPECT_EQ(h.environment.runningQuestions(), 0);
    EXPECT_EQ(h.bus->peekPendingCommand(App::tarnSensors, envelope.timestamp, 0s), envelope);

    // Written as given, but no reader takes a command about a process below 2.
    envelope.targetPID = 0;
    ASSERT_TRUE(h.bus->enqueue(envelope));
    EXPECT_TRUE(h.hasSlot(App::tarnSensors));
    EXPECT_EQ(h.bus->peekPendingCommand(App::tarnSensors, envelope.timestamp, 0s), std::nullopt);
    EXPECT_EQ(h.bus->consumePendingCommand(App::tarnSensors, envelope.timestamp, 0s), std::nullopt);
    EXPECT_FALSE(h.hasSlot(App::tarnSensors));
}

// The time is written floored to the second, so a command is fresh for the age limit less the
// fraction of a second that was floored away.
TEST(TarnSuiteCommandBus, AgeIsMeasuredBothWaysAndTheLimitItselfIsFresh)
{
    BusHarness h;
    const WallTime base = h.clock.wallNow(); // a whole second
    const struct {
        std::chrono::milliseconds offset; // the command's time against now
        bool fresh;
    } cases[] = {{-25s, true}, {25s, true}, {-26s, false}, {26s, false}, {-30s, false}, {30s, false}, {0s, true},
        {25999ms, true}, {-25001ms, false}}; // the last two are written as 25 s ahead and 26 s behind
    for (const auto& c : cases) {
        ASSERT_TRUE(h.bus->enqueue(h.envelope(App::tarnMemory, base + c.offset)));
        EXPECT_EQ(h.bus->peekPendingCommand(App::tarnMemory, base, 25s).has_value(), c.fresh) << c.offset.count();
        EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, base, 25s).has_value(), c.fresh) << c.offset.count();
        EXPECT_FALSE(h.hasSlot(App::tarnMemory)) << "a stale command is removed all the same";
    }

    h.environment.setRunning(App::tarnMemory, true);
    h.clock.advance(600ms);
    ASSERT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory), Outcome::delivered);
    EXPECT_TRUE(h.bus->peekPendingCommand(App::tarnMemory, h.clock.wallNow() + 24s, 25s).has_value());
    EXPECT_FALSE(h.bus->peekPendingCommand(App::tarnMemory, h.clock.wallNow() + 24500ms, 25s).has_value());
}

TEST(TarnSuiteCommandBus, ACommandForAnotherApplicationIsNoneAndIsRemovedWhenTaken)
{
    BusHarness h;
    ASSERT_TRUE(h.bus->enqueue(h.envelope(App::tarnZen, h.clock.wallNow())));
    std::filesystem::rename(h.slot(App::tarnZen), h.slot(App::tarnMemory));
    EXPECT_EQ(h.bus->peekPendingCommand(App::tarnMemory, h.clock.wallNow(), 25s), std::nullopt);
    EXPECT_TRUE(h.hasSlot(App::tarnMemory));
    EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, h.clock.wallNow(), 25s), std::nullopt);
    EXPECT_FALSE(h.hasSlot(App::tarnMemory));
}

TEST(TarnSuiteCommandBus, SlotsThatHoldNoCommandGiveNone)
{
    BusHarness h;
    const auto now = h.clock.wallNow();
    EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, now, 25s), std::nullopt) << "no folder yet";

    ASSERT_TRUE(AtomicFileWriter::write(h.slot(App::tarnMemory), "{\"id\":"));
    EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, now, 25s), std::nullopt);
    EXPECT_FALSE(h.hasSlot(App::tarnMemory)) << "an unreadable text is removed once read";

    ASSERT_TRUE(
        AtomicFileWriter::write(h.slot(App::tarnMemory), std::string(TarnSuiteCommandBus::kMaxSlotBytes + 1, ' ')));
    EXPECT_EQ(h.bus->peekPendingCommand(App::tarnMemory, now, 25s), std::nullopt);

    // Something that is no file in the slot's place is left alone.
    std::filesystem::create_directory(h.slot(App::tarnZen));
    EXPECT_EQ(h.bus->consumePendingCommand(App::tarnZen, now, 25s), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_directory(h.slot(App::tarnZen)));
}

// A link planted in the slot's place had send overwrite the file it pointed to, and peek and
// consume obey a command kept outside the folder. A link is replaced as it stands by a writer and
// never followed by a reader; a taker removes the link itself.
TEST(TarnSuiteCommandBus, ALinkInTheSlotIsNeverFollowed)
{
    namespace fs = std::filesystem;
    BusHarness h;
    h.environment.setRunning(App::tarnMemory, true);
    ASSERT_TRUE(TarnSuiteDirectory::createPrivateFolder(h.bus->commandsDirectory()));
    const auto slot = h.slot(App::tarnMemory);
    const auto command = *h.envelope(App::tarnMemory, h.clock.wallNow()).toJson();
    const auto victim = h.folder.path() / "victim.json";
    std::ofstream(victim) << command;
    const auto fifo = h.folder.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto readBack = [](const fs::path& path) {
        std::ifstream stream(path);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    };

    const auto device = characterDevice(h.folder.path());
    for (const fs::path& target : {victim, fifo, device, h.folder.path() / "nothing"}) {
        SCOPED_TRACE(target.string());
        fs::create_symlink(target, slot);
        EXPECT_EQ(h.bus->peekPendingCommand(App::tarnMemory, h.clock.wallNow(), 25s), std::nullopt);
        EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, h.clock.wallNow(), 25s), std::nullopt);
        EXPECT_FALSE(fs::exists(fs::symlink_status(slot))) << "the link itself is taken";

        fs::create_symlink(target, slot);
        ASSERT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory), Outcome::delivered);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(slot))) << "the link is replaced by the command";
        ASSERT_TRUE(h.bus->consumePendingCommand(App::tarnMemory, h.clock.wallNow(), 25s).has_value());
    }
    EXPECT_EQ(readBack(victim), command);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_character_file(device));
    EXPECT_FALSE(fs::exists(h.folder.path() / "nothing"));
    EXPECT_TRUE(fs::is_empty(h.bus->commandsDirectory()));
}

TEST(TarnSuiteCommandBus, ASlotOfAnotherUserIsNotObeyed)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a file away";
    }
    BusHarness h;
    ASSERT_TRUE(h.bus->enqueue(h.envelope(App::tarnMemory, h.clock.wallNow())));
    ASSERT_EQ(::chown(h.slot(App::tarnMemory).c_str(), 65534, 65534), 0);
    EXPECT_EQ(h.bus->peekPendingCommand(App::tarnMemory, h.clock.wallNow(), 25s), std::nullopt);
    EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, h.clock.wallNow(), 25s), std::nullopt);
    EXPECT_FALSE(h.hasSlot(App::tarnMemory)) << "taken away all the same, so that a command of ours can follow";
}

// Folders of the user's own that others could write into are made private before anything is
// written there; nothing is ever written into a folder that is not the user's own.
TEST(TarnSuiteCommandBus, WritesOnlyIntoFoldersPrivateToTheUser)
{
    namespace fs = std::filesystem;
    for (const int mode : {0777, 0755, 01777, 0500}) {
        for (const bool commandsFolder : {false, true}) {
            SCOPED_TRACE(testing::Message() << std::oct << mode << (commandsFolder ? " Commands" : " base"));
            BusHarness h;
            h.environment.setRunning(App::tarnMemory, true);
            const auto loose = commandsFolder ? h.bus->commandsDirectory() : h.folder.path() / "SuiteTelemetry";
            fs::create_directories(h.bus->commandsDirectory());
            ASSERT_EQ(::chmod(loose.c_str(), static_cast<mode_t>(mode)), 0);
            EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory), Outcome::delivered);
            EXPECT_EQ(modeOf(loose), 0700);
            EXPECT_TRUE(h.hasSlot(App::tarnMemory));
            EXPECT_TRUE(h.log.lines().empty());
        }
    }

    // A folder that is a link is someone's way of sending the commands elsewhere.
    BusHarness h;
    h.environment.setRunning(App::tarnMemory, true);
    fs::create_directories(h.folder.path() / "SuiteTelemetry");
    fs::create_directories(h.folder.path() / "elsewhere");
    fs::create_directory_symlink(h.folder.path() / "elsewhere", h.bus->commandsDirectory());
    EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory), Outcome::notWritten);
    EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory), Outcome::notWritten);
    EXPECT_TRUE(fs::is_empty(h.folder.path() / "elsewhere"));
    EXPECT_EQ(h.environment.journal(), std::vector<std::string> {});
    EXPECT_TRUE(h.notifier.posted().empty());
    const std::vector<RecordedLogLine> once {{TarnLogLevel::warn, "suite",
        "The suite folder " + h.bus->commandsDirectory().string()
            + " is a symbolic link, so nothing is written there."}};
    EXPECT_EQ(h.log.lines(), once) << "logged once, not at every send";
}

TEST(TarnSuiteCommandBus, AFolderOfAnotherUserIsRefusedAndLeftAsItIs)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give a folder away (TarnSuiteDirectory's own tests ask for another owner)";
    }
    for (const bool commandsFolder : {false, true}) {
        SCOPED_TRACE(commandsFolder ? "Commands" : "base");
        BusHarness h;
        h.environment.setRunning(App::tarnMemory, true);
        const auto theirs = commandsFolder ? h.bus->commandsDirectory() : h.folder.path() / "SuiteTelemetry";
        std::filesystem::create_directories(h.bus->commandsDirectory());
        ASSERT_EQ(::chmod(theirs.c_str(), 0777), 0);
        ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);

        EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory), Outcome::notWritten);
        EXPECT_FALSE(h.hasSlot(App::tarnMemory));
        EXPECT_EQ(modeOf(theirs), 0777) << "never changed";
        ASSERT_EQ(h.log.lines().size(), 1u);
        EXPECT_EQ(h.log.lines()[0].message,
            "The suite folder " + theirs.string() + " belongs to another user, so nothing is written there.");

        // Once the user has put it right, the bus writes again, and says so again if it goes wrong.
        ASSERT_EQ(::chown(theirs.c_str(), 0, 0), 0);
        EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory), Outcome::delivered);
        EXPECT_EQ(modeOf(theirs), 0700);
        ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
        EXPECT_EQ(h.bus->send(Kind::memoryThawAll, App::tarnInput, App::tarnMemory), Outcome::notWritten);
        EXPECT_EQ(h.log.lines().size(), 2u);
    }
}

// A writer replacing the slot while it is being taken must never lose its command. Each round
// the writer puts two commands into the slot one right after the other, the second replacing the
// first, as fast as files can be renamed; the taker takes all the while. The first may be taken
// or replaced, but the second must always be taken, once, and commands are taken in order.
TEST(TarnSuiteCommandBus, ACommandWrittenWhileAnotherIsTakenIsNeverLost)
{
    BusHarness h;
    constexpr int kRounds = 400;
    const WallTime now = h.clock.wallNow();
    ASSERT_TRUE(TarnSuiteDirectory::createPrivateFolder(h.bus->commandsDirectory()));
    const auto aside = h.bus->commandsDirectory() / "aside";
    // Without the atomic writer's flushes, so that the writes come as close together as renames.
    const auto put = [&](int number) {
        std::ofstream(aside) << *h.envelope(App::tarnMemory, now, std::to_string(number)).toJson();
        std::filesystem::rename(aside, h.slot(App::tarnMemory));
    };

    std::atomic<int> lastTaken = -1;
    std::atomic<bool> done = false;
    std::vector<int> taken;
    std::thread taker([&] {
        while (!done) {
            if (const auto command = h.bus->consumePendingCommand(App::tarnMemory, now, 25s)) {
                taken.push_back(std::stoi(*command->payload));
                lastTaken = taken.back();
            }
        }
    });
    bool lost = false;
    for (int round = 0; round < kRounds && !lost; ++round) {
        put(2 * round);
        put(2 * round + 1);
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (lastTaken < 2 * round + 1 && !lost) {
            lost = std::chrono::steady_clock::now() > deadline;
        }
    }
    done = true;
    taker.join();

    EXPECT_FALSE(lost) << "the command written last was never taken";
    EXPECT_TRUE(std::is_sorted(taken.begin(), taken.end()));
    EXPECT_EQ(std::adjacent_find(taken.begin(), taken.end()), taken.end()) << "a command was taken twice";
    for (int round = 0; round < kRounds && !lost; ++round) {
        EXPECT_TRUE(std::binary_search(taken.begin(), taken.end(), 2 * round + 1)) << round;
    }
    EXPECT_FALSE(h.hasSlot(App::tarnMemory));
}

// The claims in the slot folder: files a taker renamed a slot to while it takes it.
std::vector<std::string> claimsIn(const std::filesystem::path& folder)
{
    std::vector<std::string> claims;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().ends_with(".taken")) {
            claims.push_back(entry.path().filename().string());
        }
    }
    return claims;
}

// The number of a process that has ended (and been waited for).
pid_t endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

std::string claimName(const std::string& app, const std::string& taker)
{
    return "." + app + "-cmd.json." + taker + ".taken";
}

// A taker killed between claiming a command and removing its claim left the claim behind for good,
// and the command was never carried out. The next take finishes such a claim, exactly once.
TEST(TarnSuiteCommandBus, AClaimLeftByATakerThatDiedIsTakenOverOnce)
{
    const pid_t ended = endedProcess();
    const std::string id = Uuid::random().toString();
    const struct {
        const char* name;
        std::string claim;
        std::chrono::seconds age;
        bool newerInTheSlot;
        bool takenOver; // carried out now
        bool stays;
    } cases[] = {
        {"of a taker that died", claimName("tarnmemory", std::to_string(ended) + "." + id), 0s, false, true, false},
        {"named as before takers were named", claimName("tarnmemory", id), 0s, false, true, false},
        {"stale", claimName("tarnmemory", std::to_string(ended) + "." + id), 60s, false, false, false},
        {"older than the command in the slot", claimName("tarnmemory", std::to_string(ended) + "." + id), 0s, true,
            false, false},
        {"of a taker still running", claimName("tarnmemory", "1." + id), 0s, false, false, true},
        {"of this process", claimName("tarnmemory", std::to_string(::getpid()) + "." + id), 0s, false, false, true},
        {"on another slot", claimName("tarnzen", std::to_string(ended) + "." + id), 0s, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BusHarness h;
        ASSERT_TRUE(TarnSuiteDirectory::createPrivateFolder(h.bus->commandsDirectory()));
        const auto claim = h.bus->commandsDirectory() / c.claim;
        const auto left = h.envelope(App::tarnMemory, h.clock.wallNow() - c.age, "left");
        std::ofstream(claim) << *left.toJson();
        if (c.newerInTheSlot) {
            h.clock.advance(1s);
            ASSERT_TRUE(h.bus->enqueue(h.envelope(App::tarnMemory, h.clock.wallNow(), "newer")));
        }

        const auto taken = h.bus->consumePendingCommand(App::tarnMemory, h.clock.wallNow(), 25s);
        if (c.takenOver) {
            EXPECT_EQ(taken, left);
        } else {
            EXPECT_EQ(taken.has_value(), c.newerInTheSlot);
            EXPECT_TRUE(!taken || taken->payload == "newer");
        }
        EXPECT_EQ(std::filesystem::exists(claim), c.stays);
        EXPECT_EQ(h.bus->consumePendingCommand(App::tarnMemory, h.clock.wallNow(), 25s), std::nullopt)
            << "never carried out twice";
    }
}

// The race itself: takers in processes of their own, killed the moment they claim a command, as
// at the end of a session. Whatever a killed taker leaves, the next take finishes: no claim stays
// behind, a claimed command is not lost, and none is carried out twice.
TEST(TarnSuiteCommandBus, TakersKilledDuringATakeLeaveNoClaimAndNoCommandTwice)
{
    BusHarness h;
    ASSERT_TRUE(TarnSuiteDirectory::createPrivateFolder(h.bus->commandsDirectory()));
    const WallTime now = h.clock.wallNow();
    constexpr int kRounds = 60;
    std::set<int> carriedOut;
    int claimsLeft = 0;
    for (int round = 0; round < kRounds; ++round) {
        int reports[2];
        ASSERT_EQ(::pipe(reports), 0);
        const pid_t taker = ::fork();
        ASSERT_GE(taker, 0);
        if (taker == 0) {
            ::close(reports[0]);
            for (;;) {
                if (const auto command = h.bus->consumePendingCommand(App::tarnMemory, now, 25s)) {
                    const int number = std::stoi(*command->payload);
                    static_cast<void>(!::write(reports[1], &number, sizeof number));
                }
            }
        }
        ::close(reports[1]);
        // A command near the largest size, so that its reading keeps the claim open long enough
        // for the kill to land there often.
        auto command = h.envelope(App::tarnMemory, now, std::to_string(round));
        command.targetName = std::string(TarnSuiteCommandBus::kMaxSlotBytes - 1024, 'x');
        ASSERT_TRUE(h.bus->enqueue(command));
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (h.hasSlot(App::tarnMemory) && std::chrono::steady_clock::now() < deadline) { }
        ::kill(taker, SIGKILL);
        ::waitpid(taker, nullptr, 0);

        int reported = -1;
        bool takerCarriedItOut = false;
        while (::read(reports[0], &reported, sizeof reported) == sizeof reported) {
            EXPECT_TRUE(carriedOut.insert(reported).second) << reported << " carried out twice";
            takerCarriedItOut = true;
        }
        ::close(reports[0]);
        const bool claimLeft = !claimsIn(h.bus->commandsDirectory()).empty();
        const bool neverClaimed = h.hasSlot(App::tarnMemory);
        claimsLeft += claimLeft ? 1 : 0;

        const auto takenOver = h.bus->consumePendingCommand(App::tarnMemory, now, 25s);
        if (takenOver) {
            EXPECT_TRUE(carriedOut.insert(std::stoi(*takenOver->payload)).second) << round << " carried out twice";
        }
        EXPECT_EQ(takenOver.has_value(), claimLeft || neverClaimed) << round;
        EXPECT_FALSE(claimLeft && takerCarriedItOut) << "a taker carries out only what it removed";
        EXPECT_TRUE(claimsIn(h.bus->commandsDirectory()).empty()) << round;
        EXPECT_FALSE(h.hasSlot(App::tarnMemory));
    }
    RecordProperty("claimsLeftByKilledTakers", claimsLeft);
    EXPECT_GT(claimsLeft, 0) << "no kill landed inside a take, so the race was never tried";
}

struct ListenerHarness : BusHarness {
    std::vector<TarnSuiteCommandEnvelope> received;
    Subscription listening;

    void startListening(App app)
    {
        listening = bus->startListening(
            app, [this](const TarnSuiteCommandEnvelope& command) { received.push_back(command); });
    }
};

TEST(TarnSuiteCommandBus, ListeningTakesAWaitingCommandAShortWhileAfterItBegins)
{
    ListenerHarness h;
    const auto waiting = h.envelope(App::tarnMemory, h.clock.wallNow());
    ASSERT_TRUE(h.bus->enqueue(waiting));
    h.startListening(App::tarnMemory);

    h.mainThread.advance(349ms);
    h.mainThread.runPending();
    EXPECT_TRUE(h.received.empty());
    EXPECT_TRUE(h.hasSlot(App::tarnMemory));

    h.mainThread.advance(1ms);
    EXPECT_EQ(h.mainThread.runPending(), 1u);
    EXPECT_EQ(h.received, std::vector {waiting});
    EXPECT_FALSE(h.hasSlot(App::tarnMemory));
}

TEST(TarnSuiteCommandBus, AWaitingCommandTooOldForTheListenerIsDroppedUnseen)
{
    ListenerHarness h;
    ASSERT_TRUE(h.bus->enqueue(h.envelope(App::tarnMemory, h.clock.wallNow())));
    h.clock.advance(24s);
    h.startListening(App::tarnMemory);
    h.clock.advance(2s); // taken 26 s after it was written
    h.mainThread.advance(350ms);
    h.mainThread.runPending();
    EXPECT_TRUE(h.received.empty());
    EXPECT_FALSE(h.hasSlot(App::tarnMemory));
}

TEST(TarnSuiteCommandBus, ListeningDeliversEachSentCommandOnTheMainThread)
{
    ListenerHarness h;
    h.environment.setRunning(App::tarnMemory, true);
    h.startListening(App::tarnMemory);
    EXPECT_EQ(h.notifier.observerCount(kMemoryNotice), 1u);

    ASSERT_EQ(h.bus->send(Kind::memorySmartOffload, App::tarnDock, App::tarnMemory), Outcome::delivered);
    EXPECT_TRUE(h.received.empty()) << "nothing runs before the main thread does";
    h.mainThread.runPending();
    ASSERT_EQ(h.received.size(), 1u);
    EXPECT_EQ(h.received[0].kind, Kind::memorySmartOffload);

    // A notice for another application wakes nobody here; one without a command delivers nothing.
    h.environment.setRunning(App::tarnZen, true);
    ASSERT_EQ(h.bus->send(Kind::zenToggleHUD, App::tarnDock, App::tarnZen), Outcome::delivered);
    ASSERT_TRUE(h.notifier.post(kMemoryNotice));
    h.mainThread.runPending();
    EXPECT_EQ(h.received.size(), 1u);
    EXPECT_TRUE(h.hasSlot(App::tarnZen));
}

TEST(TarnSuiteCommandBus, NoticesAfterTheBusIsGoneDoNothing)
{
    ListenerHarness h;
    h.startListening(App::tarnMemory);
    ASSERT_TRUE(h.bus->enqueue(h.envelope(App::tarnMemory, h.clock.wallNow())));
    h.bus.reset();

    ASSERT_TRUE(h.notifier.post(kMemoryNotice));
    EXPECT_EQ(h.mainThread.pendingCount(), 0u);
    h.mainThread.advance(1s);
    h.mainThread.runPending();
    EXPECT_TRUE(h.received.empty());
}

TEST(TarnSuiteCommandBus, ListeningEndsWithItsSubscription)
{
    ListenerHarness h;
    h.startListening(App::tarnMemory);
    ASSERT_TRUE(h.bus->enqueue(h.envelope(App::tarnMemory, h.clock.wallNow())));
    ASSERT_TRUE(h.notifier.post(kMemoryNotice));
    h.listening.cancel();
    EXPECT_EQ(h.notifier.observerCount(kMemoryNotice), 0u);

    h.mainThread.advance(1s);
    h.mainThread.runPending();
    EXPECT_TRUE(h.received.empty()) << "tasks queued before the end do not call the handler";
    EXPECT_TRUE(h.hasSlot(App::tarnMemory)) << "nor take the command";
}

} // namespace
} // namespace tarn
