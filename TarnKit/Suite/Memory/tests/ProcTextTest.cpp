#include "TarnKit/Suite/Memory/Kernel/ProcText.h"

#include <gtest/gtest.h>

#include "TarnKit/Suite/Memory/Kernel/ProcMeminfo.h"

namespace tarn {
namespace {

TEST(ProcTextTest, ReadsCountsAndDecimalsStrictly)
{
    EXPECT_EQ(ProcText::count("0"), 0);
    EXPECT_EQ(ProcText::count("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(ProcText::count("9223372036854775808"), std::nullopt);
    EXPECT_EQ(ProcText::count("-1"), std::nullopt);
    EXPECT_EQ(ProcText::count("+1"), std::nullopt);
    EXPECT_EQ(ProcText::count("12kB"), std::nullopt);
    EXPECT_EQ(ProcText::count(""), std::nullopt);
    EXPECT_EQ(ProcText::decimal("12.50"), 12.5);
    EXPECT_EQ(ProcText::decimal("12,50"), std::nullopt);
    EXPECT_EQ(ProcText::decimal("nan"), std::nullopt);
}

TEST(ProcTextTest, UndoesOnlyCompleteOctalEscapes)
{
    EXPECT_EQ(ProcText::unescaped("/a\\040b\\134c"), "/a b\\c");
    EXPECT_EQ(ProcText::unescaped("/a\\04"), "/a\\04");
    EXPECT_EQ(ProcText::unescaped("/a\\089"), "/a\\089");
}

TEST(ProcTextTest, MeminfoKeepsWellFormedLinesInBytes)
{
    const auto meminfo = ProcMeminfo::parse("MemTotal:       1000 kB\n"
                                            "HugePages_Total:      7\n"
                                            "Broken:  12 MB\n"
                                            "Negative:  -12 kB\n"
                                            "NoColon  12 kB\n"
                                            "Huge: 9223372036854775807 kB\n"
                                            "MemTotal:       2000 kB");
    EXPECT_EQ(meminfo.bytes("MemTotal"), 2000 * 1024);
    EXPECT_EQ(meminfo.bytes("HugePages_Total"), 7);
    EXPECT_EQ(meminfo.bytes("Huge"), INT64_MAX);
    EXPECT_EQ(meminfo.bytes("Broken"), std::nullopt);
    EXPECT_EQ(meminfo.bytes("Negative"), std::nullopt);
    EXPECT_EQ(meminfo.bytes("NoColon"), std::nullopt);
    EXPECT_EQ(meminfo.bytes("SwapTotal"), std::nullopt);
}

} // namespace
} // namespace tarn
