#include "TarnInput/ViewModel/MacroBuilderFormState.h"

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

const MacroKeystroke& keystrokeAt(const MacroBuilderFormState& form, std::size_t index)
{
    return std::get<MacroKeystroke>(form.steps().at(index).kind);
}

InputMacro savedMacro()
{
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = "Copy & Search";
    macro.description = "copies";
    macro.triggerButtonNumber = 4;
    macro.steps = {MacroStep::keystroke(8, {"cmd"}, "⌘C"), MacroStep::delay(120)};
    macro.isEnabled = false;
    return macro;
}

TEST(MacroBuilderFormState, StartsAsAnEmptyNewMacroWithCommandCChosen)
{
    MacroBuilderFormState form;
    EXPECT_FALSE(form.isEditing());
    EXPECT_EQ(form.name(), "");
    EXPECT_EQ(form.triggerButtonTag(), -1);
    EXPECT_TRUE(form.steps().empty());
    EXPECT_EQ(form.selectedKeyCode(), 8);
    EXPECT_EQ(form.delayMs(), 80);
    EXPECT_EQ(form.selectedModifiers(), std::vector<std::string> {"cmd"});
}

TEST(MacroBuilderFormState, KeystrokeStepsTakeModifiersInFixedOrderAndKeepTheChoice)
{
    struct Case {
        bool control, option, shift, command;
        std::uint16_t keyCode;
        std::vector<std::string> modifiers;
        std::string label;
    };
    const std::vector<Case> cases {
        {false, false, false, true, 8, {"cmd"}, "⌘C"},
        {false, false, false, false, 49, {}, "Space"},
        {true, true, true, true, 49, {"ctrl", "opt", "shift", "cmd"}, "⌃⌥⇧⌘Space"},
        {true, false, true, false, 0, {"ctrl", "shift"}, "⌃⇧A"},
        // A code without a symbol (a modifier key) still gets a readable label.
        {false, false, false, true, 55, {"cmd"}, "⌘Key"},
    };
    for (const auto& c : cases) {
        MacroBuilderFormState form;
        form.setUseControl(c.control);
        form.setUseOption(c.option);
        form.setUseShift(c.shift);
        form.setUseCommand(c.command);
        form.setSelectedKeyCode(c.keyCode);
        form.addKeystrokeStep();
        form.addKeystrokeStep();
        ASSERT_EQ(form.steps().size(), 2U) << c.label;
        EXPECT_EQ(keystrokeAt(form, 0), (MacroKeystroke {c.keyCode, c.modifiers, c.label}));
        EXPECT_EQ(keystrokeAt(form, 1), keystrokeAt(form, 0));
        EXPECT_NE(form.steps()[0].id, form.steps()[1].id);
        EXPECT_EQ(form.selectedKeyCode(), c.keyCode);
        EXPECT_EQ(form.useCommand(), c.command);
    }
}

TEST(MacroBuilderFormState, DelayStepsAreHeldToTenThroughTenThousandMilliseconds)
{
    const std::vector<std::pair<std::int64_t, std::int64_t>> cases {
        {5, 10}, {10, 10}, {80, 80}, {10'000, 10'000}, {20'000, 10'000}, {-3, 10}};
    for (const auto& [chosen, stored] : cases) {
        MacroBuilderFormState form;
        form.setDelayMs(chosen);
        form.addDelayStep();
        ASSERT_EQ(form.steps().size(), 1U);
        EXPECT_EQ(std::get<MacroDelay>(form.steps()[0].kind).milliseconds, stored) << chosen;
        EXPECT_EQ(form.delayMs(), chosen);
    }
}

TEST(MacroBuilderFormState, TypedTextIsAddedUntrimmedAndEmptiedButEmptyTextAddsNothing)
{
    MacroBuilderFormState form;
    int notices = 0;
    form.setOnChanged([&notices] { ++notices; });
    form.addTypeTextStep();
    EXPECT_TRUE(form.steps().empty());
    EXPECT_EQ(notices, 0);
    form.setTypeTextInput("   ");
    form.addTypeTextStep();
    ASSERT_EQ(form.steps().size(), 1U);
    EXPECT_EQ(std::get<MacroTypeText>(form.steps()[0].kind).text, "   ");
    EXPECT_EQ(form.typeTextInput(), "");
}

