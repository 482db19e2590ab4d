#include "TarnKit/Foundation/Files/AtomicFileWriter.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

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

TEST(AtomicFileWriter, RemovesOnlyTheStaleTemporariesOfItsOwnWrites)
{
    TemporaryFolder folder;
    const auto real = folder.path() / "real";
    std::filesystem::create_directories(real);
    // Through a link the temporaries sit beside the target, so that is where they are looked for.
    const auto link = folder.path() / "input-settings.json";
    std::filesystem::create_symlink(real / "input-settings.json", link);
    const std::vector<std::string> kept {"input-settings.json", ".input-settings.json.a-09xY",
        ".input-settings.json.aZ09xYz", ".input-settings.json.aZ09x", "input-settings.json.aZ09xY",
        ".other.json.aZ09xY", ".input-settings.jsonXaZ09xY"};
    for (const auto& name : kept) {
        std::ofstream(real / name) << "kept";
    }
    std::ofstream(real / ".input-settings.json.aZ09xY") << "{\"half";
    std::ofstream(real / ".input-settings.json.QWERTY") << "";
    // Neither a folder nor a link is a temporary of a write, whatever its name.
    std::filesystem::create_directory(real / ".input-settings.json.folder");
    std::filesystem::create_symlink(real / "input-settings.json", real / ".input-settings.json.link01");

    EXPECT_EQ(AtomicFileWriter::removeStaleTemporaries(link), 2u);
    for (const auto& name : kept) {
        EXPECT_TRUE(std::filesystem::exists(real / name)) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(real / ".input-settings.json.aZ09xY"));
    EXPECT_FALSE(std::filesystem::exists(real / ".input-settings.json.QWERTY"));
    EXPECT_TRUE(std::filesystem::is_directory(real / ".input-settings.json.folder"));
    EXPECT_TRUE(std::filesystem::is_symlink(real / ".input-settings.json.link01"));
    EXPECT_EQ(AtomicFileWriter::removeStaleTemporaries(folder.path() / "missing" / "file.json"), 0u);
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

mode_t modeOf(const std::filesystem::path& path)
{
    struct stat info { };
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

TEST(AtomicFileWriter, NewFilesGetTheirModeWhateverTheUmaskAndOldOnesKeepTheirs)
{
    using Mode = AtomicFileWriter::NewFileMode;
    const struct {
        Mode mode;
        std::optional<mode_t> existing;
        mode_t expected;
    } cases[] {
        {Mode::ownerOnly, std::nullopt, 0600},
        {Mode::everyoneReads, std::nullopt, 0644},
        {Mode::ownerOnly, 0640, 0640},
        {Mode::everyoneReads, 0600, 0600},
    };
    for (const mode_t umask : {mode_t {022}, mode_t {002}, mode_t {077}}) {
        const mode_t previous = ::umask(umask);
        for (const auto& [mode, existing, expected] : cases) {
            TemporaryFolder folder;
            const auto file = folder.path() / "file";
            if (existing) {
                ASSERT_TRUE(AtomicFileWriter::write(file, "old"));
                ASSERT_EQ(::chmod(file.c_str(), *existing), 0);
            }
            ASSERT_TRUE(AtomicFileWriter::write(file, "new", mode));
            EXPECT_EQ(modeOf(file), expected) << "umask " << umask;
        }
        ::umask(previous);
    }
}

// Dotfile managers keep the real file elsewhere and link it into place; replacing the link with a
// plain file would cut it off from the user's repository.
TEST(AtomicFileWriter, WritesThroughSymbolicLinksAndRefusesALoop)
{
    namespace fs = std::filesystem;
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> links; // link -> target, made in order
        const char* storage; // the file that must receive the bytes
    } cases[] {
        {"relative link", {{"file", "dotfiles/file"}}, "dotfiles/file"},
        {"absolute link", {{"file", "@/dotfiles/file"}}, "dotfiles/file"},
        {"chain of links", {{"file", "middle"}, {"middle", "dotfiles/file"}}, "dotfiles/file"},
        {"link into another folder", {{"file", "../outside/file"}}, "../outside/file"},
        {"dangling link", {{"file", "dotfiles/new-file"}}, "dotfiles/new-file"},
    };
    for (const auto& [name, links, storage] : cases) {
        SCOPED_TRACE(name);
        TemporaryFolder root;
        const auto folder = root.path() / "config";
        fs::create_directories(folder / "dotfiles");
        fs::create_directories(root.path() / "outside");
        std::ofstream(folder / "dotfiles" / "file") << "old";
        std::ofstream(root.path() / "outside" / "file") << "old";
        for (const auto& [link, target] : links) {
            std::string to = target;
            if (to.starts_with('@')) {
                to = folder.string() + to.substr(1);
            }
            fs::create_symlink(to, folder / link);
        }
        ASSERT_TRUE(AtomicFileWriter::write(folder / "file", "new"));
        EXPECT_TRUE(fs::is_symlink(folder / "file"));
        EXPECT_EQ(readFile(folder / storage), "new");
        EXPECT_EQ(readFile(folder / "file"), "new");
    }

    TemporaryFolder folder;
    fs::create_symlink("b", folder.path() / "a");
    fs::create_symlink("a", folder.path() / "b");
    const auto looped = AtomicFileWriter::write(folder.path() / "a", "new");
    ASSERT_FALSE(looped);
    EXPECT_NE(looped.error().find("Too many levels of symbolic links"), std::string::npos) << looped.error();
    EXPECT_TRUE(fs::is_symlink(folder.path() / "a"));
    EXPECT_EQ(entryCount(folder.path()), 2u);
}

} // namespace
} // namespace tarn
