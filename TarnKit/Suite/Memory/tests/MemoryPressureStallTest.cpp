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
        const char* level;
    } cases[] = {
        {file("0.00", "0.00"), "normal"},
        {file("9.99", "0.00"), "normal"},
        {file("10.00", "0.00"), "warning"},
        {file("55.10", "9.99"), "warning"},
        {file("10.00", "10.00"), "critical"},
        {file("99.00", "70.00"), "critical"},
        // Older kernels have only the "some" line.
        {"some avg10=20.00 avg60=0.00 avg300=0.00 total=1\n", "warning"},
        // Missing, empty and garbled files are no pressure.
        {"", "normal"},
        {"some avg10=abc avg60=0.00\nfull avg10=-\n", "normal"},
        {"full avg10=inf\n", "normal"},
        {"some\nfull\n", "normal"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(MemoryPressureStall::level(testCase.text), testCase.level) << testCase.text;
    }
}

} // namespace
} // namespace tarn
