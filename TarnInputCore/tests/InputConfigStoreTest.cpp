#include "TarnInputCore/Model/InputConfigStore.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "tests/TemporaryFolder.h"

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

} // namespace
} // namespace tarn::input
