#include "TarnKit/Suite/Memory/Kernel/KernelMemoryReader.h"

#include <fstream>

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeFileSystemProbe.h"
#include "tests/TemporaryFolder.h"

#include <sys/stat.h>

namespace tarn {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kKiB = 1024;

KernelMemorySources fixture(const std::string& name)
{
    const fs::path root = fs::path(TARN_TEST_DATA_DIR) / name;
    return {root / "proc", root / "sys", 4096, 1000};
}

// The devices the fixtures' swap areas lie on, as stat would report them.
FakeFileSystemProbe swapDevices()
{
    FakeFileSystemProbe probe;
    probe.setBlockDevice("/dev/zram0", {252, 0});
    probe.setBlockDevice("/swap file", {254, 1});
    probe.setBlockDevice("/dev/dm-2", {254, 2});
    probe.setBlockDevice("/dev/sda2", {8, 2});
    return probe;
}

TEST(KernelMemoryReaderTest, ReadsEachFixtureMachine)
{
    const auto probe = swapDevices();
    const struct {
        const char* name;
        KernelMemoryFigures expected;
    } cases[] = {
        // zram swap: compressed is what both zram devices hold; zram is not dm-crypt.
        {"zram",
            {16'000'000 * kKiB, 10'000'000 * kKiB, 955'000'000, 8'000'000 * kKiB, 1'000'000 * kKiB, false, "normal",
                {}}},
        // zswap in front of a swap file on LVM on LUKS; "some" pressure of 12 % is a warning.
        {"zswap-encrypted",
            {8'000'000 * kKiB, 7'000'000 * kKiB, 300'000 * kKiB, 2'000'000 * kKiB, 1'500'000 * kKiB, true, "warning",
                {}}},
        // One swap area on dm-crypt, one on a plain partition; "full" pressure of 10 % is critical.
        {"mixed-swap", {4'000'000 * kKiB, 1'000'000 * kKiB, 0, 3'000'000 * kKiB, 0, false, "critical", {}}},
        // No swap and no pressure-stall information: the pressure is not known.
        {"no-swap", {2'000'000 * kKiB, 200'000 * kKiB, 0, 0, 0, false, "unknown", {}}},
        // Nothing readable at all: the physical total comes from sysconf's page count, and the
        // missing meminfo is a problem.
        {"absent",
            {1000 * 4096, 0, 0, 0, 0, false, "unknown",
                {(fixture("absent").procRoot / "meminfo").string() + " is missing."}}},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(KernelMemoryReader(fixture(testCase.name), probe).read(), testCase.expected) << testCase.name;
    }
}

TEST(KernelMemoryReaderTest, SwapWhoseDeviceCannotBeTracedIsNotEncrypted)
{
    const FakeFileSystemProbe unknownDevices;
    EXPECT_FALSE(KernelMemoryReader(fixture("zswap-encrypted"), unknownDevices).read().swapEncrypted);
}

// A copy of the zswap-encrypted machine's /proc with one source changed. Hidden, unreadable and
// empty sources once read as "0 B used" and "normal" pressure, and nothing told them apart
// from a machine that says so.
TEST(KernelMemoryReaderTest, SourcesThatCannotBeReadAreProblemsNotFigures)
{
    enum class Change { hidden, empty, fifo, folder };
    const struct {
        const char* source;
        Change change;
        const char* problem; // the end of the one problem; none expected when empty
        const char* pressure;
    } cases[] = {
        {"meminfo", Change::hidden, "meminfo is missing.", "warning"},
        {"meminfo", Change::empty, "meminfo has no MemTotal figure.", "warning"},
        {"meminfo", Change::fifo, "meminfo cannot be read (it is not a regular file, or reading it failed).",
            "warning"},
        {"meminfo", Change::folder, "meminfo cannot be read (it is not a regular file, or reading it failed).",
            "warning"},
        // Kernels without pressure-stall information have no pressure file.
        {"pressure/memory", Change::hidden, "", "unknown"},
        {"pressure/memory", Change::empty, "memory has no memory pressure figures.", "unknown"},
        {"pressure/memory", Change::fifo, "memory cannot be read (it is not a regular file, or reading it failed).",
            "unknown"},
        {"swaps", Change::fifo, "swaps cannot be read (it is not a regular file, or reading it failed).", "warning"},
    };
    const auto probe = swapDevices();
    for (const auto& testCase : cases) {
        const TemporaryFolder folder;
        const fs::path procRoot = folder.path() / "proc";
        fs::copy(fixture("zswap-encrypted").procRoot, procRoot, fs::copy_options::recursive);
        const fs::path changed = procRoot / testCase.source;
        fs::remove(changed);
        switch (testCase.change) {
        case Change::hidden:
            break;
        case Change::empty:
            std::ofstream {changed};
            break;
        case Change::fifo:
            // Read without waiting: a FIFO nobody writes would otherwise block the reader for good.
            ASSERT_EQ(::mkfifo(changed.c_str(), 0600), 0);
            break;
        case Change::folder:
            fs::create_directory(changed);
            break;
        }
        const auto figures
            = KernelMemoryReader({procRoot, fixture("zswap-encrypted").sysRoot, 4096, 1000}, probe).read();
        const std::string what = std::string(testCase.source) + " " + std::to_string(static_cast<int>(testCase.change));
        EXPECT_EQ(figures.pressureLevel, testCase.pressure) << what;
        if (std::string_view(testCase.problem).empty()) {
            EXPECT_TRUE(figures.problems.empty()) << what;
            continue;
        }
        ASSERT_FALSE(figures.problems.empty()) << what;
        EXPECT_TRUE(figures.problems.front().starts_with(changed.string())) << figures.problems.front();
        EXPECT_TRUE(figures.problems.front().ends_with(testCase.problem)) << figures.problems.front();
    }
}

} // namespace
} // namespace tarn
