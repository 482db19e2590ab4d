#include "TarnKit/Foundation/Text/NumberText.h"

#include <limits>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(NumberTextTest, RoundedWholeRoundsHalfAwayFromZeroAndNeverWritesMinusZero)
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {45, "45"},
        {45.5, "46"},
        {44.49, "44"},
        {-2.5, "-3"},
        {-0.4, "0"},
        {-0.0, "0"},
        {0.5, "1"},
        {1e20, "100000000000000000000"},
        {-9.5e18, "-9500000000000000000"},
        {kInfinity, "inf"},
        {-kInfinity, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(NumberText::roundedWhole(testCase.value), testCase.expected) << testCase.value;
    }
}

} // namespace
} // namespace tarn
