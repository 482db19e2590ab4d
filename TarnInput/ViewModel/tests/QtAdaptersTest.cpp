#include <atomic>
#include <thread>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include "TarnInput/ViewModel/Adapters/IcuTimeFormatter.h"
#include "TarnInput/ViewModel/Adapters/QtMainThreadExecutor.h"
#include "TarnInput/ViewModel/Adapters/QtMainThreadTimers.h"
#include "TarnInput/ViewModel/Mailbox/EventFdWakeup.h"

namespace tarn::input {
namespace {

QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "TarnInputViewModelTests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Processes events until `done` or five seconds pass (generous: CI machines may be loaded).
bool processUntil(const std::function<bool()>& done)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

TEST(EventFdWakeup, WakeUpsFromOtherThreadsRunTheHandlerOnTheMainThreadMergedUntilItRuns)
{
    application();
    EventFdWakeup wakeup;
    int runs = 0;
    std::thread::id ranOn;
    auto subscription = wakeup.subscribe([&] {
        ++runs;
        ranOn = std::this_thread::get_id();
    });

    std::thread waker([&] {
        for (int i = 0; i < 100; ++i) {
            wakeup.wake();
        }
    });
    waker.join();
    EXPECT_EQ(runs, 0) << "never inside wake()";
    ASSERT_TRUE(processUntil([&] { return runs > 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(ranOn, std::this_thread::get_id());

    wakeup.wake();
    ASSERT_TRUE(processUntil([&] { return runs == 2; }));

    // Once the handle is gone a wake-up runs nothing.
    subscription.cancel();
    wakeup.wake();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 2);
}

TEST(QtMainThreadExecutor, RunsTasksFromOtherThreadsOnTheMainThreadInOrder)
{
    application();
    QtMainThreadExecutor executor;
    std::vector<int> ran;
    std::vector<std::thread::id> threads;

    std::thread poster([&] {
        for (int i = 0; i < 3; ++i) {
            executor.post([&, i] {
                ran.push_back(i);
                threads.push_back(std::this_thread::get_id());
            });
        }
    });
    poster.join();
    EXPECT_TRUE(ran.empty());

    ASSERT_TRUE(processUntil([&] { return ran.size() == 3; }));
    EXPECT_EQ(ran, (std::vector<int> {0, 1, 2}));
    EXPECT_EQ(threads[0], std::this_thread::get_id());
}

TEST(QtMainThreadExecutor, RunsADelayedTaskFromAnotherThreadOnTheMainThreadOnceDue)
{
    application();
    QtMainThreadExecutor executor;
    std::atomic<bool> ran = false;
    std::thread::id ranOn;
    QElapsedTimer elapsed;
    elapsed.start();

    std::thread poster([&] {
        executor.postAfter(std::chrono::milliseconds(30), [&] {
            ranOn = std::this_thread::get_id();
            ran = true;
        });
    });
    poster.join();

    ASSERT_TRUE(processUntil([&] { return ran.load(); }));
    EXPECT_GE(elapsed.elapsed(), 30);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(QtMainThreadTimers, FiresUntilTheHandleIsDropped)
{
    application();
    QtMainThreadTimers timers;
    int repeats = 0;
    int onces = 0;
    int cancelled = 0;

    auto repeating = timers.scheduleRepeating(std::chrono::milliseconds(1), [&] { ++repeats; });
    auto once = timers.scheduleOnce(std::chrono::milliseconds(1), [&] { ++onces; });
    auto dropped = timers.scheduleOnce(std::chrono::milliseconds(1), [&] { ++cancelled; });
    dropped.cancel();

    ASSERT_TRUE(processUntil([&] { return repeats >= 3 && onces == 1; }));
    repeating.cancel();
    const int afterCancel = repeats;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(repeats, afterCancel);
    EXPECT_EQ(onces, 1);
    EXPECT_EQ(cancelled, 0);
}

TEST(IcuTimeFormatter, UsesTheInterfaceLanguageMediumTimeStyle)
{
    const IcuTimeFormatter formatter("UTC");
    // 2026-12-10 15:04:05 UTC
    const auto time = WallTime(std::chrono::seconds(1'796'915'045));

    EXPECT_EQ(formatter.formatTime(time, TarnLanguage::tr), "15:04:05");
    EXPECT_EQ(formatter.formatTime(time, TarnLanguage::de), "15:04:05");
    EXPECT_EQ(formatter.formatTime(time, TarnLanguage::en), "3:04:05\u202FPM");
}

} // namespace
} // namespace tarn::input
