#include "TarnInput/App/SingleInstance.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <thread>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "Platform/Fake/App/CallJournal.h"
#include "Platform/Fake/App/FakeMainThreadTimers.h"
#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "TarnInput/App/SingleInstanceFolder.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tarn::input::testing {
namespace {

// A connection that sends nothing; none when no descriptor is left or the queue is full.
UniqueFd connectIdle(const QString& path)
{
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    if (!fd || ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return {};
    }
    return fd;
}

// What has arrived on `fd` so far, without waiting.
QByteArray arrived(const UniqueFd& fd)
{
    QByteArray received;
    char buffer[64];
    ssize_t count = 0;
    while ((count = ::read(fd.get(), buffer, sizeof buffer)) > 0) {
        received.append(buffer, count);
    }
    return received;
}

// Lowers this process's descriptor limit for its lifetime.
class DescriptorLimit {
public:
    explicit DescriptorLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_NOFILE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = std::min(limit, m_saved.rlim_max);
        ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~DescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &m_saved); }
    DescriptorLimit(const DescriptorLimit&) = delete;
    DescriptorLimit& operator=(const DescriptorLimit&) = delete;

private:
    rlimit m_saved {};
};

rlim_t openDescriptors()
{
    return static_cast<rlim_t>(
        QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
}

bool isSocket(const QString& path)
{
    struct stat info { };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// A folder for the lock and the socket, and the virtual clock that the listener's connection
// deadlines and retries run on.
class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstanceTest()
        : m_executor(m_clock)
        , m_timers(m_executor, m_journal)
    {
    }

    QString socketPath() const { return QDir(m_folder.path()).filePath("tarninput.socket"); }

    // Moves the virtual clock on by `step`, then delivers what the sockets and the folder have.
    void pump(std::chrono::milliseconds step = {})
    {
        m_executor.advance(step);
        for (int pass = 0; pass < 4; ++pass) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }

    // A later launch in `folder`: it claims on a thread of its own, as another process would,
    // while this thread runs the event loop that the running copy answers on. No virtual time
    // passes meanwhile.
    SingleInstance::Role claimAsLaterLaunch(const QString& folder)
    {
        QEventLoop loop;
        std::optional<SingleInstance::Role> role;
        std::thread launch([&] {
            SingleInstance later(folder, m_timers);
            const auto claimed = later.claim();
            QMetaObject::invokeMethod(
                &loop,
                [&, claimed] {
                    role = claimed;
                    loop.quit();
                },
                Qt::QueuedConnection);
        });
        loop.exec();
        launch.join();
        return *role;
    }
    SingleInstance::Role claimAsLaterLaunch() { return claimAsLaterLaunch(m_folder.path()); }

    QTemporaryDir m_folder;
    FakeClock m_clock;
    FakeEngineExecutor m_executor;
    CallJournal m_journal;
    FakeMainThreadTimers m_timers;
};

TEST_F(SingleInstanceTest, ASecondLaunchHandsOffAndTheFirstIsAskedToReopen)
{
    SingleInstance first(m_folder.path(), m_timers);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);

    EXPECT_EQ(claimAsLaterLaunch(), SingleInstance::Role::handedOff);
    EXPECT_EQ(reopen.count(), 1) << "answered and asked to reopen in one turn of the event loop";
}

TEST_F(SingleInstanceTest, ALockLeftByADeadCopyIsTakenOver)
{
    {
        // What a copy that was killed leaves: its lock, naming a process that no longer runs, and
        // its socket file.
        QFile lock(QDir(m_folder.path()).filePath("tarninput.lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write("2147483646\ntarninput\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QFile socket(socketPath());
        ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    }
    SingleInstance copy(m_folder.path(), m_timers);
    EXPECT_EQ(copy.claim(), SingleInstance::Role::primary);
    EXPECT_TRUE(isSocket(socketPath()));
}

// A folder where the socket goes once kept every launch from listening, and every launch after
// that exited for want of an answer.
TEST_F(SingleInstanceTest, AFolderWhereTheSocketGoesGivesWayToTheNextLaunch)
{
    ASSERT_TRUE(QDir().mkpath(QDir(socketPath()).filePath("inside")));
    {
        QFile stray(QDir(socketPath()).filePath("note.txt"));
        ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    }
    SingleInstance first(m_folder.path(), m_timers);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    EXPECT_TRUE(isSocket(socketPath()));
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);
    EXPECT_EQ(claimAsLaterLaunch(), SingleInstance::Role::handedOff);
    EXPECT_EQ(reopen.count(), 1);
}

TEST_F(SingleInstanceTest, ALiveCopyThatDoesNotAnswerKeepsASecondEngineFromStarting)
{
    // A running copy (this very process) holds the lock but has no socket to answer on.
    QLockFile held(QDir(m_folder.path()).filePath("tarninput.lock"));
    ASSERT_TRUE(held.tryLock(0));
    SingleInstance copy(m_folder.path(), m_timers);
    EXPECT_EQ(copy.claim(), SingleInstance::Role::unanswered);
}

// A launch once counted its request as delivered as soon as the system had buffered it, and
// exited with nothing shown when the running copy never read it.
TEST_F(SingleInstanceTest, ARequestCountsAsDeliveredOnlyWhenTheRunningCopyAnswers)
{
    QLockFile held(QDir(m_folder.path()).filePath("tarninput.lock"));
    ASSERT_TRUE(held.tryLock(0));
    // A listener that takes each request and hangs up without a word.
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(socketPath()));
    QObject::connect(&silent, &QLocalServer::newConnection, &silent, [&silent] {
        while (QLocalSocket* client = silent.nextPendingConnection()) {
            client->waitForReadyRead(1000);
            client->abort();
            client->deleteLater();
        }
    });
    EXPECT_EQ(claimAsLaterLaunch(), SingleInstance::Role::unanswered);
}

