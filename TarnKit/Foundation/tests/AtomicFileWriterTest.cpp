#include "TarnKit/Foundation/AtomicFileWriter.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

#include <sys/stat.h>

namespace tarn {
namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::stringstream contents;
    contents << stream.rdbuf();
    return contents.str();
}

std::size_t entryCount(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFileWriter, CreatesFoldersAndReplacesContents)
{
    TemporaryFolder folder;
    const auto file = folder.path() / "a" / "b" / "settings.json";
    ASSERT_TRUE(AtomicFileWriter::write(file, "first"));
    ASSERT_TRUE(AtomicFileWriter::write(file, "second"));
    EXPECT_EQ(readFile(file), "second");
    EXPECT_EQ(entryCount(file.parent_path()), 1u) << "no temporary file may stay behind";
}

TEST(AtomicFileWriter, KeepsModeOfReplacedFile)
{
    TemporaryFolder folder;
    const auto file = folder.path() / "secret.json";
    ASSERT_TRUE(AtomicFileWriter::write(file, "x"));
    ::chmod(file.c_str(), 0600);
    ASSERT_TRUE(AtomicFileWriter::write(file, "y"));
    struct stat info { };
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(AtomicFileWriter, FailureLeavesOldStateAndNoTemporaryFile)
{
    TemporaryFolder folder;
    // A folder where the file should be: the final rename fails after the data was written.
    const auto target = folder.path() / "occupied";
    std::filesystem::create_directories(target / "inside");
    const auto result = AtomicFileWriter::write(target, "data");
    ASSERT_FALSE(result);
    EXPECT_NE(result.error().find("cannot replace"), std::string::npos) << result.error();
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    EXPECT_EQ(entryCount(folder.path()), 1u);
}

TEST(AtomicFileWriter, ParentThatIsAFileFails)
{
    TemporaryFolder folder;
    ASSERT_TRUE(AtomicFileWriter::write(folder.path() / "plain", "x"));
    EXPECT_FALSE(AtomicFileWriter::write(folder.path() / "plain" / "child.json", "y"));
    EXPECT_EQ(readFile(folder.path() / "plain"), "x");
}

} // namespace
} // namespace tarn
