#include "TarnInputCore/Model/Settings/InputConfigStore.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "tests/TemporaryFolder.h"

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

// Dotfile managers link the settings file into place: the link must survive every save, and an
// unusable file behind it is kept where the user keeps it.
TEST_F(InputConfigStoreTest, SymbolicLinksAreWrittenThroughAndUnusableTargetsOrLoopsSetAside)
{
    const std::string stamp = ".unreadable-20251206-054640";
    const struct {
        const char* name;
        std::optional<std::string> target; // contents of dotfiles/input-settings.json, absent: no file
        const char* linkTo;
        std::optional<std::string> expectedAside; // relative to the settings folder
    } cases[] {
        {"link to a good file", "{\"engineEnabled\": false}", "dotfiles/input-settings.json", std::nullopt},
        {"link to a missing file", std::nullopt, "dotfiles/input-settings.json", std::nullopt},
        {"link to an unusable file", "{ broken", "dotfiles/input-settings.json",
            "dotfiles/input-settings.json" + stamp},
        {"link that loops", std::nullopt, "input-settings.json", "input-settings.json" + stamp},
    };
    for (const auto& [name, target, linkTo, expectedAside] : cases) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        const fs::path path = folder.path() / "input-settings.json";
        fs::create_directories(folder.path() / "dotfiles");
        if (target) {
            writeText(folder.path() / "dotfiles" / "input-settings.json", *target);
        }
        fs::create_symlink(linkTo, path);

        InputConfigStore store(path, m_clock);
        const auto loaded = store.load();
        EXPECT_EQ(loaded.engineEnabled, !target || *target == "{ broken");
        InputSettings changed = loaded;
        changed.keyHUDEnabled = true;
        const auto saved = store.save(changed);
        ASSERT_TRUE(saved) << saved.error();
        EXPECT_EQ(store.load(), changed);
        if (expectedAside) {
            ASSERT_TRUE(store.setAsidePath());
            EXPECT_EQ(*store.setAsidePath(), folder.path() / *expectedAside);
        } else {
            EXPECT_FALSE(store.setAsidePath());
        }
        const bool loops = std::string_view(linkTo) == "input-settings.json";
        EXPECT_EQ(fs::is_symlink(path), !loops);
        if (!loops) {
            EXPECT_EQ(
                store.load(), InputConfigStore(folder.path() / "dotfiles" / "input-settings.json", m_clock).load());
        }
    }
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
