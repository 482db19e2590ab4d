#include "TarnInputCore/Engine/Rules/DoubleClickDebounceGuard.h"

#include <chrono>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

using namespace std::chrono_literals;
using Ms = DoubleClickDebounceGuard::Milliseconds;

const EngineTime kStart = EngineTime(std::chrono::hours(5));

TEST(DoubleClickDebounceGuardTest, BlocksAgainstTheLastAcceptedPress)
{
    DoubleClickDebounceGuard guard;
    EXPECT_FALSE(guard.shouldBlockBounce(0, kStart, Ms(45)));
    EXPECT_EQ(guard.lastIntervalMs(), std::nullopt);
    EXPECT_TRUE(guard.shouldBlockBounce(0, kStart + 30ms, Ms(45)));
    EXPECT_EQ(guard.blockedCount(), 1);
    EXPECT_DOUBLE_EQ(*guard.lastIntervalMs(), 30);
    // 60 ms after the accepted press (30 after the bounce): accepted, the new reference.
    EXPECT_FALSE(guard.shouldBlockBounce(0, kStart + 60ms, Ms(45)));
    EXPECT_DOUBLE_EQ(*guard.lastIntervalMs(), 60);
    EXPECT_TRUE(guard.shouldBlockBounce(0, kStart + 100ms, Ms(45)));
    EXPECT_EQ(guard.blockedCount(), 2);
}

TEST(DoubleClickDebounceGuardTest, ClampsTheThreshold)
{
    struct Case {
        double thresholdMs;
        std::chrono::milliseconds gap;
        bool blocked;
    };
    const Case cases[] = {
        {5, 14ms, true},
        {5, 15ms, false}, // 5 acts as 15
        {15, 14ms, true},
        {500, 109ms, true},
        {500, 110ms, false}, // 500 acts as 110
        {45, 44ms, true},
        {45, 45ms, false},
        {45, 0ms, true},
    };
    for (const auto& c : cases) {
        DoubleClickDebounceGuard guard;
        (void)guard.shouldBlockBounce(1, kStart, Ms(c.thresholdMs));
        EXPECT_EQ(guard.shouldBlockBounce(1, kStart + c.gap, Ms(c.thresholdMs)), c.blocked)
            << "threshold " << c.thresholdMs << " gap " << c.gap.count();
    }
}

TEST(DoubleClickDebounceGuardTest, ButtonsAreIndependentAndResetForgetsEverything)
{
    DoubleClickDebounceGuard guard;
    EXPECT_FALSE(guard.shouldBlockBounce(0, kStart, Ms(45)));
    EXPECT_FALSE(guard.shouldBlockBounce(1, kStart + 10ms, Ms(45)));
    EXPECT_TRUE(guard.shouldBlockBounce(1, kStart + 20ms, Ms(45)));
    // A clock that stepped back never blocks; it becomes the reference.
    EXPECT_FALSE(guard.shouldBlockBounce(0, kStart - 5ms, Ms(45)));

    guard.reset();
    EXPECT_EQ(guard.blockedCount(), 0);
    EXPECT_EQ(guard.lastIntervalMs(), std::nullopt);
    EXPECT_FALSE(guard.shouldBlockBounce(1, kStart + 25ms, Ms(45)));
}

} // namespace
} // namespace tarn::input
