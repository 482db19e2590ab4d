#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "TarnInput/App/PopoverPlacement.h"
#include "TarnInput/App/SingleInstance.h"

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

TEST(SingleInstance, ASecondLaunchHandsOffAndTheFirstIsAskedToReopen)
{
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);

    SingleInstance second(folder.path());
    EXPECT_EQ(second.claim(), SingleInstance::Role::handedOff);
    ASSERT_TRUE(reopen.wait(5000));
    EXPECT_EQ(reopen.count(), 1);
}

TEST(SingleInstance, ALockLeftByADeadCopyIsTakenOver)
{
    QTemporaryDir folder;
    {
        // What a copy that was killed leaves: its lock, naming a process that no longer runs, and
        // its socket file.
        QFile lock(QDir(folder.path()).filePath("tarninput.lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write("2147483646\ntarninput\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QFile socket(QDir(folder.path()).filePath("tarninput.socket"));
        ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    }
    SingleInstance copy(folder.path());
    EXPECT_EQ(copy.claim(), SingleInstance::Role::primary);
}

TEST(SingleInstance, ALiveCopyThatDoesNotAnswerKeepsASecondEngineFromStarting)
{
    QTemporaryDir folder;
    // A running copy (this very process) holds the lock but has no socket to answer on.
    QLockFile held(QDir(folder.path()).filePath("tarninput.lock"));
    ASSERT_TRUE(held.tryLock(0));
    SingleInstance copy(folder.path());
    EXPECT_EQ(copy.claim(), SingleInstance::Role::unanswered);
}

TEST(SingleInstance, ARequestOtherThanReopenIsIgnored)
{
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);
    QLocalSocket socket;
    socket.connectToServer(QDir(folder.path()).filePath("tarninput.socket"));
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write(QByteArray(4096, 'x'));
    ASSERT_TRUE(socket.waitForBytesWritten(5000));
    QSignalSpy closed(&socket, &QLocalSocket::disconnected);
    EXPECT_TRUE(closed.wait(5000)) << "an overlong request ends the connection";
    EXPECT_EQ(reopen.count(), 0);
}

} // namespace
} // namespace tarn::input::testing
