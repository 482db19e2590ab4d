#include "TarnInputCore/Model/Macros/MacroStep.h"

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

TEST(MacroStepTest, ConstructorsStoreTheirArgumentsWithFreshIdentities)
{
    const auto a = MacroStep::delay(-40);
    const auto b = MacroStep::delay(-40);
    EXPECT_NE(a.id, b.id);
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(std::get<MacroDelay>(a.kind).milliseconds, -40);
    EXPECT_EQ(MacroStep::keystroke(300, {"hyper"}, "x").kind, (MacroStepKind {MacroKeystroke {300, {"hyper"}, "x"}}));
}

TEST(MacroStepTest, KeystrokeBadgeIsTheTrimmedLabelOrTheGlyphsAndSymbol)
{
    EXPECT_EQ(MacroStep::keystroke(8, {"cmd"}, " ⌘C\n").displayBadge(), "⌘C");
    EXPECT_EQ(MacroStep::keystroke(53, {"opt"}, "  ").displayBadge(), "⌥⎋");
    EXPECT_EQ(MacroStep::keystroke(21, {"cmd", " SHIFT ", "ctrl", "alt"}, "").displayBadge(), "⌃⌥⇧⌘4");
    EXPECT_EQ(MacroStep::keystroke(49, {}, "").displayBadge(), "Space");
    EXPECT_EQ(MacroStep::keystroke(60, {"cmd"}, "").displayBadge(), "⌘Key(60)");
    EXPECT_EQ(MacroStep::keystroke(4000, {}, "\t").displayBadge(), "Key(4000)");
}

TEST(MacroStepTest, DelayBadgeIsMillisecondsUnclamped)
{
    EXPECT_EQ(MacroStep::delay(70).displayBadge(), "70 ms");
    EXPECT_EQ(MacroStep::delay(1500).displayBadge(), "1500 ms");
    EXPECT_EQ(MacroStep::delay(-3).displayBadge(), "-3 ms");
}

TEST(MacroStepTest, TextBadgeCutsAtEighteenUserPerceivedCharacters)
{
    EXPECT_EQ(MacroStep::typeText("").displayBadge(), "\"\"");
    EXPECT_EQ(MacroStep::typeText(" hi ").displayBadge(), "\" hi \"");
    EXPECT_EQ(MacroStep::typeText("abcdefghijklmnopqr").displayBadge(), "\"abcdefghijklmnopqr\"");
    EXPECT_EQ(MacroStep::typeText("abcdefghijklmnopqrs").displayBadge(), "\"abcdefghijklmnopqr…\"");

    // A family emoji and a flag are one character each, a combining accent belongs to its letter.
    const std::string family = "👨‍👩‍👧";
    const std::string flag = "🇹🇷";
    const std::string accented = "e\u0301";
    std::string eighteen;
    for (int i = 0; i < 6; ++i) {
        eighteen += family + flag + accented;
    }
    EXPECT_EQ(MacroStep::typeText(eighteen).displayBadge(), "\"" + eighteen + "\"");
    EXPECT_EQ(MacroStep::typeText(eighteen + "ü").displayBadge(), "\"" + eighteen + "…\"");
}

} // namespace
} // namespace tarn::input
