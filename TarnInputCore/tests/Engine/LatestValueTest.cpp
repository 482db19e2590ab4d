#include "TarnInputCore/Engine/Requests/LatestValue.h"

#include <atomic>
#include <cstdint>
#include <thread>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

// Written with both halves equal: a reader that saw a value being written would see them differ.
struct Pair {
    std::uint64_t first = 0;
    std::uint64_t second = 0;
};

TEST(LatestValueTest, TheReaderSeesTheInitialThenTheNewestValue)
{
    LatestValue<Pair> latest({7, 7});
    EXPECT_EQ(latest.read().first, 7u);
    latest.publish({1, 1});
    latest.publish({2, 2});
    EXPECT_EQ(latest.read().first, 2u);
    // Read again without a new value: the same one.
    EXPECT_EQ(latest.read().first, 2u);
    latest.publish({3, 3});
    EXPECT_EQ(latest.read().second, 3u);
}

TEST(LatestValueTest, AReaderNeverSeesAHalfWrittenOrOlderValue)
{
    constexpr std::uint64_t kValues = 200000;
    LatestValue<Pair> latest({0, 0});
    std::atomic<bool> done {false};
    std::thread writer([&] {
        for (std::uint64_t value = 1; value <= kValues; ++value) {
            latest.publish({value, value});
        }
        done = true;
    });
    std::uint64_t last = 0;
    while (!done.load()) {
        const Pair seen = latest.read();
        ASSERT_EQ(seen.first, seen.second);
        ASSERT_GE(seen.first, last);
        last = seen.first;
    }
    writer.join();
    EXPECT_EQ(latest.read().first, kValues);
}

} // namespace
} // namespace tarn::input
