#include "TarnKit/Services/TarnBinaryLocator.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

std::filesystem::path makeFile(const std::filesystem::path& path, std::filesystem::perms permissions)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\n";
    std::filesystem::permissions(path, permissions);
    return path;
}

constexpr auto kExecutable = std::filesystem::perms::owner_all;
constexpr auto kPlain = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;

} // namespace

TEST(TarnBinaryLocator, SearchesResourcesThenCallersFoldersThenFixedFoldersThenPath)
{
    const auto folders
        = TarnBinaryLocator::searchFolders(std::filesystem::path("/app/res"), {"/extra/one", "/extra/two"}, "/p1::/p2");
    const std::vector<std::filesystem::path> expected {"/app/res/bin", "/app/res", "/extra/one", "/extra/two",
        "/opt/homebrew/bin", "/usr/local/bin", "/usr/bin", "/bin", "/p1", "/p2"};
    EXPECT_EQ(folders, expected);
    EXPECT_EQ(TarnBinaryLocator::searchFolders(std::nullopt, {}, "").front(), "/opt/homebrew/bin");
}

TEST(TarnBinaryLocator, PrefersTheBundledBinFolderAndSkipsFilesThatCannotRun)
{
    TemporaryFolder folder;
    const auto resources = folder.path() / "res";
    const auto extra = folder.path() / "extra";
    const auto bundled = makeFile(resources / "bin" / "tarn-tool", kExecutable);
    makeFile(extra / "tarn-tool", kExecutable);
    EXPECT_EQ(TarnBinaryLocator::locate("tarn-tool", resources, {extra}), bundled);

    makeFile(extra / "tarn-plain-only", kPlain);
    EXPECT_EQ(TarnBinaryLocator::locate("tarn-plain-only", resources, {extra}), std::nullopt);
    std::filesystem::create_directories(extra / "tarn-a-folder");
    EXPECT_EQ(TarnBinaryLocator::locate("tarn-a-folder", resources, {extra}), std::nullopt);
}

TEST(TarnBinaryLocator, FallsBackToTheSystemFolders)
{
    EXPECT_EQ(TarnBinaryLocator::locate("sh", std::nullopt, {}), std::filesystem::path("/usr/bin/sh"));
}

} // namespace tarn
