#include "TarnKit/Suite/Memory/Kernel/MemoryPressureStall.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

std::string file(const char* some, const char* full)
{
    return std::string("some avg10=") + some + " avg60=0.00 avg300=0.00 total=1\nfull avg10=" + full
        + " avg60=0.00 avg300=0.00 total=1\n";
}

TEST(MemoryPressureStallTest, ClassifiesTheTenSecondAverages)
{
    const struct {
        std::string text;
        std::optional<std::string> level;
    } cases[] = {
        {file("0.00", "0.00"), "normal"},
        {file("9.99", "0.00"), "normal"},
        {file("10.00", "0.00"), "warning"},
        {file("55.10", "9.99"), "warning"},
        {file("10.00", "10.00"), "critical"},
        {file("99.00", "70.00"), "critical"},
        // Older kernels have only the "some" line.
        {"some avg10=20.00 avg60=0.00 avg300=0.00 total=1\n", "warning"},
        // Empty and garbled files say nothing about pressure: no level, never "normal".
        {"", std::nullopt},
        {"some avg10=abc avg60=0.00\nfull avg10=-\n", std::nullopt},
        {"full avg10=inf\n", std::nullopt},
        {"full avg10=50.00 avg60=0.00 avg300=0.00 total=1\n", std::nullopt},
        {"some\nfull\n", std::nullopt},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(MemoryPressureStall::level(testCase.text), testCase.level) << testCase.text;
    }
}

} // namespace
} // namespace tarn
