#include "TarnKit/Foundation/Logging/QueuedLogSink.h"

#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarn {
namespace {

using namespace std::chrono_literals;

// Records lines; can be made to hang, as a log file on a stalled disk would.
class SlowSink final : public LogSink {
public:
    void log(TarnLogLevel, std::string_view category, std::string_view message) override
    {
        m_stall.wait();
        std::lock_guard lock(m_mutex);
        m_lines.push_back(std::string(category) + ": " + std::string(message));
    }
    std::vector<std::string> lines()
    {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }

    std::promise<void> m_unstall;
    std::shared_future<void> m_stall = m_unstall.get_future().share();

private:
    std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

TEST(QueuedLogSinkTest, LinesArriveInOrderOnTheWriterThread)
{
    SlowSink target;
    target.m_unstall.set_value();
    {
        QueuedLogSink queue(target, 4);
        for (int i = 0; i < 3; ++i) {
            queue.log(TarnLogLevel::info, "profile", "line " + std::to_string(i));
        }
        queue.flush();
        EXPECT_EQ(target.lines(), (std::vector<std::string> {"profile: line 0", "profile: line 1", "profile: line 2"}));
        queue.log(TarnLogLevel::info, "tap", "last");
    }
    // Destroying the queue writes what was still waiting.
    EXPECT_EQ(target.lines().back(), "tap: last");
}

TEST(QueuedLogSinkTest, AFullQueueDropsAndCountsWithoutWaiting)
{
    SlowSink target;
    QueuedLogSink queue(target, 4);
    queue.log(TarnLogLevel::info, "tap", "taken by the writer");
    // The writer hangs on the first line; the four slots fill and the rest is dropped at once.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) {
        queue.log(TarnLogLevel::warn, "debounce", "burst " + std::to_string(i));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    target.m_unstall.set_value();
    queue.flush();
    queue.log(TarnLogLevel::info, "tap", "after");
    queue.flush();
    const auto lines = target.lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines.front(), "tap: taken by the writer");
    // Whatever fitted, in order, then the count of the rest, then what came after.
    const std::size_t kept = lines.size() - 3;
    for (std::size_t i = 0; i < kept; ++i) {
        EXPECT_EQ(lines[1 + i], "debounce: burst " + std::to_string(i));
    }
    EXPECT_EQ(lines[lines.size() - 2],
        "log: " + std::to_string(10 - kept) + " log lines were dropped: the log could not be written fast enough");
    EXPECT_EQ(lines.back(), "tap: after");
}

} // namespace
} // namespace tarn
