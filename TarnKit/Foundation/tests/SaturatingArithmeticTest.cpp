#include "TarnKit/Foundation/Basics/SaturatingArithmetic.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace tarn {
namespace {

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
constexpr auto kMin = std::numeric_limits<std::int64_t>::min();

TEST(SaturatingArithmetic, SumsStopAtTheLimits)
{
    const struct {
        std::int64_t lhs, rhs, sum;
    } cases[] {
        {2, 3, 5},
        {-2, -3, -5},
        {kMax, -1, kMax - 1},
        {kMax, 1, kMax},
        {kMax, kMax, kMax},
        {kMin, -1, kMin},
        {kMin, kMin, kMin},
        {kMin, kMax, -1},
    };
    for (const auto& [lhs, rhs, sum] : cases) {
        EXPECT_EQ(saturatingAdd(lhs, rhs), sum) << lhs << " + " << rhs;
    }
    static_assert(saturatingAdd<std::uint8_t>(200, 100) == 255);
}

TEST(SaturatingArithmetic, ProductsStopAtTheLimitOfTheirSign)
{
    const struct {
        std::int64_t lhs, rhs, product;
    } cases[] {
        {4, -5, -20},
        {kMax, 2, kMax},
        {kMin, -1, kMax},
        {kMax, -2, kMin},
        {kMin, 2, kMin},
        {kMin, 0, 0},
    };
    for (const auto& [lhs, rhs, product] : cases) {
        EXPECT_EQ(saturatingMultiply(lhs, rhs), product) << lhs << " * " << rhs;
    }
    static_assert(saturatingMultiply<std::uint8_t>(20, 20) == 255);
}

} // namespace
} // namespace tarn
