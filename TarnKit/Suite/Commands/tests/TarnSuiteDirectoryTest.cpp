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
        const bool created = static_cast<bool>(TarnSuiteDirectory::createPrivateFolder(suite / "Commands"));
        ::umask(previous);

        ASSERT_TRUE(created) << mask;
        EXPECT_EQ(modeOf(folder.path() / "data"), 0755) << "a folder already there is left as it is";
        EXPECT_EQ(modeOf(folder.path() / "data" / "Harrowfen"), 0700);
        EXPECT_EQ(modeOf(suite), 0700);
        EXPECT_EQ(modeOf(suite / "Commands"), 0700);
        EXPECT_TRUE(TarnSuiteDirectory::createPrivateFolder(suite / "Commands")) << "already there";
    }
}

// A folder others can write into lets them plant commands and links; one the user made wide
// (by hand, an older version, a umask) is narrowed, while the folders above are not the suite's.
TEST(TarnSuiteDirectory, AFolderOfTheUsersOwnIsMadePrivate)
{
    for (const mode_t mode : {0777, 0755, 01777, 0711, 0500}) {
        TemporaryFolder folder;
        const auto suite = folder.path() / "Harrowfen" / "SuiteTelemetry";
        std::filesystem::create_directories(suite);
        ASSERT_EQ(::chmod((folder.path() / "Harrowfen").c_str(), 0755), 0);
        ASSERT_EQ(::chmod(suite.c_str(), mode), 0);
        const auto prepared = TarnSuiteDirectory::createPrivateFolder(suite);
        ASSERT_TRUE(prepared) << prepared.error();
        EXPECT_EQ(modeOf(suite), 0700) << std::oct << mode;
        EXPECT_EQ(modeOf(folder.path() / "Harrowfen"), 0755);
    }
}

// Someone else's folder is theirs: never adopted, never changed.
TEST(TarnSuiteDirectory, WhatIsNotAFolderOfTheUsersOwnIsRefusedAndLeftAsItIs)
{
    TemporaryFolder folder;
    const auto suite = folder.path() / "SuiteTelemetry";
    std::filesystem::create_directories(suite);
    ASSERT_EQ(::chmod(suite.c_str(), 0777), 0);
    const auto foreign = TarnSuiteDirectory::createPrivateFolder(suite, ::geteuid() + 1);
    ASSERT_FALSE(foreign);
    EXPECT_EQ(foreign.error(), suite.string() + " belongs to another user");
    EXPECT_EQ(modeOf(suite), 0777);

    const auto linked = folder.path() / "Linked";
    ASSERT_EQ(::chmod(suite.c_str(), 0700), 0);
    std::filesystem::create_directory_symlink(suite, linked);
    const auto link = TarnSuiteDirectory::createPrivateFolder(linked);
    ASSERT_FALSE(link);
    EXPECT_EQ(link.error(), linked.string() + " is a symbolic link");
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
