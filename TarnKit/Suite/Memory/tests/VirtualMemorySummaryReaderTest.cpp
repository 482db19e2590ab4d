#include "TarnKit/Suite/Memory/VirtualMemorySummaryReader.h"

#include <fstream>

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeFileSystemProbe.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kKiB = 1024;

struct StatusFigures {
    std::int64_t physicalTotal = 32'000'000'000;
    std::int64_t physicalUsed = 20'000'000'000;
    std::int64_t compressed = 3'000'000'000;
    std::int64_t swapTotal = 1'000'000;
    std::int64_t swapUsed = 0;
};

TarnMemoryLiveStatus memoryStatus(const StatusFigures& figures = {})
{
    return TarnMemoryLiveStatus(WallTime {}, 4242, figures.physicalTotal, figures.physicalUsed, figures.compressed,
        62.5, figures.swapTotal, figures.swapUsed, 3, true, "warning", 87, 2, 40'000'000'000, 12'000'000'000,
        {"Fast", "Slow"}, 1, 8'000'000'000, 2'000'000'000, {"Lab"}, 1, 4'000'000'000, {"Scratch"}, 2, {501, 502},
        1'500'000'000, std::nullopt);
}

KernelMemoryFigures kernelFigures()
{
    return {16'000'000'000, 9'000'000'000, 500'000'000, 8'000'000'000, 2'000'000'000, false, "normal", {}};
}

TEST(VirtualMemorySummaryReaderTest, MergedStatusSuppliesEverythingTheKernelCannotKnow)
{
    TarnVirtualMemorySummary expected;
    expected.physicalTotalBytes = 32'000'000'000;
    expected.physicalUsedBytes = 20'000'000'000;
    expected.compressedBytes = 3'000'000'000;
    // The kernel's swap is the larger here.
    expected.swapTotalBytes = 8'000'000'000;
    expected.swapUsedBytes = 2'000'000'000;
    expected.swapFileCount = 3;
    expected.swapEncrypted = true;
    expected.pressureLevel = "warning";
    expected.isTarnMemoryRunning = true;
    expected.activeDiskPoolCount = 2;
    expected.diskPoolVirtualBytes = 40'000'000'000;
    expected.diskPoolActualDiskBytes = 12'000'000'000;
    expected.diskPoolNames = {"Fast", "Slow"};
    expected.mountedSparseDiskCount = 1;
    expected.sparseDiskVirtualBytes = 8'000'000'000;
    expected.sparseDiskActualBytes = 2'000'000'000;
    expected.sparseDiskNames = {"Lab"};
    expected.mountedRAMDiskCount = 1;
    expected.ramDiskTotalBytes = 4'000'000'000;
    expected.ramDiskNames = {"Scratch"};
    expected.frozenAppCount = 2;
    expected.frozenPIDs = {501, 502};
    expected.reclaimedFromFrozenBytes = 1'500'000'000;
    EXPECT_EQ(VirtualMemorySummaryReader::merged(kernelFigures(), memoryStatus()), expected);
}

TEST(VirtualMemorySummaryReaderTest, KernelFiguresStandWhereTheStatusHasNone)
{
    const struct {
        StatusFigures status;
        std::int64_t physicalTotal, physicalUsed, compressed, swapTotal, swapUsed;
    } cases[] = {
        // Zero or negative memory figures leave the kernel's in place.
        {{0, 0, 0, 0, 0}, 16'000'000'000, 9'000'000'000, 500'000'000, 8'000'000'000, 2'000'000'000},
        {{-1, -1, -1, -1, -1}, 16'000'000'000, 9'000'000'000, 500'000'000, 8'000'000'000, 2'000'000'000},
        // Swap takes the larger of the two, each figure on its own.
        {{1, 2, 3, 9'000'000'000, 1'000'000'000}, 1, 2, 3, 9'000'000'000, 2'000'000'000},
        {{1, 2, 3, 7'000'000'000, 3'000'000'000}, 1, 2, 3, 8'000'000'000, 3'000'000'000},
    };
    for (const auto& testCase : cases) {
        const auto summary = VirtualMemorySummaryReader::merged(kernelFigures(), memoryStatus(testCase.status));
        EXPECT_EQ(summary.physicalTotalBytes, testCase.physicalTotal);
        EXPECT_EQ(summary.physicalUsedBytes, testCase.physicalUsed);
        EXPECT_EQ(summary.compressedBytes, testCase.compressed);
        EXPECT_EQ(summary.swapTotalBytes, testCase.swapTotal);
        EXPECT_EQ(summary.swapUsedBytes, testCase.swapUsed);
    }
}

// A machine from the fixtures with one mounted sparse disk of the memory application.
class VirtualMemorySummaryReaderMachineTest : public ::testing::Test {
protected:
    VirtualMemorySummaryReaderMachineTest()
    {
        const fs::path data = fs::path(TARN_TEST_DATA_DIR) / "no-swap";
        m_procRoot = m_folder.path() / "proc";
        fs::create_directories(m_procRoot / "self");
        fs::copy_file(data / "proc" / "meminfo", m_procRoot / "meminfo");
        std::ofstream(m_procRoot / "self" / "mountinfo")
            << "90 27 0:50 / /media/tester/Lab rw - hfsplus /dev/loop3 rw\n";
        fs::create_directories(m_folder.path() / "cache" / "TarnMemory" / "Pools" / "Lab.sparsebundle");
        m_probe.setVolumeCapacity("/media/tester/Lab", {6'000'000'000, 1'000'000'000});
    }

    VirtualMemorySummaryReader reader() const
    {
        return VirtualMemorySummaryReader({m_procRoot, m_folder.path() / "sys", 4096, 0},
            {m_folder.path() / "cache" / "TarnMemory" / "Pools", m_folder.path() / "config.json", "/media/tester"},
            m_probe);
    }

    const fs::path& procRoot() const { return m_procRoot; }

private:
    TemporaryFolder m_folder;
    fs::path m_procRoot;
    FakeFileSystemProbe m_probe;
};

TEST_F(VirtualMemorySummaryReaderMachineTest, WithoutAStatusOnlySparseDisksAreFound)
{
    TarnVirtualMemorySummary expected;
    expected.physicalTotalBytes = 2'000'000 * kKiB;
    expected.physicalUsedBytes = 200'000 * kKiB;
    // The machine has no pressure file.
    expected.pressureLevel = "unknown";
    expected.mountedSparseDiskCount = 1;
    expected.sparseDiskVirtualBytes = 6'000'000'000;
    expected.sparseDiskActualBytes = 5'000'000'000;
    expected.sparseDiskNames = {"Lab"};
    EXPECT_EQ(reader().read(std::nullopt), expected);
}

TEST_F(VirtualMemorySummaryReaderMachineTest, WithAStatusTheDisksAreTheStatusOwn)
{
    const auto summary = reader().read(memoryStatus({0, 0, 0, 0, 0}));
    EXPECT_TRUE(summary.isTarnMemoryRunning);
    EXPECT_EQ(summary.physicalTotalBytes, 2'000'000 * kKiB);
    EXPECT_EQ(summary.sparseDiskVirtualBytes, 8'000'000'000);
    EXPECT_EQ(summary.sparseDiskNames, std::vector<std::string> {"Lab"});
    EXPECT_EQ(summary.swapFileCount, 3);
}

TEST_F(VirtualMemorySummaryReaderMachineTest, WhatCouldNotBeReadComesWithTheSummaryMergedOrNot)
{
    EXPECT_TRUE(reader().readChecked(std::nullopt).problems.empty());
    fs::remove(procRoot() / "meminfo");
    for (const auto& status : {std::optional<TarnMemoryLiveStatus>(), std::optional(memoryStatus())}) {
        const auto reading = reader().readChecked(status);
        EXPECT_EQ(reading.problems, std::vector<std::string> {(procRoot() / "meminfo").string() + " is missing."});
        EXPECT_EQ(reading.summary, reader().read(status));
    }
}

} // namespace
} // namespace tarn
