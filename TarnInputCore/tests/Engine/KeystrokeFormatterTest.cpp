#include "TarnInputCore/Engine/Macros/KeystrokeFormatter.h"

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

using Modifiers = KeystrokeFormatter::Modifiers;

TEST(KeystrokeFormatterTest, SymbolTableCoversSixtyNineCodes)
{
    const std::string expected[] = {"A", "S", "D", "F", "H", "G", "Z", "X", "C", "V", "", "B", "Q", "W", "E", "R", "Y",
        "T", "1", "2", "3", "4", "6", "5", "=", "9", "7", "-", "8", "0", "]", "O", "U", "[", "I", "P", "↩", "L", "J",
        "'", "K", ";", "\\", ",", "/", "N", "M", ".", "⇥", "Space", "`", "⌫", "", "⎋"};
    for (std::uint16_t code = 0; code < std::size(expected); ++code) {
        EXPECT_EQ(KeystrokeFormatter::symbolForKeyCode(code).value_or(""), expected[code]) << code;
    }
    const std::pair<std::uint16_t, std::string> rest[] = {{96, "F5"}, {97, "F6"}, {98, "F7"}, {99, "F3"}, {100, "F8"},
        {101, "F9"}, {103, "F11"}, {109, "F10"}, {111, "F12"}, {117, "⌦"}, {118, "F4"}, {120, "F2"}, {122, "F1"},
        {123, "←"}, {124, "→"}, {125, "↓"}, {126, "↑"}};
    for (const auto& [code, symbol] : rest) {
        EXPECT_EQ(KeystrokeFormatter::symbolForKeyCode(code), symbol) << code;
    }

    int withSymbol = 0;
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        withSymbol += KeystrokeFormatter::symbolForKeyCode(static_cast<std::uint16_t>(code)) ? 1 : 0;
    }
    EXPECT_EQ(withSymbol, 69);
    for (const std::uint16_t code :
        {10, 52, 54, 55, 56, 59, 63, 65, 82, 95, 102, 104, 105, 108, 110, 112, 116, 119, 121, 127, 128, 200}) {
        EXPECT_FALSE(KeystrokeFormatter::symbolForKeyCode(code)) << code;
    }
}

TEST(KeystrokeFormatterTest, NavigationKeysAreTwentyTwo)
{
    const auto& codes = KeystrokeFormatter::specialNavigationKeyCodes();
    EXPECT_EQ(codes.size(), 22u);
    for (const std::uint16_t code : {53, 36, 48, 51, 117, 123, 124, 125, 126, 49, 122, 111, 103}) {
        EXPECT_TRUE(codes.contains(code)) << code;
    }
    EXPECT_FALSE(codes.contains(0));
}

TEST(KeystrokeFormatterTest, ModifiersFromFlagsAndWords)
{
    const auto all = Modifiers::fromEventFlags(0x40000 | 0x80000 | 0x20000 | 0x100000 | 0x1 | 0x800000);
    EXPECT_EQ(all.rawValue(), 15);
    EXPECT_EQ(KeystrokeFormatter::modifierSymbols(all), "⌃⌥⇧⌘");
    EXPECT_EQ(all.eventFlags(), 0x1E0000u);
    EXPECT_TRUE(Modifiers::fromEventFlags(0).isEmpty());

    EXPECT_EQ(KeystrokeFormatter::modifierSymbols(Modifiers::fromWords({"cmd", "shift"})), "⇧⌘");
    EXPECT_EQ(KeystrokeFormatter::modifierSymbols(Modifiers::fromWords({" Command ", "ALT", "hyper"})), "⌥⌘");
    EXPECT_EQ(Modifiers::fromWords({"⌃", "control", "ctrl"}), Modifiers::control);
    EXPECT_EQ(Modifiers::fromWords({"opt", "option", "⌥", "⇧"}), Modifiers::option | Modifiers::shift);
    EXPECT_TRUE(Modifiers::fromWords({}).isEmpty());

    EXPECT_FALSE(Modifiers::shift.hasNonShiftModifier());
    EXPECT_TRUE((Modifiers::shift | Modifiers::option).hasNonShiftModifier());
    Modifiers set = Modifiers::command | Modifiers::shift;
    set.remove(Modifiers::command);
    EXPECT_EQ(set, Modifiers::shift);
    EXPECT_TRUE((Modifiers::command | Modifiers::shift).contains(Modifiers::shift));
}

TEST(KeystrokeFormatterTest, FormatRule)
{
    struct Case {
        std::uint16_t key;
        Modifiers modifiers;
        bool shortcutsOnly;
        bool secure;
        std::optional<KeystrokeFormatter::FormattedKeystroke> expected;
    };
    const Modifiers none;
    const Case cases[] = {
        {0, none, true, false, std::nullopt},
        {0, Modifiers::shift, true, false, std::nullopt},
        {0, none, false, false, KeystrokeFormatter::FormattedKeystroke {"A", false}},
        {21, Modifiers::shift | Modifiers::command, true, false, KeystrokeFormatter::FormattedKeystroke {"⇧⌘4", true}},
        {124, Modifiers::control, true, false, KeystrokeFormatter::FormattedKeystroke {"⌃→", true}},
        {49, none, true, false, KeystrokeFormatter::FormattedKeystroke {"Space", true}},
        {122, none, true, false, KeystrokeFormatter::FormattedKeystroke {"F1", true}},
        {14, Modifiers::option, true, false, KeystrokeFormatter::FormattedKeystroke {"⌥E", true}},
        {55, Modifiers::command, true, false, std::nullopt},
        {83, Modifiers::command, false, false, std::nullopt},
        {200, Modifiers::command, true, false, std::nullopt},
        {8, Modifiers::command, true, true, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeystrokeFormatter::format(c.key, c.modifiers, c.shortcutsOnly, c.secure), c.expected) << c.key;
    }
}

} // namespace
} // namespace tarn::input
