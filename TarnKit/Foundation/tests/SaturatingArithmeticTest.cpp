#include "TarnKit/Foundation/SaturatingArithmetic.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
constexpr auto kMin = std::numeric_limits<std::int64_t>::min();

TEST(SaturatingArithmeticTest, StopsAtTheLimits)
{
    EXPECT_EQ(saturatingAdd(2, 3), 5);
    EXPECT_EQ(saturatingAdd(kMax, 1), kMax);
    EXPECT_EQ(saturatingAdd(kMax, kMax), kMax);
    EXPECT_EQ(saturatingAdd(kMin, -1), kMin);
    EXPECT_EQ(saturatingAdd(kMax, kMin), -1);
    EXPECT_EQ(saturatingMultiply(4, -5), -20);
    EXPECT_EQ(saturatingMultiply(kMax, 2), kMax);
    EXPECT_EQ(saturatingMultiply(kMin, -1), kMax);
    EXPECT_EQ(saturatingMultiply(kMax, -2), kMin);
    EXPECT_EQ(saturatingMultiply(kMin, 0), 0);
}

} // namespace
} // namespace tarn
