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

TEST(MacroStepTest, LinuxBadgeNamesTheKeysPressedUnlessTheUserWroteTheLabel)
{
    const struct {
        MacroStep step;
        bool turkish;
        std::string badge;
    } cases[] = {
        // The builder's and the presets' own glyphs, or no label: the keys the macro presses.
        {MacroStep::keystroke(8, {"cmd"}, "⌘C"), false, "Ctrl+C"},
        {MacroStep::keystroke(1, {"ctrl", "opt", "shift", "cmd"}, "⌃⌥⇧⌘S"), false, "Ctrl+Alt+Shift+Super+S"},
        {MacroStep::keystroke(49, {"cmd"}, " ⌘Space "), false, "Super"},
        {MacroStep::keystroke(21, {"cmd", "shift"}, "⇧⌘4"), false, "Shift+Print"},
        {MacroStep::keystroke(53, {"opt"}, "  "), false, "Alt+Esc"},
        {MacroStep::keystroke(51, {"cmd"}, ""), false, "Ctrl+Backspace"},
        {MacroStep::keystroke(49, {"shift", "cmd"}, "⇧⌘Space"), true, "Ctrl+Shift+Boşluk"},
        {MacroStep::keystroke(123, {"ctrl"}, "⌃←"), true, "Ctrl+Alt+Sol"},
        {MacroStep::keystroke(60, {"cmd"}, "⌘Key"), false, "Ctrl+Key(60)"},
        // A label the user wrote, also one in glyphs that do not match the step's keys.
        {MacroStep::keystroke(8, {"cmd"}, " Copy "), false, "Copy"},
        {MacroStep::keystroke(8, {"cmd"}, "⌘V"), false, "⌘V"},
        // Delays and text as ever.
        {MacroStep::delay(70), true, "70 ms"},
        {MacroStep::typeText("⌘ hello"), false, "\"⌘ hello\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.step.linuxBadge(c.turkish), c.badge) << c.step.displayBadge();
    }
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
