#include "TarnInputCore/Model/Profiles/AppInputProfile.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "TarnInputCore/Model/Profiles/AppButtonRule.h"

namespace tarn::input {
namespace {

using nlohmann::json;

json ruleDocument()
{
    return json {{"id", "0b6f3a52-9c1e-4f3a-8d2b-6a1c2e3f4a5b"}, {"bundleIdentifier", "com.apple.Safari"},
        {"appDisplayName", "Safari"}, {"button", 3}, {"action", "zoomOut"}, {"isEnabled", true}};
}

TEST(AppInputProfileTest, ProfileWithOnlyABundleIdentifierTakesDefaults)
{
    const auto first = AppInputProfile::fromJson(json {{"bundleIdentifier", "com.example.App"}});
    const auto second = AppInputProfile::fromJson(json {{"bundleIdentifier", "com.example.App"}});
    ASSERT_TRUE(first.hasValue() && second.hasValue());
    EXPECT_EQ(first->bundleIdentifier, "com.example.App");
    EXPECT_EQ(first->appName, "");
    EXPECT_TRUE(first->isEnabled);
    EXPECT_FALSE(
        first->reverseMouseWheelOverride || first->smoothScrollOverride || first->scrollSpeedMultiplierOverride);
    EXPECT_TRUE(first->buttonActionOverrides.empty() && first->macroBindings.empty());
    EXPECT_NE(first->id, second->id);
}

TEST(AppInputProfileTest, OverridesAreWrittenOnlyWhenSetAndMapsUseDecimalKeys)
{
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = "com.example.App";
    profile.buttonActionOverrides = {{3, MouseButtonAction::zoomOut}};
    json document = profile.toJson();
    EXPECT_FALSE(document.contains("scrollSpeedMultiplierOverride"));
    EXPECT_FALSE(document.contains("reverseMouseWheelOverride"));
    EXPECT_EQ(document["buttonActionOverrides"], (json {{"3", "zoomOut"}}));
    EXPECT_EQ(document["macroBindings"], json::object());
    EXPECT_EQ(profile.buttonAction(MouseButtonKind::sideBack), MouseButtonAction::zoomOut);
    EXPECT_FALSE(profile.buttonAction(MouseButtonKind::middle));

    const Uuid macro = Uuid::random();
    profile.macroBindings = {{4, macro}};
    profile.scrollSpeedMultiplierOverride = 1.0;
    profile.smoothScrollOverride = false;
    document = profile.toJson();
    EXPECT_EQ(document["scrollSpeedMultiplierOverride"], 1.0);
    EXPECT_EQ(document["smoothScrollOverride"], false);
    EXPECT_EQ(document["macroBindings"], (json {{"4", macro.toString()}}));
    EXPECT_EQ(profile.macroID(MouseButtonKind::sideForward), macro);
    EXPECT_EQ(AppInputProfile::fromJson(document).value(), profile);
}

TEST(AppInputProfileTest, BadProfileValuesFail)
{
    const std::vector<json> bad {
        json {{"bundleIdentifier", 5}},
        json {{"isEnabled", 1}},
        json {{"reverseMouseWheelOverride", "false"}},
        json {{"scrollSpeedMultiplierOverride", "fast"}},
        json {{"buttonActionOverrides", {{"three", "zoomOut"}}}},
        json {{"buttonActionOverrides", {{"3.0", "zoomOut"}}}},
        json {{"buttonActionOverrides", {{"", "zoomOut"}}}},
        json {{"buttonActionOverrides", {{"3", "ZoomOut"}}}},
        json {{"buttonActionOverrides", {{"3", nullptr}}}},
        json {{"buttonActionOverrides", json::array()}},
        json {{"macroBindings", {{"3", "not-a-uuid"}}}},
        json {{"macroBindings", {{"99999999999999999999", Uuid::random().toString()}}}},
    };
    for (const auto& document : bad) {
        EXPECT_FALSE(AppInputProfile::fromJson(document).hasValue()) << document.dump();
    }
    // Any decimal key is kept; resolution looks only at 2, 3 and 4.
    EXPECT_EQ(AppInputProfile::fromJson(json {{"buttonActionOverrides", {{"-1", "copy"}, {"7", "paste"}}}})
                  ->buttonActionOverrides.size(),
        2u);
}

TEST(AppInputProfileTest, ProfilesDifferingOnlyInMapsAreUnequal)
{
    AppInputProfile a;
    AppInputProfile b = a;
    b.macroBindings[2] = Uuid::random();
    EXPECT_NE(a, b);
    b = a;
    b.buttonActionOverrides[2] = MouseButtonAction::copy;
    EXPECT_NE(a, b);
}

TEST(AppInputProfileTest, RuleRoundTripsAndNeedsEveryKey)
{
    const auto rule = AppButtonRule::fromJson(ruleDocument());
    ASSERT_TRUE(rule.hasValue());
    EXPECT_EQ(rule->button, MouseButtonKind::sideBack);
    EXPECT_EQ(rule->action, MouseButtonAction::zoomOut);
    EXPECT_EQ(rule->toJson()["id"], "0B6F3A52-9C1E-4F3A-8D2B-6A1C2E3F4A5B");
    EXPECT_EQ(AppButtonRule::fromJson(rule->toJson()).value(), rule.value());

    const json complete = ruleDocument();
    for (const auto& [key, value] : complete.items()) {
        json missing = ruleDocument();
        missing.erase(key);
        EXPECT_FALSE(AppButtonRule::fromJson(missing).hasValue()) << "without " << key;
        json null = ruleDocument();
        null[key] = nullptr;
        EXPECT_FALSE(AppButtonRule::fromJson(null).hasValue()) << key << " null";
    }
    for (const json& button : {json(5), json(1), json(3.0), json("3")}) {
        json document = ruleDocument();
        document["button"] = button;
        EXPECT_FALSE(AppButtonRule::fromJson(document).hasValue()) << button.dump();
    }
}

TEST(AppInputProfileTest, RulesWithEqualFieldsButOtherIdentitiesAreUnequal)
{
    AppButtonRule a {Uuid::random(), "x", "X", MouseButtonKind::middle, MouseButtonAction::copy, true};
    AppButtonRule b = a;
    EXPECT_EQ(a, b);
    b.id = Uuid::random();
    EXPECT_NE(a, b);
}

} // namespace
} // namespace tarn::input
