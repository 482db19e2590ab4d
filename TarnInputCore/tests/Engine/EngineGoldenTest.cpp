// Longer engine scenarios as golden files: script lines, "---", the expected output lines.
// "#" starts a comment line. "settings: key=value ..." changes the settings between steps
// (sideForwardAction, sideBackAction, middleButtonAction take action names; engineEnabled,
// gestureChordsEnabled, doubleClickGuardEnabled take true or false). Each file runs in a fresh
// harness with the default settings and must leave nothing held.

#include <filesystem>
#include <fstream>
#include <sstream>

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "TarnInputCore/tests/Engine/EngineHarness.h"

namespace tarn::input {
namespace {

using testing::EngineHarness;

void applySetting(InputSettings& settings, const std::string& key, const std::string& value)
{
    const auto action = [&] {
        const auto parsed = mouseButtonActionFromRawValue(value);
        if (!parsed) {
            throw std::invalid_argument("unknown action " + value);
        }
        return *parsed;
    };
    if (key == "sideForwardAction") {
        settings.sideForwardAction = action();
    } else if (key == "sideBackAction") {
        settings.sideBackAction = action();
    } else if (key == "middleButtonAction") {
        settings.middleButtonAction = action();
    } else if (key == "engineEnabled") {
        settings.engineEnabled = value == "true";
    } else if (key == "gestureChordsEnabled") {
        settings.gestureChordsEnabled = value == "true";
    } else if (key == "doubleClickGuardEnabled") {
        settings.doubleClickGuardEnabled = value == "true";
    } else {
        throw std::invalid_argument("unknown setting " + key);
    }
}

TEST(EngineGoldenTest, ScriptsProduceTheirExpectedOutput)
{
    const std::filesystem::path folder = std::filesystem::path(TARN_TEST_DATA_DIR) / "engine";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".script") {
            continue;
        }
        ++files;
        std::ifstream input(entry.path());
        std::vector<std::string> expected;
        std::vector<std::string> actual;
        bool inExpected = false;
        EngineHarness h;
        std::string line;
        while (std::getline(input, line)) {
            if (line.empty() || line.starts_with('#')) {
                continue;
            }
            if (line == "---") {
                inExpected = true;
            } else if (inExpected) {
                expected.push_back(line);
            } else if (line.starts_with("settings:")) {
                std::istringstream words(line.substr(9));
                std::string word;
                while (words >> word) {
                    const auto equals = word.find('=');
                    h.changeSettings(
                        [&](InputSettings& s) { applySetting(s, word.substr(0, equals), word.substr(equals + 1)); });
                }
            } else {
                std::istringstream tokens(h.run(line));
                std::string token;
                while (tokens >> token) {
                    actual.push_back(token);
                }
            }
        }
        if (actual != expected) {
            std::string table = fmt::format("{:<32}| {}\n", "expected", "actual");
            for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
                table += fmt::format(
                    "{:<32}| {}\n", i < expected.size() ? expected[i] : "", i < actual.size() ? actual[i] : "");
            }
            ADD_FAILURE() << entry.path().filename() << "\n" << table;
        }
        EXPECT_TRUE(h.nothingHeld()) << entry.path().filename();
    }
    EXPECT_GT(files, 0);
}

} // namespace
} // namespace tarn::input
