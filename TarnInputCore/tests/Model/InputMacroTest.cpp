#include "TarnInputCore/Model/Macros/InputMacro.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tarn::input {
namespace {

using nlohmann::json;

TEST(InputMacroTest, EmptyObjectAndNullsReadAsDefaults)
{
    for (const json& document : {json::object(),
             json {{"id", nullptr}, {"name", nullptr}, {"description", nullptr}, {"triggerButtonNumber", nullptr},
                 {"steps", nullptr}, {"isEnabled", nullptr}}}) {
        const auto macro = InputMacro::fromJson(document);
        ASSERT_TRUE(macro.hasValue());
        EXPECT_EQ(macro->name, "Macro");
        EXPECT_EQ(macro->description, "");
        EXPECT_FALSE(macro->triggerButtonNumber);
        EXPECT_TRUE(macro->steps.empty());
        EXPECT_TRUE(macro->isEnabled);
        EXPECT_NE(macro->id, Uuid {});
    }
    EXPECT_NE(InputMacro::fromJson(json::object())->id, InputMacro::fromJson(json::object())->id);
}

TEST(InputMacroTest, RoundTripWritesTriggerOnlyWhenSetAndIdentitiesUpperCase)
{
    InputMacro macro {Uuid::random(), "Paste", "twice", std::nullopt,
        {MacroStep::keystroke(9, {"cmd", "shift"}, "⇧⌘V"), MacroStep::delay(-5), MacroStep::typeText("çok güzel")},
        false};
    json document = macro.toJson();
    EXPECT_FALSE(document.contains("triggerButtonNumber"));
    EXPECT_EQ(document["id"], macro.id.toString());
    EXPECT_EQ(InputMacro::fromJson(document).value(), macro);

    macro.triggerButtonNumber = 4;
    document = macro.toJson();
    EXPECT_EQ(document["triggerButtonNumber"], 4);
    EXPECT_EQ(document["steps"][1]["kind"], (json {{"delayMs", {{"_0", -5}}}}));
    EXPECT_EQ(document["steps"][2]["kind"], (json {{"typeText", {{"_0", "çok güzel"}}}}));
    EXPECT_EQ(document["steps"][0]["kind"],
        (json {{"keystroke", {{"keyCode", 9}, {"modifiers", {"cmd", "shift"}}, {"label", "⇧⌘V"}}}}));
    EXPECT_EQ(InputMacro::fromJson(document).value(), macro);

    // Identities are read in either case.
    const std::string upper = macro.id.toString();
    std::string lower = upper;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return c >= 'A' && c <= 'F' ? c + 32 : c; });
    document["id"] = lower;
    EXPECT_EQ(InputMacro::fromJson(document)->id, macro.id);
}

TEST(InputMacroTest, StepWithoutIdentityGetsAFreshOneOnEveryLoad)
{
    const json step {{"kind", {{"delayMs", {{"_0", 40}}}}}};
    const auto first = MacroStep::fromJson(step);
    const auto second = MacroStep::fromJson(step);
    ASSERT_TRUE(first.hasValue() && second.hasValue());
    EXPECT_NE(first->id, second->id);
    EXPECT_EQ(first->kind, MacroStepKind {MacroDelay {40}});

    EXPECT_FALSE(MacroStep::fromJson(json {{"id", Uuid::random().toString()}}).hasValue());
    EXPECT_FALSE(MacroStep::fromJson(json {{"kind", nullptr}}).hasValue());
}

TEST(InputMacroTest, StepKindNeedsExactlyOneCaseKey)
{
    const auto both = macroStepKindFromJson(json {{"delayMs", {{"_0", 1}}}, {"typeText", {{"_0", "x"}}}});
    ASSERT_FALSE(both.hasValue());
    EXPECT_EQ(both.error().message, "Invalid number of keys found, expected one.");
    EXPECT_FALSE(macroStepKindFromJson(json::object()).hasValue());

    const auto withExtra = macroStepKindFromJson(json {{"delayMs", {{"_0", 1}}}, {"sparkle", true}});
    ASSERT_TRUE(withExtra.hasValue());
    EXPECT_EQ(withExtra.value(), MacroStepKind {MacroDelay {1}});
}

TEST(InputMacroTest, StepKindValuesAreReadStrictly)
{
    const auto keystroke = [](json keyCode) {
        return json {{"keystroke", {{"keyCode", keyCode}, {"modifiers", json::array()}, {"label", ""}}}};
    };
    EXPECT_TRUE(macroStepKindFromJson(keystroke(0)).hasValue());
    EXPECT_EQ(std::get<MacroKeystroke>(macroStepKindFromJson(keystroke(65535)).value()).keyCode, 65535);

    const std::vector<json> bad {
        keystroke(65536),
        keystroke(-1),
        keystroke(8.0),
        keystroke("8"),
        keystroke(true),
        keystroke(nullptr),
        json {{"keystroke", {{"keyCode", 8}, {"label", "x"}}}},
        json {{"keystroke", {{"keyCode", 8}, {"modifiers", {"cmd", 1}}, {"label", "x"}}}},
        json {{"keystroke", {{"keyCode", 8}, {"modifiers", json::array()}}}},
        json {{"keystroke", nullptr}},
        json {{"delayMs", {{"_0", 1.5}}}},
        json {{"delayMs", {{"_0", "70"}}}},
        json {{"delayMs", json::object()}},
        json {{"delayMs", 70}},
        json {{"typeText", {{"_0", 3}}}},
        json {{"typeText", {{"text", "hi"}}}},
        json::array(),
    };
    for (const auto& document : bad) {
        EXPECT_FALSE(macroStepKindFromJson(document).hasValue()) << document.dump();
    }
}

TEST(InputMacroTest, WrongTypesFailTheMacro)
{
    const std::vector<json> bad {
        json {{"name", 3}},
        json {{"description", false}},
        json {{"triggerButtonNumber", "3"}},
        json {{"triggerButtonNumber", 3.0}},
        json {{"steps", json::object()}},
        json {{"steps", {nullptr}}},
        json {{"isEnabled", "yes"}},
        json {{"id", "1234"}},
        json {{"id", 5}},
        json::array(),
    };
    for (const auto& document : bad) {
        EXPECT_FALSE(InputMacro::fromJson(document).hasValue()) << document.dump();
    }
    // Numbers outside the buttons the engine knows are the engine's business, not the file's.
    EXPECT_EQ(InputMacro::fromJson(json {{"triggerButtonNumber", 12}})->triggerButtonNumber, 12);
    EXPECT_TRUE(InputMacro::fromJson(json {{"unknown", 1}}).hasValue());
}

} // namespace
} // namespace tarn::input