TEST_F(SingleInstanceTest, WithoutAFolderACopyRunsOnItsOwn)
{
    SingleInstance copy(QString(), m_timers);
    EXPECT_EQ(copy.claim(), SingleInstance::Role::unavailable);
}

TEST_F(SingleInstanceTest, ARequestOtherThanReopenIsIgnored)
{
    SingleInstance first(m_folder.path(), m_timers);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write(QByteArray(4096, 'x'));
    ASSERT_TRUE(socket.waitForBytesWritten(5000));
    QSignalSpy closed(&socket, &QLocalSocket::disconnected);
    EXPECT_TRUE(closed.wait(5000)) << "an overlong request ends the connection";
    EXPECT_EQ(reopen.count(), 0);
    EXPECT_TRUE(socket.readAll().isEmpty()) << "and is not answered";
}

// A hundred connections that said nothing once held a launch's request back for half a minute:
// the listener served four at a time and waited on each.
TEST_F(SingleInstanceTest, SilentConnectionsDoNotHoldUpAReopen)
{
    SingleInstance first(m_folder.path(), m_timers);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);
    std::vector<UniqueFd> silent;
    for (int held = 0; held < 100; ++held) {
        silent.push_back(connectIdle(socketPath()));
        ASSERT_TRUE(silent.back()) << held;
    }
    EXPECT_EQ(claimAsLaterLaunch(), SingleInstance::Role::handedOff);
    EXPECT_EQ(reopen.count(), 1);
}

// Connections held open by the hundred once made the listener give up its socket as soon as the
// process ran out of descriptors, and every later launch then exited for want of an answer.
TEST_F(SingleInstanceTest, AFloodOfIdleConnectionsInAShortageOfDescriptorsNeitherStopsNorBlocksTheListener)
{
    SingleInstance first(m_folder.path(), m_timers);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);
    // Low enough that this process can run out of descriptors quickly.
    const DescriptorLimit limit(openDescriptors() + 300);
    std::vector<UniqueFd> flood;
    for (int held = 0; held < 150; ++held) {
        flood.push_back(connectIdle(socketPath()));
        ASSERT_TRUE(flood.back()) << held;
        pump();
    }
    // A later launch's request, sent by hand: its answer is read at the end.
    const UniqueFd launch = connectIdle(socketPath());
    ASSERT_TRUE(launch);
    ASSERT_EQ(::send(launch.get(), "reopen\n", 7, MSG_NOSIGNAL), 7);

    // Each round ends the connections that have had their time, and the listener then meets a
    // process without a free descriptor before it gets one back.
    const auto rounds = flood.size() / SingleInstance::kMaximumConnections + 4;
    for (std::size_t round = 0; round < rounds && reopen.isEmpty(); ++round) {
        m_executor.advance(SingleInstance::kConnectionTime);
        {
            std::vector<UniqueFd> everyDescriptor;
            while (UniqueFd spare {::open("/dev/null", O_RDONLY | O_CLOEXEC)}) {
                everyDescriptor.push_back(std::move(spare));
            }
            pump();
        }
        ASSERT_TRUE(isSocket(socketPath())) << "the listener keeps its socket through the shortage";
        pump(SingleInstance::kRetryDelay);
    }
    EXPECT_EQ(reopen.count(), 1);
    EXPECT_EQ(arrived(launch), "ok\n");
}

