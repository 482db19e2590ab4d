#include "Platform/Linux/Desktop/DetachedProcess.h"

#include <chrono>
#include <csignal>
#include <future>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include <pthread.h>

namespace tarn {
namespace {

// The exit status of a program started from a thread that blocks the stop signals, as every
// thread of the program does; -2 when it could not be started or did not end in time.
int exitStatusFromBlockingThread(const std::vector<std::string>& arguments)
{
    // Shared with the reaping thread, which may outlive a test that gave up waiting.
    auto exited = std::make_shared<std::promise<int>>();
    auto status = exited->get_future();
    bool started = false;
    std::jthread([&] {
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            sigaddset(&stopSignals, signal);
        }
        pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
        started = DetachedProcess::start(arguments, [exited](int exitStatus) { exited->set_value(exitStatus); });
    }).join();
    if (!started || status.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        return -2;
    }
    return status.get();
}

TEST(DetachedProcess, AStartedProgramCanBeStoppedLikeAnyOther)
{
    // A page opened in the browser, the log folder in the file manager: the desktop must be able
    // to stop them, so they start with no signal blocked or ignored (of signals 1 to 31: the C
    // library ignores its own above them in a new child).
    EXPECT_EQ(exitStatusFromBlockingThread({"sh", "-c",
                  "grep -Eq '^SigBlk:[[:space:]]+0+$' /proc/self/status "
                  "&& grep -Eq '^SigIgn:[[:space:]]+[0-9a-f]*[08]0000000$' /proc/self/status"}),
        0);
}

TEST(DetachedProcess, ReportsTheExitStatusOrThatNothingStarted)
{
    EXPECT_EQ(exitStatusFromBlockingThread({"sh", "-c", "exit 4"}), 4);
    EXPECT_FALSE(DetachedProcess::start({"tarn-no-such-program"}));
    EXPECT_FALSE(DetachedProcess::start({}));
}

} // namespace
} // namespace tarn
