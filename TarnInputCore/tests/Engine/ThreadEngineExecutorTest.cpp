#include "TarnInputCore/Engine/Ports/ThreadEngineExecutor.h"

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// Waits on real time for work of the executor's thread; bounds are wide for loaded machines.
template <typename Predicate> bool eventually(Predicate predicate, std::chrono::milliseconds limit = 5s)
{
    const auto deadline = SteadyClock::now() + limit;
    while (!predicate()) {
        if (SteadyClock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(ThreadEngineExecutor, RunsTasksInDueOrderNotBeforeTheirTime)
{
    ThreadEngineExecutor executor;
    std::mutex mutex;
    std::vector<int> order;
    std::vector<SteadyClock::duration> waited;
    const auto start = SteadyClock::now();
    const auto record = [&](int label) {
        return [&, label] {
            std::lock_guard lock(mutex);
            order.push_back(label);
            waited.push_back(SteadyClock::now() - start);
        };
    };
    (void)executor.scheduleAfter(60ms, record(3));
    (void)executor.scheduleAfter(20ms, record(2));
    (void)executor.scheduleAfter(0ms, record(1));
    (void)executor.scheduleAfter(20ms, record(22)); // same due time: scheduling order
    ASSERT_TRUE(eventually([&] {
        std::lock_guard lock(mutex);
        return order.size() == 4;
    }));
    std::lock_guard lock(mutex);
    EXPECT_EQ(order, (std::vector<int> {1, 2, 22, 3}));
    EXPECT_GE(waited[1], 20ms);
    EXPECT_GE(waited[3], 60ms);
}

TEST(ThreadEngineExecutor, RepeatsUntilCancelledAndCancelledTasksNeverRun)
{
    ThreadEngineExecutor executor;
    std::atomic<int> ticks {0};
    std::atomic<bool> ranCancelled {false};
    const auto repeating = executor.scheduleRepeating(0ms, 2ms, [&] { ++ticks; });
    const auto cancelled = executor.scheduleAfter(30ms, [&] { ranCancelled = true; });
    executor.cancel(cancelled);
    ASSERT_TRUE(eventually([&] { return ticks.load() >= 3; }));
    executor.cancel(repeating);
    const int afterCancel = ticks.load();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(ticks.load(), afterCancel);
    EXPECT_FALSE(ranCancelled.load());
    executor.cancel(repeating); // finished or unknown ids are ignored
    executor.cancel(12345);
}

TEST(ThreadEngineExecutor, CancelWaitsForTheRunningTask)
{
    ThreadEngineExecutor executor;
    std::promise<void> started;
    std::atomic<bool> finished {false};
    const auto id = executor.scheduleAfter(0ms, [&] {
        started.set_value();
        std::this_thread::sleep_for(50ms);
        finished = true;
    });
    started.get_future().wait();
    executor.cancel(id);
    EXPECT_TRUE(finished.load());
}

TEST(ThreadEngineExecutor, ATaskMayCancelItselfAndScheduleMore)
{
    ThreadEngineExecutor executor;
    std::atomic<int> ticks {0};
    std::atomic<bool> followUp {false};
    EngineExecutor::TaskId self = 0;
    std::promise<void> idKnown;
    auto idReady = idKnown.get_future().share();
    self = executor.scheduleRepeating(1ms, 1ms, [&] {
        idReady.wait();
        if (++ticks == 2) {
            executor.cancel(self);
            (void)executor.scheduleAfter(1ms, [&] { followUp = true; });
        }
    });
    idKnown.set_value();
    ASSERT_TRUE(eventually([&] { return followUp.load(); }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(ticks.load(), 2);
}

TEST(ThreadEngineExecutor, TasksNeverOverlapAndDestructionDropsWaitingTasks)
{
    std::atomic<int> inside {0};
    std::atomic<bool> overlapped {false};
    std::atomic<int> ran {0};
    std::atomic<bool> lateRan {false};
    {
        ThreadEngineExecutor executor;
        std::vector<std::jthread> schedulers;
        for (int thread = 0; thread < 4; ++thread) {
            schedulers.emplace_back([&] {
                for (int task = 0; task < 50; ++task) {
                    (void)executor.scheduleAfter(0ms, [&] {
                        if (inside.fetch_add(1) != 0) {
                            overlapped = true;
                        }
                        std::this_thread::yield();
                        inside.fetch_sub(1);
                        ++ran;
                    });
                }
            });
        }
        schedulers.clear();
        ASSERT_TRUE(eventually([&] { return ran.load() == 200; })) << ran.load();
        (void)executor.scheduleAfter(10s, [&] { lateRan = true; });
    }
    EXPECT_FALSE(overlapped.load());
    EXPECT_FALSE(lateRan.load());
}

TEST(ThreadEngineExecutor, DormantTasksRunOnlyWhileArmed)
{
    ThreadEngineExecutor executor;
    std::atomic<int> ticks {0};
    std::atomic<int> onceRuns {0};
    EngineExecutor::TaskId ticker = 0;
    std::promise<void> idKnown;
    auto idReady = idKnown.get_future().share();
    // Disarms itself on its third run, as the smoothing timer does when the travel is over.
    ticker = executor.addDormant(1ms, [&] {
        idReady.wait();
        if (++ticks % 3 == 0) {
            executor.disarm(ticker);
        }
    });
    idKnown.set_value();
    const auto once = executor.addDormant(0ms, [&] { ++onceRuns; });
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(ticks.load(), 0);
    EXPECT_EQ(onceRuns.load(), 0);

    executor.arm(ticker, 0ms);
    executor.arm(ticker, 0ms); // already armed: nothing changes
    ASSERT_TRUE(eventually([&] { return ticks.load() == 3; }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(ticks.load(), 3);
    executor.arm(ticker, 0ms);
    ASSERT_TRUE(eventually([&] { return ticks.load() == 6; }));

    for (int arming = 1; arming <= 3; ++arming) {
        executor.arm(once, 0ms);
        ASSERT_TRUE(eventually([&] { return onceRuns.load() == arming; }));
    }
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(onceRuns.load(), 3);
    executor.cancel(ticker);
    executor.arm(ticker, 0ms); // cancelled: ignored
    executor.disarm(12345);
}

} // namespace
} // namespace tarn::input