TEST_F(SingleInstanceTest, ASocketFileThatDisappearsIsMadeAnew)
{
    SingleInstance first(m_folder.path(), m_timers);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);
    enum class Replacement { nothing, file, folder };
    for (const auto replacement : {Replacement::nothing, Replacement::file, Replacement::folder}) {
        ASSERT_TRUE(QFile::remove(socketPath()));
        if (replacement == Replacement::file) {
            QFile stray(socketPath());
            ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
        } else if (replacement == Replacement::folder) {
            ASSERT_TRUE(QDir().mkdir(socketPath()));
        }
        // The folder's change notice comes through the event loop.
        QDeadlineTimer deadline(5000);
        while (!isSocket(socketPath()) && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        ASSERT_TRUE(isSocket(socketPath())) << static_cast<int>(replacement);
    }
    EXPECT_EQ(claimAsLaterLaunch(), SingleInstance::Role::handedOff);
    EXPECT_EQ(reopen.count(), 1);
}

// The folders a test environment offers: the temporary folder, the state folder and, when given,
// a runtime folder.
class SingleInstanceFolderTest : public SingleInstanceTest {
protected:
    SingleInstanceFolderTest()
    {
        for (const char* name : {"tmp", "state"}) {
            std::filesystem::create_directories(root() / name);
        }
    }

    std::filesystem::path root() const { return m_root.path().toStdString(); }
    std::filesystem::path fallback() const { return root() / "tmp" / ("tarninput-" + std::to_string(::geteuid())); }

    EnvironmentLookup environment() const
    {
        std::map<std::string, std::string, std::less<>> variables {
            {"TMPDIR", (root() / "tmp").string()},
            {"XDG_STATE_HOME", (root() / "state").string()},
            {"HOME", root().string()},
        };
        if (m_runtime) {
            variables.emplace("XDG_RUNTIME_DIR", m_runtime->string());
        }
        return [variables](std::string_view name) -> std::optional<std::string> {
            const auto found = variables.find(name);
            return found == variables.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
    }

    // The fallback in the temporary folder as someone else made it: another user's when this
    // process may hand it over (root), else open to everyone.
    void makeForeignFallback() const
    {
        std::filesystem::create_directories(fallback());
        ::chmod(fallback().c_str(), 0755);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(fallback().c_str(), 65534, 65534), 0);
        }
    }

    QTemporaryDir m_root;
    std::optional<std::filesystem::path> m_runtime;
};

TEST_F(SingleInstanceFolderTest, APrivateRuntimeFolderIsUsedAsItIs)
{
    m_runtime = root() / "run";
    std::filesystem::create_directories(*m_runtime);
    ::chmod(m_runtime->c_str(), 0700);
    const auto chosen = SingleInstanceFolder::choose(environment());
    EXPECT_EQ(chosen.path, *m_runtime);
    EXPECT_TRUE(chosen.notes.empty());
}

// A fallback folder made by someone else was rightly refused, but every launch then ran on its
// own: two copies, two engines, and the reason only on the terminal.
TEST_F(SingleInstanceFolderTest, WithTheFallbackRefusedTheStateFolderStillKeepsToOneCopy)
{
    makeForeignFallback();
    const auto chosen = SingleInstanceFolder::choose(environment());
    ASSERT_EQ(chosen.path, SingleInstanceFolder::stateFolder(root() / "state"));
    struct stat info { };
    ASSERT_EQ(::lstat(chosen.path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    ASSERT_EQ(chosen.notes.size(), 2u);
    EXPECT_NE(chosen.notes[0].find(fallback().string()), std::string::npos) << chosen.notes[0];
    EXPECT_NE(chosen.notes[1].find(chosen.path.string()), std::string::npos) << chosen.notes[1];

    const QString folder = QFile::decodeName(chosen.path.c_str());
    SingleInstance first(folder, m_timers);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);
    EXPECT_EQ(claimAsLaterLaunch(folder), SingleInstance::Role::handedOff);
    EXPECT_EQ(reopen.count(), 1);
}

TEST_F(SingleInstanceFolderTest, AStateFolderOpenToOthersIsRefusedTooAndSaysWhy)
{
    makeForeignFallback();
    const auto folder = SingleInstanceFolder::stateFolder(root() / "state");
    std::filesystem::create_directories(folder);
    ::chmod(folder.c_str(), 0755);
    const auto chosen = SingleInstanceFolder::choose(environment());
    EXPECT_TRUE(chosen.path.empty());
    ASSERT_EQ(chosen.notes.size(), 2u);
    EXPECT_NE(chosen.notes[1].find(folder.string()), std::string::npos) << chosen.notes[1];
    EXPECT_NE(chosen.notes[1].find("0755"), std::string::npos) << chosen.notes[1];
}

} // namespace
} // namespace tarn::input::testing
