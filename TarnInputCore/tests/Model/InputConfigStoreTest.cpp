#include "TarnInputCore/Model/Settings/InputConfigStore.h"

#include <csignal>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <map>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "tests/CharacterDevice.h"
#include "tests/TemporaryFolder.h"

#include <sys/resource.h>
#include <sys/stat.h>

namespace tarn::input {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string readText(const fs::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

void writeText(const fs::path& path, std::string_view text)
{
    std::ofstream stream(path, std::ios::binary);
    stream << text;
}

std::string fullSettingsText()
{
    return readText(fs::path(TARN_TEST_DATA_DIR) / "settings" / "full-settings.json");
}

// Every file in the folder, by name.
std::vector<std::string> folderNames(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class InputConfigStoreTest : public ::testing::Test {
protected:
    InputConfigStoreTest() { m_clock.setWallStart(WallTime(std::chrono::seconds(1'765'000'000))); }

    fs::path settingsPath() const { return m_folder.path() / "TarnInput" / "input-settings.json"; }

    TemporaryFolder m_folder;
    FakeClock m_clock;
};

TEST_F(InputConfigStoreTest, ConstructorMakesTheFolderAndAMissingFileLoadsAsDefaults)
{
    InputConfigStore store(settingsPath(), m_clock);
    EXPECT_TRUE(fs::is_directory(settingsPath().parent_path()));
    EXPECT_EQ(store.load(), InputSettings {});

    InputSettings changed;
    changed.engineEnabled = false;
    ASSERT_TRUE(store.save(changed));
    EXPECT_EQ(store.load(), changed);
    EXPECT_FALSE(store.setAsidePath());
    EXPECT_EQ(folderNames(settingsPath().parent_path()), std::vector<std::string> {"input-settings.json"});
}

TEST_F(InputConfigStoreTest, LoadingAtStartRemovesWhatAKilledSaveLeftBehind)
{
    ASSERT_TRUE(InputConfigStore(settingsPath(), m_clock).save(InputSettings {}));
    const auto folder = settingsPath().parent_path();
    writeText(folder / ".input-settings.json.Ab3dE9", "{\"engineEnabled\": fa");
    writeText(folder / ".input-settings.json.keep", "not a temporary of ours");

    InputConfigStore store(settingsPath(), m_clock);
    EXPECT_EQ(store.load(), InputSettings {});
    EXPECT_EQ(folderNames(folder), (std::vector<std::string> {".input-settings.json.keep", "input-settings.json"}));
}

TEST_F(InputConfigStoreTest, DefaultPathIsBelowTheXdgConfigFolder)
{
    const auto paths = XdgPaths::fromEnvironment([](std::string_view name) -> std::optional<std::string> {
        if (name == "XDG_CONFIG_HOME") {
            return "/home/someone/.cfg";
        }
        if (name == "HOME") {
            return "/home/someone";
        }
        return std::nullopt;
    });
    EXPECT_EQ(InputConfigStore::defaultFilePath(paths), fs::path("/home/someone/.cfg/TarnInput/input-settings.json"));
}

TEST_F(InputConfigStoreTest, SavedFileIsIndentedWithSortedKeysAtEveryLevel)
{
    InputConfigStore store(settingsPath(), m_clock);
    writeText(settingsPath(), fullSettingsText());
    const auto settings = store.load();
    ASSERT_TRUE(store.save(settings));

    const std::string text = readText(settingsPath());
    EXPECT_EQ(text.rfind("{\n  \"appOverrides\": [\n    {\n      \"action\": \"zoomOut\",\n", 0), 0u) << text;
    // The last top-level key, after "scrollSpeedMultiplier" and before the closing brace.
    EXPECT_NE(text.find("  \"smoothScrollExcludedBundles\": [\n    \"com.figma.Desktop\",\n"), std::string::npos);
    EXPECT_EQ(text.find("\"smoothScrollExcludedBundles\""), text.rfind("\n  \"") + 3);

    // Nested records are sorted too, and identities are written upper-case.
    const auto document = json::parse(text);
    std::vector<std::string> profileKeys;
    for (const auto& [key, value] : document["appProfiles"][0].items()) {
        profileKeys.push_back(key);
    }
    EXPECT_EQ(profileKeys,
        (std::vector<std::string> {"appName", "bundleIdentifier", "buttonActionOverrides", "id", "isEnabled",
            "macroBindings", "scrollSpeedMultiplierOverride", "smoothScrollOverride"}));
    EXPECT_NE(text.find("\"kind\": {\n            \"keystroke\": {\n              \"keyCode\": 9,\n              "
                        "\"label\": \"⌘V\",\n              \"modifiers\": [\n"),
        std::string::npos)
        << text;
    EXPECT_EQ(document["macros"][0]["id"], "9A8B7C6D-5E4F-4A3B-9C2D-1E0F9A8B7C6D");
    EXPECT_EQ(document.size(), 35u);
    EXPECT_EQ(store.load(), settings);
}

// A file the program cannot use reads as the defaults, as before; but the first save keeps the
// file under another name instead of destroying the user's macros, profiles and rules.
TEST_F(InputConfigStoreTest, UnusableFileIsSetAsideBeforeTheFirstSave)
{
    const std::string valid = fullSettingsText();
    const auto replaced = [&valid](std::string_view from, std::string_view to) {
        std::string text = valid;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::vector<std::pair<std::string, std::string>> cases {
        {"action written by a newer version", replaced("\"sideBackAction\": \"copy\"", "\"sideBackAction\": \"undo\"")},
        {"string for a number", replaced("\"scrollSpeedMultiplier\": 2.25", "\"scrollSpeedMultiplier\": \"2.25\"")},
        {"float for a button", replaced("\"gestureTriggerButton\": 4", "\"gestureTriggerButton\": 4.0")},
        {"unknown button", replaced("\"gestureTriggerButton\": 4", "\"gestureTriggerButton\": 7")},
        {"Bool as 0/1", replaced("\"keyHUDEnabled\": true", "\"keyHUDEnabled\": 1")},
        {"infinite number", replaced("\"nominalPointerDPI\": 800", "\"nominalPointerDPI\": 1e999")},
        {"NaN", replaced("\"nominalPointerDPI\": 800", "\"nominalPointerDPI\": NaN")},
        {"key code out of range", replaced("\"keyCode\": 9", "\"keyCode\": 70000")},
        {"rule without isEnabled",
            replaced(",\n      \"isEnabled\": true\n    }\n  ],\n  \"gestureChordsEnabled\"",
                "\n    }\n  ],\n  \"gestureChordsEnabled\"")},
        {"malformed identity", replaced("5E0C1F7A-2B3C", "5E0C1F7A2B3C")},
        {"not JSON", valid.substr(0, valid.size() / 2)},
        {"not an object", "[1, 2, 3]"},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        const fs::path path = folder.path() / "input-settings.json";
        writeText(path, text);

        InputConfigStore store(path, m_clock);
        EXPECT_EQ(store.load(), InputSettings {});
        EXPECT_EQ(readText(path), text) << "loading never touches the file";

        InputSettings changed;
        changed.keyHUDEnabled = true;
        ASSERT_TRUE(store.save(changed));
        ASSERT_TRUE(store.setAsidePath());
        EXPECT_EQ(store.setAsidePath()->filename(), "input-settings.json.unreadable-20251206-054640");
        EXPECT_EQ(readText(*store.setAsidePath()), text);
        EXPECT_EQ(store.load(), changed);

        // Only the first save sets the file aside; later ones replace the new file.
        changed.keyHUDEnabled = false;
        ASSERT_TRUE(store.save(changed));
        EXPECT_EQ(folderNames(folder.path()),
            (std::vector<std::string> {"input-settings.json", "input-settings.json.unreadable-20251206-054640"}));
    }
}

TEST_F(InputConfigStoreTest, SaveWithoutLoadStillKeepsAnUnusableFile)
{
    InputConfigStore store(settingsPath(), m_clock);
    writeText(settingsPath(), "{\"middleButtonAction\": \"warp\"}");
    ASSERT_TRUE(store.save(InputSettings {}));
    ASSERT_TRUE(store.setAsidePath());
    EXPECT_EQ(readText(*store.setAsidePath()), "{\"middleButtonAction\": \"warp\"}");
    EXPECT_EQ(store.load(), InputSettings {});
}

TEST_F(InputConfigStoreTest, SaveIsRefusedWhileAnUnusableFileCannotBeSetAside)
{
    // The name leaves no room for the set-aside suffix, so the rename fails (even for root).
    const fs::path path = m_folder.path() / (std::string(240, 'x') + ".json");
    writeText(path, "not json");
    InputConfigStore store(path, m_clock);
    EXPECT_EQ(store.load(), InputSettings {});
    EXPECT_FALSE(store.save(InputSettings {}));
    EXPECT_EQ(readText(path), "not json");

    // Once the file is gone there is nothing left to keep.
    fs::remove(path);
    EXPECT_TRUE(store.save(InputSettings {}));
    EXPECT_EQ(store.load(), InputSettings {});
}

TEST_F(InputConfigStoreTest, FailedWriteIsReported)
{
    // The folder cannot be made: a plain file stands where it should be.
    writeText(m_folder.path() / "TarnInput", "in the way");
    InputConfigStore store(settingsPath(), m_clock);
    EXPECT_EQ(store.load(), InputSettings {});
    EXPECT_FALSE(store.save(InputSettings {}));
    EXPECT_EQ(readText(m_folder.path() / "TarnInput"), "in the way");
}

// The user must learn why a change was not kept, and where a file they may want went.
TEST_F(InputConfigStoreTest, SaveSaysWhyItFailedAndBothEventsAreLoggedWithTheFileNames)
{
    writeText(m_folder.path() / "TarnInput", "in the way");
    RecordingLogSink log;
    InputConfigStore blocked(settingsPath(), m_clock, &log);
    const auto result = blocked.save(InputSettings {});
    ASSERT_FALSE(result);
    EXPECT_NE(result.error().find(settingsPath().parent_path().string() + ": "), std::string::npos) << result.error();
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].level, TarnLogLevel::warn);
    EXPECT_EQ(log.lines()[0].category, "settings");
    EXPECT_EQ(
        log.lines()[0].message, "The settings were not saved to " + settingsPath().string() + ": " + result.error());

    log.clear();
    const fs::path path = m_folder.path() / "input-settings.json";
    writeText(path, "{ broken");
    InputConfigStore store(path, m_clock, &log);
    (void)store.load();
    ASSERT_TRUE(store.save(InputSettings {}));
    ASSERT_TRUE(store.setAsidePath());
    const std::vector<RecordedLogLine> expected {{TarnLogLevel::warn, "settings",
        "The settings file " + path.string() + " could not be used; it was kept as " + store.setAsidePath()->string()
            + " and a new one is saved."}};
    EXPECT_EQ(log.lines(), expected);
}

// Macros can hold typed text, so a new settings file is the user's alone; a mode the user chose
// for an existing one stays.
TEST_F(InputConfigStoreTest, NewFileIsPrivateAndAnExistingFileKeepsItsMode)
{
    const auto modeOf = [](const fs::path& path) {
        struct stat info { };
        EXPECT_EQ(::stat(path.c_str(), &info), 0);
        return info.st_mode & 07777;
    };
    InputConfigStore store(settingsPath(), m_clock);
    ASSERT_TRUE(store.save(InputSettings {}));
    EXPECT_EQ(modeOf(settingsPath()), 0600u);
    ASSERT_EQ(::chmod(settingsPath().c_str(), 0640), 0);
    ASSERT_TRUE(store.save(InputSettings {}));
    EXPECT_EQ(modeOf(settingsPath()), 0640u);
}

// Dotfile managers link the settings file into place: a link to a good file of the user's own
// must survive every save. A link whose file cannot be used is set aside as the link: what it
// points to, perhaps in another folder, is left where and as it is, and a plain file takes its
// place. Nothing is ever created where a link leads to nothing.
TEST_F(InputConfigStoreTest, LinksToTheUsersOwnFileAreWrittenThroughAndUnusableLinksSetAsideAsLinks)
{
    const std::string stamp = ".unreadable-20251206-054640";
    const struct {
        const char* name;
        std::optional<std::string> target; // contents of ../dotfiles/input-settings.json, absent: no file
        const char* linkTo;
        bool followed;
    } cases[] {
        {"link to a good file", "{\"engineEnabled\": false}", "../dotfiles/input-settings.json", true},
        {"link to an unusable file in another folder", "{ broken", "../dotfiles/input-settings.json", false},
        {"link to nothing", std::nullopt, "../dotfiles/input-settings.json", false},
        {"link that loops", std::nullopt, "input-settings.json", false},
    };
    for (const auto& [name, target, linkTo, followed] : cases) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        const fs::path path = folder.path() / "TarnInput" / "input-settings.json";
        const fs::path dotfile = folder.path() / "dotfiles" / "input-settings.json";
        fs::create_directories(path.parent_path());
        fs::create_directories(dotfile.parent_path());
        if (target) {
            writeText(dotfile, *target);
        }
        fs::create_symlink(linkTo, path);

        InputConfigStore store(path, m_clock);
        const auto loaded = store.load();
        EXPECT_EQ(loaded.engineEnabled, !followed);
        InputSettings changed = loaded;
        changed.keyHUDEnabled = true;
        const auto saved = store.save(changed);
        ASSERT_TRUE(saved) << saved.error();
        EXPECT_EQ(store.load(), changed);
        EXPECT_EQ(fs::is_symlink(path), followed);
        if (followed) {
            EXPECT_FALSE(store.setAsidePath());
            EXPECT_EQ(InputConfigStore(dotfile, m_clock).load(), changed);
            continue;
        }
        ASSERT_TRUE(store.setAsidePath());
        EXPECT_EQ(*store.setAsidePath(), path.string() + stamp);
        EXPECT_TRUE(fs::is_symlink(*store.setAsidePath()));
        EXPECT_EQ(fs::read_symlink(*store.setAsidePath()), linkTo);
        EXPECT_EQ(fs::exists(dotfile), target.has_value()) << "nothing is made where the link led";
        if (target) {
            EXPECT_EQ(readText(dotfile), *target);
        }
        EXPECT_EQ(folderNames(dotfile.parent_path()).size(), target ? 1u : 0u);
    }
}

struct NodeIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    mode_t mode = 0;
    uid_t owner = 0;
    off_t size = 0;
    bool operator==(const NodeIdentity&) const = default;
};

// Every entry below `folder`, by path.
std::map<fs::path, NodeIdentity> identities(const fs::path& folder)
{
    std::map<fs::path, NodeIdentity> found;
    const auto add = [&found](const fs::path& path) {
        struct stat info { };
        EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
        found[path] = {info.st_dev, info.st_ino, info.st_mode, info.st_uid, info.st_size};
    };
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        add(entry.path());
    }
    return found;
}

// Run as root with the settings file linked to a device, the device itself was renamed away and a
// JSON file put in its place. What is neither a regular file of the user's own nor a link to one
// is never read, moved or replaced: loading gives the defaults at once (a FIFO is not waited on),
// and every save fails, saying why, until the user moves it out of the way.
TEST_F(InputConfigStoreTest, ALinkToADeviceFifoOrAnotherUsersFileIsRefusedAndLeftAsItIs)
{
    fs::path device;
    const struct {
        const char* name;
        std::function<void(const fs::path& path, const fs::path& outside)> make;
        std::string problem;
    } cases[] {
        {"link to a FIFO",
            [](const fs::path& path, const fs::path& outside) {
                ASSERT_EQ(::mkfifo((outside / "fifo").c_str(), 0600), 0);
                fs::create_symlink(outside / "fifo", path);
            },
            "is a link to @/fifo, a FIFO, not a regular file of yours"},
        {"link to a device",
            [&device](const fs::path& path, const fs::path& outside) {
                device = characterDevice(outside);
                fs::create_symlink(device, path);
            },
            "is a link to DEVICE, a device, not a regular file of yours"},
        {"FIFO in its place", [](const fs::path& path, const fs::path&) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
            "is a FIFO, not a regular file of yours"},
        {"folder in its place", [](const fs::path& path, const fs::path&) { fs::create_directory(path); },
            "is a folder, not a regular file of yours"},
        {"link to a file of another user",
            [](const fs::path& path, const fs::path& outside) {
                writeText(outside / "theirs.json", fullSettingsText());
                ASSERT_EQ(::chown((outside / "theirs.json").c_str(), 65534, 65534), 0);
                fs::create_symlink(outside / "theirs.json", path);
            },
            "is a link to @/theirs.json, a file of another user"},
        {"file of another user in its place",
            [](const fs::path& path, const fs::path&) {
                writeText(path, fullSettingsText());
                ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
            },
            "is a file of another user"},
    };
    for (const auto& [name, make, problem] : cases) {
        SCOPED_TRACE(name);
        if (std::string_view(name).find("another user") != std::string_view::npos && ::geteuid() != 0) {
            continue; // only root can give a file away
        }
        TemporaryFolder folder;
        const fs::path path = folder.path() / "TarnInput" / "input-settings.json";
        const fs::path outside = folder.path() / "outside";
        fs::create_directories(path.parent_path());
        fs::create_directories(outside);
        make(path, outside);
        const auto before = identities(folder.path());

        RecordingLogSink log;
        InputConfigStore store(path, m_clock, &log);
        auto loading = std::async(std::launch::async, [&store] { return store.load(); });
        if (loading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            // Let a blocked reader go before failing, so that the test run can end.
            std::ofstream(outside / "fifo") << "";
            FAIL() << "load() waited on a FIFO";
        }
        EXPECT_EQ(loading.get(), InputSettings {});
        for (int attempt = 0; attempt < 2; ++attempt) {
            const auto saved = store.save(InputSettings {});
            ASSERT_FALSE(saved);
            std::string expected = "The settings file " + path.string() + " " + problem + ", so it was not replaced.";
            if (const auto at = expected.find('@'); at != std::string::npos) {
                expected.replace(at, 1, outside.string());
            }
            if (const auto at = expected.find("DEVICE"); at != std::string::npos) {
                expected.replace(at, 6, device.string());
            }
            EXPECT_EQ(saved.error(), expected);
        }
        EXPECT_FALSE(store.setAsidePath());
        EXPECT_EQ(identities(folder.path()), before) << "nothing made, moved or replaced";
        EXPECT_EQ(log.lines().size(), 2u);

        // Once the user has moved it away, saving works again.
        fs::rename(path, outside / "moved");
        EXPECT_TRUE(store.save(InputSettings {}));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
    }
}

// A failed save is shown to the user: it must name their settings file, not the random name of
// the temporary file the save wrote first.
TEST_F(InputConfigStoreTest, AFailedSaveNamesTheSettingsFile)
{
    InputConfigStore store(settingsPath(), m_clock);
    ASSERT_TRUE(store.save(InputSettings {}));
    struct rlimit previous { };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = previous;
    small.rlim_cur = 16; // far less than any settings file
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto saved = store.save(InputSettings {});
    ::setrlimit(RLIMIT_FSIZE, &previous);
    ::signal(SIGXFSZ, previousHandler);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error(), "cannot write " + settingsPath().string() + ": File too large");
}

// A file that was fine at load but broken by a hand edit since must not be overwritten silently.
TEST_F(InputConfigStoreTest, FileMadeUnusableOnDiskSinceTheLoadIsSetAsideBeforeTheSave)
{
    InputConfigStore store(settingsPath(), m_clock);
    ASSERT_TRUE(store.save(InputSettings {}));
    (void)store.load();

    // A good hand edit is simply replaced by the next save, as before.
    writeText(settingsPath(), "{\"engineEnabled\": false}");
    ASSERT_TRUE(store.save(InputSettings {}));
    EXPECT_FALSE(store.setAsidePath());

    const std::string edited = "{\"engineEnabled\": false, \"middleButtonAction\": \"warp\"}";
    writeText(settingsPath(), edited);
    ASSERT_TRUE(store.save(InputSettings {}));
    ASSERT_TRUE(store.setAsidePath());
    EXPECT_EQ(readText(*store.setAsidePath()), edited);
    EXPECT_EQ(store.load(), InputSettings {});
}

TEST_F(InputConfigStoreTest, AFileFarLargerThanAnySettingsIsNotRead)
{
    InputSettings engineOff;
    engineOff.engineEnabled = false;
    std::string text = engineOff.toJson().dump();
    text.insert(text.size() - 1, ",\"padding\":\"" + std::string(InputConfigStore::kLargestFile, ' ') + "\"");
    InputConfigStore store(settingsPath(), m_clock);
    writeText(settingsPath(), text);
    EXPECT_EQ(store.load(), InputSettings {});
    ASSERT_TRUE(store.save(InputSettings {}));
    ASSERT_TRUE(store.setAsidePath());
    EXPECT_EQ(fs::file_size(*store.setAsidePath()), text.size());
}

} // namespace
} // namespace tarn::input
