#include "TarnKit/Suite/Memory/Kernel/SwapEncryptionCheck.h"

#include <fstream>

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeFileSystemProbe.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(SwapEncryptionCheckTest, ListsSwapAreasWithTheirEscapesUndone)
{
    const std::string text = "Filename\t\t\t\tType\t\tSize\t\tUsed\t\tPriority\n"
                             "/dev/dm-0                               partition\t1000\t0\t-2\n"
                             "/var/swap\\040space\\011tab                file\t\t1000\t0\t-3\n"
                             "\n";
    const std::vector<fs::path> expected {"/dev/dm-0", "/var/swap space\ttab"};
    EXPECT_EQ(SwapEncryptionCheck::swapAreas(text), expected);
    EXPECT_TRUE(SwapEncryptionCheck::swapAreas("").empty());
}

TEST(SwapEncryptionCheckTest, FollowsTheDevicesBelowAMappedDevice)
{
    const TemporaryFolder sys;
    const auto block = sys.path() / "class" / "block";
    writeFile(sys.path() / "dev" / "block" / "254:5" / "uevent", "MAJOR=254\nMINOR=5\nDEVNAME=md0\n");
    // A RAID set built on two dm-crypt devices, and one built on a crypt and a plain device.
    writeFile(block / "md0" / "slaves" / "dm-3", "");
    writeFile(block / "md0" / "slaves" / "dm-4", "");
    writeFile(block / "dm-3" / "dm" / "uuid", "CRYPT-LUKS2-a\n");
    writeFile(block / "dm-4" / "dm" / "uuid", "CRYPT-LUKS2-b\n");
    writeFile(sys.path() / "dev" / "block" / "254:6" / "uevent", "DEVNAME=md1\n");
    writeFile(block / "md1" / "slaves" / "dm-3", "");
    writeFile(block / "md1" / "slaves" / "sdb1", "");
    // A device listed as its own slave must not loop forever.
    writeFile(sys.path() / "dev" / "block" / "254:7" / "uevent", "DEVNAME=dm-9\n");
    writeFile(block / "dm-9" / "slaves" / "dm-9", "");
    // A name that climbs out of the sysfs tree is not followed.
    writeFile(sys.path() / "dev" / "block" / "254:8" / "uevent", "DEVNAME=..\n");

    FakeFileSystemProbe probe;
    probe.setBlockDevice("/dev/md0", {254, 5});
    probe.setBlockDevice("/dev/md1", {254, 6});
    probe.setBlockDevice("/dev/dm-9", {254, 7});
    probe.setBlockDevice("/dev/odd", {254, 8});
    const SwapEncryptionCheck check(sys.path(), probe);
    EXPECT_TRUE(check.allEncrypted({"/dev/md0"}));
    EXPECT_FALSE(check.allEncrypted({"/dev/md1"}));
    EXPECT_FALSE(check.allEncrypted({"/dev/dm-9"}));
    EXPECT_FALSE(check.allEncrypted({"/dev/odd"}));
    EXPECT_FALSE(check.allEncrypted({"/dev/md0", "/dev/md1"}));
    // No swap is never reported as encrypted swap.
    EXPECT_FALSE(check.allEncrypted({}));
}

} // namespace
} // namespace tarn
