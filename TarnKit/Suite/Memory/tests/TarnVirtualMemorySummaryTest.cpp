#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"

#include <limits>

#include <gtest/gtest.h>

namespace tarn {
namespace {

constexpr auto kMax = std::numeric_limits<std::int64_t>::max();

struct Virtual {
    std::int64_t swapTotal = 0;
    std::int64_t swapUsed = 0;
    std::int64_t pools = 0;
    std::int64_t poolBytes = 0;
    std::int64_t poolActual = 0;
    std::int64_t sparseDisks = 0;
    std::int64_t sparseBytes = 0;
    std::int64_t sparseActual = 0;
    std::int64_t ramDisks = 0;
    std::int64_t ramBytes = 0;
};

TarnVirtualMemorySummary summaryOf(const Virtual& v)
{
    TarnVirtualMemorySummary summary;
    summary.swapTotalBytes = v.swapTotal;
    summary.swapUsedBytes = v.swapUsed;
    summary.activeDiskPoolCount = v.pools;
    summary.diskPoolVirtualBytes = v.poolBytes;
    summary.diskPoolActualDiskBytes = v.poolActual;
    summary.mountedSparseDiskCount = v.sparseDisks;
    summary.sparseDiskVirtualBytes = v.sparseBytes;
    summary.sparseDiskActualBytes = v.sparseActual;
    summary.mountedRAMDiskCount = v.ramDisks;
    summary.ramDiskTotalBytes = v.ramBytes;
    return summary;
}

TEST(TarnVirtualMemorySummaryTest, CompactTokenByUseThenByAllocation)
{
    const struct {
        Virtual figures;
        const char* token;
    } cases[] = {
        {{.swapTotal = 1'000'000'000, .swapUsed = 250'000'000}, "250M"},
        {{.swapTotal = 2'000'000'000, .swapUsed = 1'500'000'000}, "1.5G"},
        {{.swapTotal = 200'000'000'000, .swapUsed = 150'000'000'000}, "150G"},
        {{.swapUsed = 999'999}, "1M"},
        {{.swapUsed = 1}, "0M"},
        {{.swapUsed = 99'960'000'000}, "100.0G"},
        // A RAM disk counts as used in full.
        {{.ramDisks = 1, .ramBytes = 2'000'000'000}, "2.0G"},
        {{.swapTotal = 20'000'000'000}, "20G"},
        {{.swapTotal = 5'000'000'000}, "5.0G"},
        {{.pools = 1, .poolBytes = 9'990'000'000}, "10.0G"},
        {{}, "0G"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(summaryOf(testCase.figures).compactVirtualUsedToken(), testCase.token) << testCase.token;
    }
}

TEST(TarnVirtualMemorySummaryTest, BadgePartsInTheirOrder)
{
    const struct {
        Virtual figures;
        const char* badge;
    } cases[] = {
        {{}, ""},
        {{.swapTotal = 4'000'000'000}, "Swap 0 B / 4.00 GB"},
        {{.swapTotal = 4'000'000'000, .swapUsed = 1'500'000}, "Swap 1.5 MB"},
        // With a pool present, unused swap adds nothing.
        {{.swapTotal = 4'000'000'000, .pools = 1, .poolBytes = 10'000'000'000, .poolActual = 1}, "Pool 10.00 GB"},
        {{.swapTotal = 4'000'000'000,
             .swapUsed = 2'000,
             .pools = 2,
             .poolBytes = 10'000'000'000,
             .sparseDisks = 1,
             .sparseBytes = 5'000'000'000,
             .ramDisks = 1,
             .ramBytes = 2'000'000'000},
            "Pool 10.00 GB + vDisk 5.00 GB + RAMDisk 2.00 GB + Swap 2.0 KB"},
        // Counts decide, not the sizes: a pool of 0 bytes still shows.
        {{.pools = 1}, "Pool 0 B"},
        {{.poolBytes = 10'000}, ""},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(summaryOf(testCase.figures).compactBadgeText(), testCase.badge) << testCase.badge;
    }
}

TEST(TarnVirtualMemorySummaryTest, NothingAllocatedOrUsed)
{
    const TarnVirtualMemorySummary summary;
    EXPECT_EQ(summary.compactBadgeText(), "");
    EXPECT_EQ(summary.virtualSpaceUsageText(), "0 B");
    EXPECT_EQ(summary.compactVirtualUsedToken(), "0G");
    EXPECT_EQ(summary.virtualUsedPercent(), 0);
    EXPECT_EQ(summary.physicalUsedPercent(), 0);
    EXPECT_EQ(summary.swapUsedPercent(), 0);
    EXPECT_FALSE(summary.isAnyVirtualMemoryActive());
    EXPECT_FALSE(summary.isSwapActive());
}

TEST(TarnVirtualMemorySummaryTest, TotalsCountSwapByItsLargerFigureAndRamDisksInFull)
{
    auto summary = summaryOf({.swapTotal = 1'000,
        .swapUsed = 3'000,
        .poolBytes = 100,
        .poolActual = 10,
        .sparseBytes = 200,
        .sparseActual = 20,
        .ramDisks = 1,
        .ramBytes = 400});
    summary.physicalTotalBytes = 10'000;
    summary.physicalUsedBytes = 4'000;
    EXPECT_EQ(summary.totalTarnMemoryVirtualCapacityBytes(), 700);
    EXPECT_EQ(summary.totalVirtualAllocatedBytes(), 3'700);
    EXPECT_EQ(summary.totalVirtualUsedBytes(), 3'430);
    EXPECT_EQ(summary.totalEffectiveMemoryCapacityBytes(), 13'700);
    EXPECT_EQ(summary.totalEffectiveUsedBytes(), 7'430);
    EXPECT_EQ(summary.virtualSpaceUsageText(), "3.4 KB / 3.7 KB");
    EXPECT_DOUBLE_EQ(summary.physicalUsedPercent(), 40);
    // Swap used beyond its size is held at 100 %.
    EXPECT_EQ(summary.swapUsedPercent(), 100);
    EXPECT_DOUBLE_EQ(summary.virtualUsedPercent(), 3'430.0 / 3'700.0 * 100);
    EXPECT_TRUE(summary.isTarnMemoryVirtualExpansionActive());
    EXPECT_TRUE(summary.isSwapActive());
}

TEST(TarnVirtualMemorySummaryTest, ActivityFlags)
{
    EXPECT_TRUE(summaryOf({.swapUsed = 1}).isAnyVirtualMemoryActive());
    EXPECT_FALSE(summaryOf({.swapUsed = 1}).isTarnMemoryVirtualExpansionActive());
    EXPECT_FALSE(summaryOf({.swapTotal = 1}).isAnyVirtualMemoryActive());
    EXPECT_TRUE(summaryOf({.swapTotal = 1}).isSwapActive());
    EXPECT_TRUE(summaryOf({.sparseDisks = 1}).isAnyVirtualMemoryActive());
    EXPECT_TRUE(summaryOf({.ramDisks = 1}).isTarnMemoryVirtualExpansionActive());
}

TEST(TarnVirtualMemorySummaryTest, PercentagesStayWithinZeroAndHundred)
{
    TarnVirtualMemorySummary summary;
    summary.physicalTotalBytes = 1'000;
    summary.physicalUsedBytes = 5'000;
    EXPECT_EQ(summary.physicalUsedPercent(), 100);
    summary.physicalUsedBytes = -5'000;
    EXPECT_EQ(summary.physicalUsedPercent(), 0);
    summary.physicalTotalBytes = -1;
    EXPECT_EQ(summary.physicalUsedPercent(), 0);
}

TEST(TarnVirtualMemorySummaryTest, SumsOfCorruptFiguresSaturate)
{
    auto summary = summaryOf({.swapTotal = kMax,
        .swapUsed = kMax,
        .poolBytes = kMax,
        .poolActual = kMax,
        .sparseBytes = kMax,
        .ramBytes = kMax});
    summary.physicalTotalBytes = kMax;
    summary.physicalUsedBytes = kMax;
    EXPECT_EQ(summary.totalTarnMemoryVirtualCapacityBytes(), kMax);
    EXPECT_EQ(summary.totalVirtualAllocatedBytes(), kMax);
    EXPECT_EQ(summary.totalVirtualUsedBytes(), kMax);
    EXPECT_EQ(summary.totalEffectiveMemoryCapacityBytes(), kMax);
    EXPECT_EQ(summary.totalEffectiveUsedBytes(), kMax);
    EXPECT_EQ(summary.virtualUsedPercent(), 100);
    EXPECT_EQ(summary.compactVirtualUsedToken(), "9223372037G");

    const auto negative = summaryOf({.poolBytes = -kMax, .sparseBytes = -kMax, .ramBytes = -kMax});
    EXPECT_EQ(negative.totalTarnMemoryVirtualCapacityBytes(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(negative.virtualSpaceUsageText(), "0 B");
    EXPECT_EQ(negative.compactVirtualUsedToken(), "0G");
}

} // namespace
} // namespace tarn
