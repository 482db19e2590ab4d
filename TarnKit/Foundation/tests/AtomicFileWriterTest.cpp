#include "TarnKit/Foundation/Files/AtomicFileWriter.h"

#include <csignal>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "tests/CharacterDevice.h"
#include "tests/TemporaryFolder.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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
    const auto result = AtomicFileWriter::write(
        target, "data", AtomicFileWriter::NewFileMode::ownerOnly, AtomicFileWriter::Links::replaceEntry);
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
TEST(AtomicFileWriter, WritesThroughLinksToTheUsersOwnFiles)
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
}

struct NodeIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    mode_t mode = 0;
    uid_t owner = 0;
    dev_t represents = 0;
    bool operator==(const NodeIdentity&) const = default;
};

NodeIdentity identityOf(const std::filesystem::path& path)
{
    struct stat info { };
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return {info.st_dev, info.st_ino, info.st_mode, info.st_uid, info.st_rdev};
}

// Every entry below `folder`, by path.
std::map<std::filesystem::path, NodeIdentity> identities(const std::filesystem::path& folder)
{
    std::map<std::filesystem::path, NodeIdentity> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        found[entry.path()] = identityOf(entry.path());
    }
    return found;
}

// Run as root, a link planted at the path had the device it pointed to renamed away and replaced
// by the file written. Nothing but a regular file of the user's own is written through a link,
// nor replaced where it stands: the write fails, saying why, and changes nothing anywhere.
TEST(AtomicFileWriter, RefusesEverythingButTheUsersOwnRegularFile)
{
    namespace fs = std::filesystem;
    TemporaryFolder devices;
    const auto device = characterDevice(devices.path()); // looked at, never changed
    const auto deviceBefore = identityOf(device);
    const struct {
        const char* name;
        std::function<void(const fs::path& file, const fs::path& outside)> make;
        std::string problem;
    } cases[] {
        {"link to a FIFO",
            [](const fs::path& file, const fs::path& outside) {
                ASSERT_EQ(::mkfifo((outside / "fifo").c_str(), 0600), 0);
                fs::create_symlink(outside / "fifo", file);
            },
            "a FIFO, not a regular file of yours"},
        {"link to a device", [&device](const fs::path& file, const fs::path&) { fs::create_symlink(device, file); },
            "is a link to " + device.string() + ", a device, not a regular file of yours"},
        {"link to a folder", [](const fs::path& file, const fs::path& outside) { fs::create_symlink(outside, file); },
            "a folder, not a regular file of yours"},
        {"link to nothing",
            [](const fs::path& file, const fs::path& outside) { fs::create_symlink(outside / "new-file", file); },
            "new-file, which does not exist"},
        {"link that loops",
            [](const fs::path& file, const fs::path&) {
                fs::create_symlink("other", file);
                fs::create_symlink(file.filename(), file.parent_path() / "other");
            },
            "Too many levels of symbolic links"},
        {"FIFO at the path", [](const fs::path& file, const fs::path&) { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); },
            "it is a FIFO, not a regular file of yours"},
        {"link to a file of another user",
            [](const fs::path& file, const fs::path& outside) {
                std::ofstream(outside / "theirs") << "old";
                ASSERT_EQ(::chown((outside / "theirs").c_str(), 65534, 65534), 0);
                fs::create_symlink(outside / "theirs", file);
            },
            "theirs, a file of another user"},
        {"file of another user at the path",
            [](const fs::path& file, const fs::path&) {
                std::ofstream(file) << "old";
                ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
            },
            "it is a file of another user"},
    };
    for (const auto& [name, make, problem] : cases) {
        SCOPED_TRACE(name);
        if (std::string_view(name).find("another user") != std::string_view::npos && ::geteuid() != 0) {
            continue; // only root can give a file away
        }
        TemporaryFolder root;
        const auto folder = root.path() / "config";
        const auto outside = root.path() / "outside";
        fs::create_directories(folder);
        fs::create_directories(outside);
        const auto file = folder / "file";
        make(file, outside);
        const auto before = identities(root.path());

        const auto written = AtomicFileWriter::write(file, "new");
        ASSERT_FALSE(written);
        EXPECT_NE(written.error().find("cannot write " + file.string() + ": "), std::string::npos) << written.error();
        EXPECT_NE(written.error().find(problem), std::string::npos) << written.error();
        EXPECT_FALSE(AtomicFileWriter::storagePath(file));
        EXPECT_EQ(identities(root.path()), before) << "nothing made, moved or replaced";
    }
    EXPECT_EQ(identityOf(device), deviceBefore);
}

// The program's own files in its own folders: whatever was planted in a file's place is replaced
// as it stands, and nothing it points to is touched.
TEST(AtomicFileWriter, ReplacingTheEntryNeverWritesThroughALink)
{
    namespace fs = std::filesystem;
    TemporaryFolder root;
    const auto victim = root.path() / "victim";
    std::ofstream(victim) << "the user's own";
    ASSERT_EQ(::mkfifo((root.path() / "fifo").c_str(), 0600), 0);
    const auto device = characterDevice(root.path());
    const std::vector<fs::path> planted {victim, root.path() / "fifo", device, root.path() / "nothing"};
    for (const auto& target : planted) {
        SCOPED_TRACE(target.string());
        const auto slot = root.path() / "slot.json";
        fs::create_symlink(target, slot);
        ASSERT_TRUE(AtomicFileWriter::write(
            slot, "command", AtomicFileWriter::NewFileMode::ownerOnly, AtomicFileWriter::Links::replaceEntry));
        EXPECT_FALSE(fs::is_symlink(slot));
        EXPECT_EQ(readFile(slot), "command");
        EXPECT_EQ(modeOf(slot), 0600u) << "a new file, not the mode of what the link pointed to";
        fs::remove(slot);
    }
    EXPECT_EQ(readFile(victim), "the user's own");
    EXPECT_TRUE(fs::is_fifo(root.path() / "fifo"));
    EXPECT_TRUE(fs::is_character_file(device));
    EXPECT_FALSE(fs::exists(root.path() / "nothing"));

    const auto fifoSlot = root.path() / "fifo";
    ASSERT_TRUE(AtomicFileWriter::write(
        fifoSlot, "command", AtomicFileWriter::NewFileMode::ownerOnly, AtomicFileWriter::Links::replaceEntry));
    EXPECT_EQ(readFile(fifoSlot), "command");
}

// The temporary file's random name means nothing to the user who reads why a save failed.
TEST(AtomicFileWriter, AFailedWriteNamesTheFileNotItsTemporary)
{
    TemporaryFolder folder;
    const auto file = folder.path() / "input-settings.json";
    ASSERT_TRUE(AtomicFileWriter::write(file, "old"));
    // A file size limit makes the write itself fail, as a full disk would.
    struct rlimit previous { };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = previous;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto written = AtomicFileWriter::write(file, "longer than four bytes");
    ::setrlimit(RLIMIT_FSIZE, &previous);
    ::signal(SIGXFSZ, previousHandler);

    ASSERT_FALSE(written);
    EXPECT_EQ(written.error(), "cannot write " + file.string() + ": File too large");
    EXPECT_EQ(readFile(file), "old");
    EXPECT_EQ(entryCount(folder.path()), 1u);
}

} // namespace
} // namespace tarn
