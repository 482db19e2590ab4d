#include "TarnKit/Foundation/Files/WholeFile.h"

#include <fstream>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "tests/TemporaryFolder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tarn {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(WholeFileTest, ReadsRegularFilesWithinTheLimitAndNothingElse)
{
    const TemporaryFolder folder;
    const fs::path& root = folder.path();
    writeFile(root / "ten", "0123456789");
    writeFile(root / "empty", "");
    writeFile(root / "binary", std::string("a\0b\r\n", 5));
    fs::create_symlink(root / "ten", root / "link");
    fs::create_symlink(root / "gone", root / "dangling");
    fs::create_directory(root / "folder");
    ASSERT_EQ(::mkfifo((root / "fifo").c_str(), 0600), 0);

    using Failure = WholeFile::Failure;
    const struct {
        const char* name;
        std::uintmax_t limit;
        std::optional<std::string> contents;
        Failure failure;
    } cases[] = {
        {"ten", 10, "0123456789", {}},
        {"ten", 9, std::nullopt, Failure::tooLarge},
        {"empty", 0, "", {}},
        {"binary", 100, std::string("a\0b\r\n", 5), {}},
        {"link", 10, "0123456789", {}},
        {"dangling", 10, std::nullopt, Failure::missing},
        {"absent", 10, std::nullopt, Failure::missing},
        {"folder", 10, std::nullopt, Failure::unusable},
        // Opening a FIFO without a writer would block: it is refused before it is opened.
        {"fifo", 10, std::nullopt, Failure::unusable},
    };
    for (const auto& testCase : cases) {
        const auto result = WholeFile::read(root / testCase.name, testCase.limit);
        if (testCase.contents) {
            ASSERT_TRUE(result.hasValue()) << testCase.name;
            EXPECT_EQ(*result, *testCase.contents) << testCase.name;
        } else {
            ASSERT_FALSE(result.hasValue()) << testCase.name;
            EXPECT_EQ(result.error(), testCase.failure) << testCase.name;
        }
    }
}

// Files in a folder others could plant something in: only the user's own regular file standing
// there is read, never what a link leads to.
TEST(WholeFileTest, OwnFileOnlyReadsNoLinkAndNoFileOfAnotherUser)
{
    const TemporaryFolder folder;
    const fs::path& root = folder.path();
    writeFile(root / "mine", "0123456789");
    fs::create_symlink(root / "mine", root / "link");
    fs::create_symlink(root / "gone", root / "dangling");
    fs::create_symlink("/dev/null", root / "device");
    writeFile(root / "theirs", "0123456789");
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(::chown((root / "theirs").c_str(), 65534, 65534), 0);
    }

    using Failure = WholeFile::Failure;
    const struct {
        const char* name;
        std::optional<Failure> failure;
    } cases[] = {
        {"mine", std::nullopt},
        {"link", Failure::unusable},
        {"dangling", Failure::unusable},
        {"device", Failure::unusable},
        {"absent", Failure::missing},
        {"theirs", asRoot ? std::optional(Failure::unusable) : std::nullopt},
    };
    for (const auto& [name, failure] : cases) {
        const auto result = WholeFile::read(root / name, 100, WholeFile::Access::ownFileOnly);
        if (!failure) {
            ASSERT_TRUE(result.hasValue()) << name;
            EXPECT_EQ(*result, "0123456789") << name;
        } else {
            ASSERT_FALSE(result.hasValue()) << name;
            EXPECT_EQ(result.error(), *failure) << name;
        }
    }
}

// A file the process may not read is unusable, not missing. The kernel's write-only settings
// refuse reading to everyone, root included; a file of our own with no permissions refuses it to
// everyone but root, whose reads ignore file modes, so it is checked only where that holds.
TEST(WholeFileTest, AFileWithoutReadPermissionIsUnusable)
{
    const TemporaryFolder folder;
    const fs::path ownFile = folder.path() / "private";
    writeFile(ownFile, "secret");
    fs::permissions(ownFile, fs::perms::none);
    std::vector<fs::path> unreadable {"/proc/sys/vm/drop_caches"};
    if (::geteuid() != 0) {
        unreadable.push_back(ownFile);
    }
    for (const auto& file : unreadable) {
        ASSERT_TRUE(fs::is_regular_file(file)) << file;
        const auto result = WholeFile::read(file, 100);
        ASSERT_FALSE(result.hasValue()) << file;
        EXPECT_EQ(result.error(), WholeFile::Failure::unusable) << file;
    }
}

} // namespace
} // namespace tarn
