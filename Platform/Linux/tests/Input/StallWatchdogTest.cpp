// The watchdog on real threads with a short threshold: it acts on a long wake-up, never on short
// ones, and sleeps while nothing comes. These wait on real time by nature, with wide bounds.

#include "Platform/Linux/Input/StallWatchdog.h"

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

using namespace std::chrono_literals;

// Long enough that a loaded machine never leaves a thread asleep for one by accident.
constexpr auto kThreshold = 100ms;
constexpr auto kName = "tarn-test-watch";

// Counts the watchdog's calls and can refuse the first ones.
struct LetGoRecorder {
    bool letGo()
    {
        std::lock_guard lock(mutex);
        ++calls;
        changed.notify_all();
        return calls > refusals;
    }
    bool waitForCalls(int count)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 5s, [&] { return calls >= count; });
    }
    int callCount()
    {
        std::lock_guard lock(mutex);
        return calls;
    }

    std::mutex mutex;
    std::condition_variable changed;
    int calls = 0;
    int refusals = 0;
};

// The watchdog thread's context switches so far, found by its name.
long watchdogSwitches()
{
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        if (name != kName) {
            continue;
        }
        std::ifstream status(task.path() / "status");
        long total = 0;
        for (std::string line; std::getline(status, line);) {
            if (line.find("ctxt_switches:") != std::string::npos) {
                total += std::stol(line.substr(line.find(':') + 1));
            }
        }
        return total;
    }
    return -1;
}

class StallWatchdogTest : public ::testing::Test {
protected:
    void SetUp() override { watchdog.start(); }

    LetGoRecorder recorder;
    StallWatchdog watchdog {
        std::chrono::duration_cast<std::chrono::milliseconds>(kThreshold), [this] { return recorder.letGo(); }, kName};
};

TEST_F(StallWatchdogTest, ALongWakeUpIsLetGoOnceAfterTheThreshold)
{
    const auto start = std::chrono::steady_clock::now();
    watchdog.busy();
    ASSERT_TRUE(recorder.waitForCalls(1));
    EXPECT_GE(std::chrono::steady_clock::now() - start, kThreshold);
    // Still in the same wake-up: nothing more to do.
    std::this_thread::sleep_for(3 * kThreshold);
    EXPECT_EQ(recorder.callCount(), 1);
    // The next stall is a new one.
    watchdog.idle();
    watchdog.busy();
    EXPECT_TRUE(recorder.waitForCalls(2));
    watchdog.idle();
}

TEST_F(StallWatchdogTest, ShortWakeUpsAreNeverLetGo)
{
    const auto end = std::chrono::steady_clock::now() + 4 * kThreshold;
    while (std::chrono::steady_clock::now() < end) {
        watchdog.busy();
        std::this_thread::sleep_for(1ms);
        watchdog.idle();
        std::this_thread::sleep_for(1ms);
    }
    std::this_thread::sleep_for(2 * kThreshold);
    EXPECT_EQ(recorder.callCount(), 0);
}

TEST_F(StallWatchdogTest, ARefusedLetGoIsAskedAgain)
{
    recorder.refusals = 1;
    watchdog.busy();
    EXPECT_TRUE(recorder.waitForCalls(2));
    watchdog.idle();
}

TEST_F(StallWatchdogTest, SleepsWhileNothingComesAndWakesForTheNextWakeUp)
{
    for (int i = 0; i < 10; ++i) {
        watchdog.busy();
        watchdog.idle();
    }
    // One more look after the last wake-up, then sleep.
    std::this_thread::sleep_for(3 * kThreshold);
    const auto asleep = watchdogSwitches();
    ASSERT_GE(asleep, 0);
    std::this_thread::sleep_for(5 * kThreshold);
    EXPECT_EQ(watchdogSwitches(), asleep) << "no wake-up while the loop waits";
    watchdog.busy();
    EXPECT_TRUE(recorder.waitForCalls(1)) << "awake again for a stall";
    EXPECT_GT(watchdogSwitches(), asleep);
    watchdog.idle();
}

TEST_F(StallWatchdogTest, WorkThatKeepsComingWakesItOncePerThreshold)
{
    std::this_thread::sleep_for(2 * kThreshold);
    const auto before = watchdogSwitches();
    // A wake-up every millisecond for ten thresholds, as a moving mouse gives.
    const auto end = std::chrono::steady_clock::now() + 10 * kThreshold;
    while (std::chrono::steady_clock::now() < end) {
        watchdog.busy();
        watchdog.idle();
        std::this_thread::sleep_for(1ms);
    }
    // About one look per threshold (a few more on a loaded machine), not one per wake-up.
    EXPECT_LE(watchdogSwitches() - before, 30);
    EXPECT_EQ(recorder.callCount(), 0);
}

} // namespace
} // namespace tarn::input
