#include "TarnKit/Suite/Memory/Disks/SparseDiskScanner.h"

#include <fstream>

#include <gtest/gtest.h>

#include "Platform/Fake/Suite/FakeFileSystemProbe.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

constexpr const char* kMountRoot = "/run/media/tester";

void writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A user's caches pool, a custom pool named by the configuration, a mount table and a fake
// statvfs, all in a temporary folder.
class SparseDiskScannerTest : public ::testing::Test {
protected:
    fs::path cachesPool() const { return m_folder.path() / "cache" / "TarnMemory" / "Pools"; }
    fs::path customPool() const { return m_folder.path() / "custom pool"; }
    fs::path configFile() const { return m_folder.path() / "config" / "TarnMemory" / "config.json"; }

    void addBundle(const fs::path& pool, const std::string& entry) { fs::create_directories(pool / entry); }
    void mount(const std::string& name, VolumeCapacity capacity)
    {
        mountWithoutCapacity(name);
        m_probe.setVolumeCapacity(fs::path(kMountRoot) / name, capacity);
    }
    // A volume at <mount root>/<name> on which statvfs fails.
    void mountWithoutCapacity(const std::string& name)
    {
        const auto point = fs::path(kMountRoot) / name;
        m_mountinfo += "100 27 0:55 / " + escaped(point.string()) + " rw,nosuid - hfsplus /dev/loop9 rw\n";
    }
    void setConfig(const std::string& json) { writeFile(configFile(), json); }
    // statvfs answers for the folder even though nothing is mounted there.
    void leaveFolderBehind(const std::string& name)
    {
        m_probe.setVolumeCapacity(fs::path(kMountRoot) / name, {1'000, 0});
    }

    SparseDiskScan scan()
    {
        writeFile(m_folder.path() / "proc" / "self" / "mountinfo", m_mountinfo);
        return SparseDiskScanner({cachesPool(), configFile(), kMountRoot}, m_folder.path() / "proc", m_probe).scan();
    }

private:
    static std::string escaped(const std::string& path)
    {
        std::string result;
        for (const char c : path) {
            result += c == ' ' ? std::string("\\040") : std::string(1, c);
        }
        return result;
    }

    TemporaryFolder m_folder;
    FakeFileSystemProbe m_probe;
    std::string m_mountinfo = "21 27 0:20 / /proc rw,relatime - proc proc rw\n";
};

TEST_F(SparseDiskScannerTest, CountsMountedBundlesOfBothPools)
{
    addBundle(cachesPool(), "Alpha.sparsebundle");
    addBundle(customPool(), "My Disk.SparseBundle");
    mount("Alpha", {10'000'000'000, 4'000'000'000});
    mount("My Disk", {5'000'000'000, 5'000'000'000});
    setConfig(R"({"customPoolDirectory": "  )" + customPool().string() + R"(\n", "other": 1})");
    EXPECT_EQ(scan(), (SparseDiskScan {2, 15'000'000'000, 6'000'000'000, {"Alpha", "My Disk"}}));
}

TEST_F(SparseDiskScannerTest, PassesOverWhatIsNotAMountedBundle)
{
    addBundle(cachesPool(), ".Hidden.sparsebundle");
    addBundle(cachesPool(), "Image.dmg");
    addBundle(cachesPool(), "sparsebundle");
    // A folder left where the volume was mounted is no mounted volume.
    addBundle(cachesPool(), "Unmounted.sparsebundle");
    leaveFolderBehind("Unmounted");
    addBundle(cachesPool(), "Empty.sparsebundle");
    mount("Empty", {0, 0});
    addBundle(cachesPool(), "Unqueryable.sparsebundle");
    mountWithoutCapacity("Unqueryable");
    EXPECT_EQ(scan(), SparseDiskScan {});
}

TEST_F(SparseDiskScannerTest, SameNameInBothPoolsCountsOnce)
{
    addBundle(cachesPool(), "Same.sparsebundle");
    addBundle(customPool(), "Same.sparsebundle");
    mount("Same", {2'000, 500});
    setConfig(R"({"customPoolDirectory": ")" + customPool().string() + R"("})");
    EXPECT_EQ(scan(), (SparseDiskScan {1, 2'000, 1'500, {"Same"}}));
}

TEST_F(SparseDiskScannerTest, MoreAvailableThanTotalAddsNothingUsed)
{
    addBundle(cachesPool(), "Odd.sparsebundle");
    mount("Odd", {1'000, 4'000});
    EXPECT_EQ(scan(), (SparseDiskScan {1, 1'000, 0, {"Odd"}}));
}

TEST_F(SparseDiskScannerTest, CustomPoolNeedsANonEmptyTextInAnObject)
{
    addBundle(customPool(), "Custom.sparsebundle");
    mount("Custom", {1'000, 0});
    const std::string folder = customPool().string();
    const std::string configs[] = {
        R"({"customPoolDirectory": " \n\t "})",
        R"({"customPoolDirectory": 7})",
        R"({"customPoolDirectory": null})",
        R"({"other": ")" + folder + R"("})",
        R"([")" + folder + R"("])",
        R"({"customPoolDirectory": ")" + folder,
    };
    for (const auto& config : configs) {
        setConfig(config);
        EXPECT_EQ(scan(), SparseDiskScan {}) << config;
    }
    setConfig(R"({"customPoolDirectory": ")" + folder + R"("})");
    EXPECT_EQ(scan().names, std::vector<std::string> {"Custom"});
}

} // namespace
} // namespace tarn
