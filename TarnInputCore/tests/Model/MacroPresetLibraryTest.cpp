#include "TarnInputCore/Model/Macros/MacroPresetLibrary.h"

#include <set>

#include <gtest/gtest.h>

#include "TarnInputCore/Model/Keys/KeyCodeOption.h"

namespace tarn::input {
namespace {

std::vector<std::string> badges(const InputMacro& macro)
{
    std::vector<std::string> result;
    for (const auto& step : macro.steps) {
        result.push_back(step.displayBadge());
    }
    return result;
}

TEST(MacroPresetLibraryTest, FourPresetsInOrder)
{
    const auto presets = MacroPresetLibrary::makePresets();
    ASSERT_EQ(presets.size(), 4u);
    EXPECT_EQ(presets[0].name, "Kopyala → Yeni Sekme → Yapıştır");
    EXPECT_EQ(presets[1].name, "Tümünü Seç & Kopyala");
    EXPECT_EQ(presets[2].name, "Hızlı Spotlight Ara");
    EXPECT_EQ(presets[3].name, "Ekran Görüntüsü Seçimi");
    for (const auto& preset : presets) {
        EXPECT_FALSE(preset.triggerButtonNumber);
        EXPECT_TRUE(preset.isEnabled);
        EXPECT_EQ(preset.description.find("macOS"), std::string::npos);
    }
    EXPECT_EQ(badges(presets[0]), (std::vector<std::string> {"⌘C", "70 ms", "⌘T", "110 ms", "⌘V"}));
    EXPECT_EQ(badges(presets[1]), (std::vector<std::string> {"⌘A", "50 ms", "⌘C"}));
    EXPECT_EQ(presets[2].steps[0].kind, (MacroStepKind {MacroKeystroke {49, {"cmd"}, "⌘Space"}}));
    EXPECT_EQ(presets[3].steps[0].kind, (MacroStepKind {MacroKeystroke {21, {"cmd", "shift"}, "⇧⌘4"}}));
}

TEST(MacroPresetLibraryTest, EveryCallMakesFreshIdentities)
{
    const auto first = MacroPresetLibrary::makePresets();
    auto second = MacroPresetLibrary::makePresets();
    std::set<Uuid> identities;
    for (std::size_t index = 0; index < first.size(); ++index) {
        EXPECT_NE(first[index].id, second[index].id);
        identities.insert(first[index].id);
        for (std::size_t step = 0; step < first[index].steps.size(); ++step) {
            identities.insert(first[index].steps[step].id);
            identities.insert(second[index].steps[step].id);
            second[index].steps[step].id = first[index].steps[step].id;
        }
        second[index].id = first[index].id;
    }
    EXPECT_EQ(identities.size(), 4u + 2 * (5 + 3 + 1 + 1));
    EXPECT_EQ(first, second);
}

TEST(MacroPresetLibraryTest, CommonKeyOptionsAreIdentifiedByKeyCode)
{
    const auto& options = commonKeyOptions();
    ASSERT_EQ(options.size(), 28u);
    std::set<std::uint16_t> codes;
    for (const auto& option : options) {
        codes.insert(option.keyCode);
    }
    EXPECT_EQ(codes.size(), 28u);
    EXPECT_EQ(options.front(), (KeyCodeOption {0, "A"}));
    EXPECT_EQ(options[17], (KeyCodeOption {49, "Space"}));
    EXPECT_EQ(options[20], (KeyCodeOption {53, "Escape (⎋)"}));
    EXPECT_EQ(options[25], (KeyCodeOption {125, "Down (↓)"}));
    EXPECT_EQ(options.back(), (KeyCodeOption {30, "]"}));
    EXPECT_EQ(&commonKeyOptions(), &options);
}

TEST(MacroPresetLibraryTest, ThePickerNamesKeysAsALinuxKeyboardDoes)
{
    std::vector<std::string_view> shown;
    for (const auto& option : commonKeyOptions()) {
        shown.push_back(option.shownLabel());
    }
    EXPECT_EQ(shown,
        (std::vector<std::string_view> {"A", "C", "F", "K", "L", "N", "P", "R", "S", "T", "V", "W", "X", "Z", "3", "4",
            "5", "Space", "Enter", "Tab", "Esc", "Backspace", "Left (←)", "Right (→)", "Up (↑)", "Down (↓)", "[",
            "]"}));
}

} // namespace
} // namespace tarn::input
