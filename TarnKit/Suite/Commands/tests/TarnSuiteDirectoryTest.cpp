#include "TarnKit/Suite/Commands/TarnSuiteDirectory.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

#include <sys/stat.h>

namespace tarn {
namespace {

int modeOf(const std::filesystem::path& path)
{
    struct stat status { };
    return ::stat(path.c_str(), &status) == 0 ? static_cast<int>(status.st_mode & 07777) : -1;
}

TEST(TarnSuiteDirectory, LiesInTheFamilysDataFolder)
{
    const auto paths = XdgPaths::resolve([](std::string_view name) -> std::optional<std::string> {
        if (name == "XDG_DATA_HOME") {
            return "/home/ada/.data";
        }
        return name == "HOME" ? std::optional<std::string>("/home/ada") : std::nullopt;
    });
    ASSERT_TRUE(paths);
    EXPECT_EQ(TarnSuiteDirectory::at(*paths), "/home/ada/.data/Harrowfen/SuiteTelemetry");
}

TEST(TarnSuiteDirectory, CreatesMissingFoldersForTheOwnerAloneWhateverTheUmask)
{
    for (const mode_t mask : {0000, 0022, 0777}) {
        TemporaryFolder folder;
        std::filesystem::create_directory(folder.path() / "data");
        std::filesystem::permissions(folder.path() / "data", std::filesystem::perms(0755));
        const auto suite = folder.path() / "data" / "Harrowfen" / "SuiteTelemetry";

        const mode_t previous = ::umask(mask);
        const bool created = TarnSuiteDirectory::createPrivateFolder(suite / "Commands");
        ::umask(previous);

        ASSERT_TRUE(created) << mask;
        EXPECT_EQ(modeOf(folder.path() / "data"), 0755) << "a folder already there is left as it is";
        EXPECT_EQ(modeOf(folder.path() / "data" / "Harrowfen"), 0700);
        EXPECT_EQ(modeOf(suite), 0700);
        EXPECT_EQ(modeOf(suite / "Commands"), 0700);
        EXPECT_TRUE(TarnSuiteDirectory::createPrivateFolder(suite / "Commands")) << "already there";
    }
}

TEST(TarnSuiteDirectory, AFileInTheWayIsAFailure)
{
    TemporaryFolder folder;
    std::ofstream(folder.path() / "SuiteTelemetry") << "x";
    EXPECT_FALSE(TarnSuiteDirectory::createPrivateFolder(folder.path() / "SuiteTelemetry" / "Commands"));
    EXPECT_FALSE(TarnSuiteDirectory::createPrivateFolder(folder.path() / "SuiteTelemetry"));
}

} // namespace
} // namespace tarn
