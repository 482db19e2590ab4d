#include "TarnKit/Foundation/Identity/OperatingSystemInfo.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(OperatingSystemInfo, KernelVersionIsTheLeadingThreeNumbers)
{
    const std::vector<std::pair<std::string, std::string>> cases {
        {"6.1.0-13-amd64", "6.1.0"},
        {"6.8.12+rpt-rpi-v8", "6.8.12"},
        {"5.15", "5.15.0"},
        {"6.10-rc1", "6.10.0"},
        {"6.", "6.0.0"},
        {"4.19.0.1", "4.19.0"},
        {"unknown", "unknown"},
    };
    for (const auto& [release, version] : cases) {
        OperatingSystemInfo info;
        info.kernelRelease = release;
        EXPECT_EQ(info.kernelVersion(), version) << release;
    }
}

TEST(OperatingSystemInfo, DistributionIsNameAndVersionThenThePrettyName)
{
    EXPECT_EQ(OperatingSystemInfo::distributionFromOsRelease("PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                                                             "NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n"),
        "Debian GNU/Linux 12");
    EXPECT_EQ(OperatingSystemInfo::distributionFromOsRelease("# rolling\r\nNAME=Arch\r\nPRETTY_NAME='Arch Linux'\r\n"),
        "Arch Linux");
    EXPECT_EQ(OperatingSystemInfo::distributionFromOsRelease("NAME=\"Say \\\"Hi\\\"\"\n"), "Say \"Hi\"");
    EXPECT_EQ(OperatingSystemInfo::distributionFromOsRelease("garbage without equals\n"), "");
}

TEST(OperatingSystemInfo, CurrentReadsUnameAndTheGivenFile)
{
    const auto info = OperatingSystemInfo::current(std::filesystem::path(TARN_TEST_DATA_DIR) / "no-such-os-release");
    EXPECT_EQ(info.kernelName, "Linux");
    EXPECT_FALSE(info.machine.empty());
    EXPECT_EQ(info.distribution, "");
}

} // namespace
} // namespace tarn
