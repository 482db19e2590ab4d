#include <algorithm>
#include <chrono>
#include <cstring>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "Platform/Fake/App/CallJournal.h"
#include "Platform/Fake/App/FakeMainThreadTimers.h"
#include "Platform/Fake/Core/FakeEngineExecutor.h"
#include "Platform/Fake/Foundation/FakeClock.h"
#include "TarnInput/App/SingleInstance.h"
#include "TarnInput/App/Tray/PopoverPlacement.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace tarn::input::testing {
namespace {

TEST(PopoverPlacement, OpensAtTheIconAndStaysOnTheScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize popover(295, 400);
    struct Case {
        const char* what;
        QRect anchor;
        QPoint expected;
    };
    const std::vector<Case> cases {
        {"top panel: centred under the icon", {600, 0, 24, 24}, {611 - 147, 28}},
        {"bottom panel: above the icon", {600, 776, 24, 24}, {611 - 147, 776 - 4 - 400}},
        {"icon in the top-right corner: pulled left", {1260, 0, 20, 20}, {1280 - 295, 24}},
        {"icon in the bottom-left corner: pulled right", {0, 780, 20, 20}, {0, 780 - 4 - 400}},
        {"pointer in mid-screen, lower half", {640, 500, 1, 1}, {640 - 147, 500 - 4 - 400}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(popoverPosition(c.anchor, popover, screen), c.expected) << c.what;
    }
    const QRect second(1280, 0, 1920, 1080);
    const QPoint onSecond = popoverPosition({3190, 0, 10, 24}, popover, second);
    EXPECT_TRUE(second.contains(QRect(onSecond, popover))) << "the screen that holds the icon";
    EXPECT_EQ(popoverPosition({10, 10, 1, 1}, QSize(2000, 2000), screen), QPoint(0, 0))
        << "too large: the top-left corner stays on the screen";
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

    QTemporaryDir m_folder;
    FakeClock m_clock;
    FakeEngineExecutor m_executor;
    CallJournal m_journal;
    FakeMainThreadTimers m_timers;
};

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

TEST_F(SingleInstanceTest, ASecondLaunchHandsOffAndTheFirstIsAskedToReopen)
{
    SingleInstance first(m_folder.path(), m_timers);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);

    SingleInstance second(m_folder.path(), m_timers);
    EXPECT_EQ(second.claim(), SingleInstance::Role::handedOff);
    ASSERT_TRUE(reopen.wait(5000));
    EXPECT_EQ(reopen.count(), 1);
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

TEST_F(SingleInstanceTest, ALiveCopyThatDoesNotAnswerKeepsASecondEngineFromStarting)
{
    // A running copy (this very process) holds the lock but has no socket to answer on.
    QLockFile held(QDir(m_folder.path()).filePath("tarninput.lock"));
    ASSERT_TRUE(held.tryLock(0));
    SingleInstance copy(m_folder.path(), m_timers);
    EXPECT_EQ(copy.claim(), SingleInstance::Role::unanswered);
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
    SingleInstance second(m_folder.path(), m_timers);
    ASSERT_EQ(second.claim(), SingleInstance::Role::handedOff);

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
}

TEST_F(SingleInstanceTest, ASocketFileThatDisappearsIsMadeAnew)
{
    SingleInstance first(m_folder.path(), m_timers);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);
    for (const bool replaced : {false, true}) {
        ASSERT_TRUE(QFile::remove(socketPath()));
        if (replaced) {
            QFile stray(socketPath());
            ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
        }
        // The folder's change notice comes through the event loop.
        QDeadlineTimer deadline(5000);
        while (!isSocket(socketPath()) && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        ASSERT_TRUE(isSocket(socketPath())) << replaced;
    }
    SingleInstance second(m_folder.path(), m_timers);
    EXPECT_EQ(second.claim(), SingleInstance::Role::handedOff);
    ASSERT_TRUE(reopen.wait(5000));
}

} // namespace
} // namespace tarn::input::testing
