#include "TarnInputCore/Engine/Macros/InputMacroEngine.h"

#include <limits>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

using Issue = MacroValidationIssue;

InputMacro macroWith(std::string name, std::vector<MacroStep> steps)
{
    InputMacro macro;
    macro.name = std::move(name);
    macro.steps = std::move(steps);
    return macro;
}

TEST(InputMacroEngine, BlankNameAndNoSteps)
{
    EXPECT_EQ(InputMacroEngine::validate(macroWith(" \n", {})),
        (std::vector<Issue> {{Issue::EmptyName {}}, {Issue::EmptySteps {}}}));
}

TEST(InputMacroEngine, EveryStepIsExaminedAlsoBeyondTheLimit)
{
    std::vector<MacroStep> steps;
    for (int index = 0; index < 65; ++index) {
        steps.push_back(MacroStep::keystroke(200, {}, "x"));
    }
    const auto issues = InputMacroEngine::validate(macroWith("Many", steps));
    ASSERT_EQ(issues.size(), 66u);
    EXPECT_EQ(issues.front(), (Issue {Issue::TooManySteps {64}}));
    EXPECT_EQ(issues[1], (Issue {Issue::InvalidKeyCode {0, 200}}));
    EXPECT_EQ(issues.back(), (Issue {Issue::InvalidKeyCode {64, 200}}));
    EXPECT_EQ(InputMacroEngine::estimatedDurationMs(macroWith("Many", steps)), 1300);
}

TEST(InputMacroEngine, DurationLimitAndStepIssues)
{
    const auto delays = macroWith("D", {MacroStep::delay(10'000), MacroStep::delay(10'000), MacroStep::delay(10'000)});
    EXPECT_TRUE(InputMacroEngine::isValid(delays));
    auto over = delays;
    over.steps.push_back(MacroStep::keystroke(8, {"cmd"}, "⌘C"));
    EXPECT_EQ(InputMacroEngine::estimatedDurationMs(over), 30'020);
    EXPECT_EQ(InputMacroEngine::validate(over), (std::vector<Issue> {{Issue::TotalDurationTooLong {30'020, 30'000}}}));

    const auto negative = macroWith("N", {MacroStep::delay(-1), MacroStep::typeText(""), MacroStep::typeText("  ")});
    EXPECT_EQ(InputMacroEngine::validate(negative),
        (std::vector<Issue> {{Issue::InvalidDelay {0, -1}}, {Issue::EmptyText {1}}}));
    EXPECT_EQ(InputMacroEngine::estimatedDurationMs(negative), 10);
}

TEST(InputMacroEngine, TextLengthCountsUserPerceivedCharacters)
{
    std::string flags;
    for (int index = 0; index < 500; ++index) {
        flags += "🇹🇷";
    }
    const auto atLimit = macroWith("T", {MacroStep::typeText(flags)});
    EXPECT_TRUE(InputMacroEngine::isValid(atLimit));
    EXPECT_EQ(InputMacroEngine::estimatedDurationMs(atLimit), 2'500);
    const auto tooLong = macroWith("T", {MacroStep::typeText(flags + "a")});
    EXPECT_EQ(InputMacroEngine::validate(tooLong), (std::vector<Issue> {{Issue::TextTooLong {0, 500}}}));
}

TEST(InputMacroEngine, HugeDelaysSaturateInsteadOfOverflowing)
{
    const auto top = std::numeric_limits<std::int64_t>::max();
    const auto huge = macroWith("H", {MacroStep::delay(top), MacroStep::delay(top)});
    EXPECT_EQ(InputMacroEngine::estimatedDurationMs(huge), top);
    const auto issues = InputMacroEngine::validate(huge);
    ASSERT_EQ(issues.size(), 3u);
    EXPECT_EQ(issues.back(), (Issue {Issue::TotalDurationTooLong {top, 30'000}}));
}

TEST(InputMacroEngine, ModifierWords)
{
    EXPECT_EQ(InputMacroEngine::cgEventFlags({" Command ", "ALT", "hyper"}), 0x100000u | 0x80000u);
    EXPECT_EQ(InputMacroEngine::modifierGlyphPrefix({" Command ", "ALT"}), "⌥⌘");
    EXPECT_EQ(InputMacroEngine::modifierGlyphPrefix({"cmd", "shift", "cmd", "⌃"}), "⌃⇧⌘");
    EXPECT_EQ(InputMacroEngine::cgEventFlags({}), 0u);
    EXPECT_EQ(InputMacroEngine::modifierGlyphPrefix({}), "");
}

} // namespace
} // namespace tarn::input
