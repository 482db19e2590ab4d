#include "TarnKit/Suite/Memory/Kernel/KernelMemoryReader.h"

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeFileSystemProbe.h"

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
            {16'000'000 * kKiB, 10'000'000 * kKiB, 955'000'000, 8'000'000 * kKiB, 1'000'000 * kKiB, false, "normal"}},
        // zswap in front of a swap file on LVM on LUKS; "some" pressure of 12 % is a warning.
        {"zswap-encrypted",
            {8'000'000 * kKiB, 7'000'000 * kKiB, 300'000 * kKiB, 2'000'000 * kKiB, 1'500'000 * kKiB, true, "warning"}},
        // One swap area on dm-crypt, one on a plain partition; "full" pressure of 10 % is critical.
        {"mixed-swap", {4'000'000 * kKiB, 1'000'000 * kKiB, 0, 3'000'000 * kKiB, 0, false, "critical"}},
        // No swap and no pressure-stall information.
        {"no-swap", {2'000'000 * kKiB, 200'000 * kKiB, 0, 0, 0, false, "normal"}},
        // Nothing readable at all: the physical total comes from sysconf's page count.
        {"absent", {1000 * 4096, 0, 0, 0, 0, false, "normal"}},
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

} // namespace
} // namespace tarn