TEST(MacroBuilderFormState, RemovingAStepKeepsTheOthersInOrder)
{
    MacroBuilderFormState form;
    form.addKeystrokeStep();
    form.addDelayStep();
    form.setTypeTextInput("hi");
    form.addTypeTextStep();
    const auto first = form.steps()[0];
    const auto last = form.steps()[2];
    form.removeStep(Uuid::random());
    EXPECT_EQ(form.steps().size(), 3U);
    form.removeStep(form.steps()[1].id);
    EXPECT_EQ(form.steps(), (std::vector<MacroStep> {first, last}));
}

TEST(MacroBuilderFormState, TheTriggerTagNamesAButtonOnlyFromTwoUp)
{
    const std::vector<std::pair<std::int64_t, std::optional<std::int64_t>>> cases {
        {-1, std::nullopt}, {0, std::nullopt}, {1, std::nullopt}, {2, 2}, {3, 3}, {4, 4}};
    for (const auto& [tag, number] : cases) {
        MacroBuilderFormState form;
        form.setTriggerButtonTag(tag);
        EXPECT_EQ(form.triggerButtonNumber(), number) << tag;
        EXPECT_EQ(form.buildDraftMacro().triggerButtonNumber, number) << tag;
    }
}

TEST(MacroBuilderFormState, DraftsAreTrimmedEnabledAndNewOnesGetAFreshIdentityEachTime)
{
    MacroBuilderFormState form;
    form.setName("  Paste\n");
    form.setDescriptionText("\t twice ");
    form.addKeystrokeStep();
    const auto draft = form.buildDraftMacro();
    EXPECT_EQ(draft.name, "Paste");
    EXPECT_EQ(draft.description, "twice");
    EXPECT_TRUE(draft.isEnabled);
    EXPECT_EQ(draft.steps, form.steps());
    EXPECT_NE(form.buildDraftMacro().id, draft.id);
    EXPECT_EQ(form.name(), "  Paste\n");

    form.setName("   ");
    EXPECT_EQ(form.buildDraftMacro().name, "");
}

TEST(MacroBuilderFormState, EditingLoadsTheMacroAndItsDraftsKeepItsIdentityButComeBackEnabled)
{
    MacroBuilderFormState form;
    form.setSelectedKeyCode(49);
    form.setDelayMs(250);
    form.addDelayStep();
    const auto saved = savedMacro();
    form.loadForEditing(saved);
    EXPECT_EQ(form.editingMacroID(), saved.id);
    EXPECT_EQ(form.name(), saved.name);
    EXPECT_EQ(form.descriptionText(), saved.description);
    EXPECT_EQ(form.triggerButtonTag(), 4);
    EXPECT_EQ(form.steps(), saved.steps);
    EXPECT_EQ(form.selectedKeyCode(), 49);
    EXPECT_EQ(form.delayMs(), 250);

    auto expected = saved;
    expected.isEnabled = true;
    EXPECT_EQ(form.buildDraftMacro(), expected);
    EXPECT_EQ(form.buildDraftMacro().id, saved.id);

    auto unbound = saved;
    unbound.triggerButtonNumber.reset();
    form.loadForEditing(unbound);
    EXPECT_EQ(form.triggerButtonTag(), -1);
}

TEST(MacroBuilderFormState, ResetReturnsToANewMacroButKeepsTheStepInputChoices)
{
    MacroBuilderFormState form;
    form.setUseShift(true);
    form.setUseCommand(false);
    form.setSelectedKeyCode(0);
    form.setDelayMs(500);
    form.setTypeTextInput("pending");
    form.loadForEditing(savedMacro());
    form.reset();
    EXPECT_FALSE(form.isEditing());
    EXPECT_EQ(form.name(), "");
    EXPECT_EQ(form.descriptionText(), "");
    EXPECT_EQ(form.typeTextInput(), "");
    EXPECT_EQ(form.triggerButtonTag(), -1);
    EXPECT_TRUE(form.steps().empty());
    EXPECT_EQ(form.selectedModifiers(), std::vector<std::string> {"shift"});
    EXPECT_EQ(form.selectedKeyCode(), 0);
    EXPECT_EQ(form.delayMs(), 500);
}

} // namespace
} // namespace tarn::input
