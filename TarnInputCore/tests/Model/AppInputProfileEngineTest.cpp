#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"

#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "TarnInputCore/Model/Profiles/ButtonActionResolver.h"
#include "TarnInputCore/Model/Profiles/ScrollExclusionMatcher.h"

namespace tarn::input {
namespace {

using enum MouseButtonAction;

AppInputProfile profileFor(std::string bundleIdentifier, std::string appName = "App")
{
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = std::move(bundleIdentifier);
    profile.appName = std::move(appName);
    return profile;
}

AppButtonRule ruleFor(
    std::string bundleIdentifier, MouseButtonKind button, MouseButtonAction action, bool isEnabled = true)
{
    return AppButtonRule {Uuid::random(), std::move(bundleIdentifier), "App", button, action, isEnabled};
}

InputMacro macroOn(std::int64_t trigger, bool isEnabled = true)
{
    return InputMacro {Uuid::random(), "m", "", trigger, {MacroStep::delay(1)}, isEnabled};
}

// The frontmost application as its workspace reports it; none for no text.
std::optional<ApplicationId> frontmost(const std::optional<std::string>& bundleID)
{
    return bundleID ? std::optional<ApplicationId>(std::in_place, *bundleID) : std::nullopt;
}

EffectiveInputResolution resolveFor(const std::optional<std::string>& bundleID, const InputSettings& settings)
{
    return AppInputProfileEngine::resolve(frontmost(bundleID), std::string("Name"), settings);
}

TEST(AppInputProfileEngineTest, DefaultsWithoutAProfileGiveTheGlobalValues)
{
    const auto resolution = resolveFor("com.example.Editor", InputSettings {});
    EXPECT_FALSE(resolution.isUsingAppProfile());
    EXPECT_FALSE(resolution.matchedProfileName);
    EXPECT_TRUE(resolution.reverseMouseWheel);
    EXPECT_TRUE(resolution.smoothScrollEnabled);
    EXPECT_DOUBLE_EQ(resolution.scrollSpeedMultiplier, 1.35);
    EXPECT_EQ(resolution.buttonActions,
        (std::map<std::int64_t, MouseButtonAction> {{2, missionControl}, {3, browserBack}, {4, browserForward}}));
    EXPECT_TRUE(resolution.macroBindings.empty());
    EXPECT_EQ(resolution.frontmostAppName, "Name");
}

TEST(AppInputProfileEngineTest, ProfileMatchIgnoresCaseAndSurroundingWhiteSpaceOnBothSides)
{
    InputSettings settings;
    auto profile = profileFor("  COM.Example.Editor\n", "Editor");
    profile.reverseMouseWheelOverride = false;
    settings.appProfiles = {profile};

    const auto resolution = resolveFor(" com.example.EDITOR\t\n", settings);
    EXPECT_EQ(resolution.matchedProfileID, profile.id);
    EXPECT_EQ(resolution.matchedProfileName, "Editor");
    EXPECT_FALSE(resolution.reverseMouseWheel);
    // The identifier is kept exactly as passed.
    EXPECT_EQ(resolution.frontmostBundleID, " com.example.EDITOR\t\n");

    // Full Unicode lower-casing, not ASCII only, and never the user's locale: "I" is "i", not "ı".
    settings.appProfiles = {profileFor("ÇAĞRI.app")};
    EXPECT_TRUE(resolveFor("çağri.APP", settings).isUsingAppProfile());
    EXPECT_FALSE(resolveFor("çağrı.app", settings).isUsingAppProfile());
}

TEST(AppInputProfileEngineTest, FirstEnabledProfileWins)
{
    auto first = profileFor("com.example.Editor", "first");
    auto second = profileFor("com.example.editor", "second");
    InputSettings settings;
    settings.appProfiles = {first, second};
    EXPECT_EQ(resolveFor("com.example.editor", settings).matchedProfileName, "first");

    settings.appProfiles[0].isEnabled = false;
    EXPECT_EQ(resolveFor("com.example.editor", settings).matchedProfileName, "second");
}

TEST(AppInputProfileEngineTest, EmptyOrAbsentIdentifierMatchesNothingAndConsultsNoRule)
{
    InputSettings settings;
    settings.appProfiles = {profileFor("")};
    settings.appOverrides = {ruleFor("", MouseButtonKind::middle, copy)};
    settings.smoothScrollExcludedBundles = {""};
    for (const auto& bundleID :
        {std::optional<std::string>(), std::optional<std::string>(""), std::optional<std::string>("  ")}) {
        const auto resolution = resolveFor(bundleID, settings);
        EXPECT_FALSE(resolution.isUsingAppProfile());
        EXPECT_TRUE(resolution.smoothScrollEnabled);
    }
    EXPECT_EQ(resolveFor(std::nullopt, settings).action(MouseButtonKind::middle), missionControl);
    EXPECT_EQ(resolveFor("", settings).action(MouseButtonKind::middle), missionControl);
}

TEST(AppInputProfileEngineTest, SmoothingExclusionAndProfileOverride)
{
    InputSettings settings;
    EXPECT_FALSE(resolveFor("com.figma.Desktop", settings).smoothScrollEnabled);
    EXPECT_TRUE(resolveFor("com.other.App", settings).smoothScrollEnabled);

    auto figma = profileFor("com.figma.Desktop");
    figma.smoothScrollOverride = true;
    settings.appProfiles = {figma};
    EXPECT_TRUE(resolveFor("com.figma.Desktop", settings).smoothScrollEnabled);

    // A profile without a smoothing choice leaves the exclusion list in force.
    settings.appProfiles[0].smoothScrollOverride.reset();
    EXPECT_FALSE(resolveFor("com.figma.Desktop", settings).smoothScrollEnabled);

    settings.appProfiles.clear();
    settings.smoothScrollEnabled = false;
    EXPECT_FALSE(resolveFor("com.other.App", settings).smoothScrollEnabled);
}

// Entries are trimmed and lower-cased; the identifier asked about is only lower-cased.
TEST(AppInputProfileEngineTest, ExclusionTrimsItsEntriesButNotTheIdentifier)
{
    InputSettings settings;
    settings.smoothScrollExcludedBundles = {"  COM.Example.Paint \n", "   "};
    EXPECT_TRUE(ScrollExclusionMatcher::isExcluded(frontmost("com.example.paint"), settings));
    EXPECT_TRUE(ScrollExclusionMatcher::isExcluded(frontmost("COM.EXAMPLE.PAINT"), settings));
    EXPECT_FALSE(ScrollExclusionMatcher::isExcluded(frontmost(" com.example.paint"), settings));
    EXPECT_FALSE(ScrollExclusionMatcher::isExcluded(frontmost("com.example.paint\n"), settings));
    EXPECT_FALSE(ScrollExclusionMatcher::isExcluded(frontmost(std::nullopt), settings));
    EXPECT_FALSE(ScrollExclusionMatcher::isExcluded(frontmost(""), settings));

    settings.smoothScrollExcludedBundles = {"com.figma.Desktop"};
    EXPECT_FALSE(ScrollExclusionMatcher::isExcluded(frontmost(" com.figma.Desktop"), settings));
    // The profile matcher trims the same identifier, so a profile still matches it.
    settings.appProfiles = {profileFor("com.figma.Desktop")};
    const auto resolution = resolveFor(" com.figma.Desktop", settings);
    EXPECT_TRUE(resolution.isUsingAppProfile());
    EXPECT_TRUE(resolution.smoothScrollEnabled);
}

TEST(AppInputProfileEngineTest, SpeedIsBoundedAfterChoosingItsSource)
{
    InputSettings settings;
    EXPECT_DOUBLE_EQ(resolveFor("a", settings).scrollSpeedMultiplier, 1.35);
    settings.scrollSpeedMultiplier = 9;
    EXPECT_DOUBLE_EQ(resolveFor("a", settings).scrollSpeedMultiplier, 4.0);
    settings.scrollSpeedMultiplier = 0.4;
    EXPECT_DOUBLE_EQ(resolveFor("a", settings).scrollSpeedMultiplier, 0.4);
    settings.scrollSpeedMultiplier = std::numeric_limits<double>::quiet_NaN();
    EXPECT_DOUBLE_EQ(resolveFor("a", settings).scrollSpeedMultiplier, 0.4);

    auto profile = profileFor("a");
    profile.scrollSpeedMultiplierOverride = 0.1;
    settings.appProfiles = {profile};
    EXPECT_DOUBLE_EQ(resolveFor("a", settings).scrollSpeedMultiplier, 0.4);
    settings.appProfiles[0].scrollSpeedMultiplierOverride = 1.0;
    EXPECT_DOUBLE_EQ(resolveFor("a", settings).scrollSpeedMultiplier, 1.0);
}

// Profile override > per-application rule > global action.
TEST(AppInputProfileEngineTest, ButtonPrecedenceIsProfileThenRuleThenGlobal)
{
    InputSettings settings;
    settings.appOverrides = {ruleFor("com.apple.Safari", MouseButtonKind::sideBack, zoomOut)};
    auto safari = profileFor("com.apple.Safari");
    safari.buttonActionOverrides = {{2, closeTab}};
    settings.appProfiles = {safari};

    auto resolution = resolveFor("com.apple.Safari", settings);
    EXPECT_EQ(resolution.action(MouseButtonKind::middle), closeTab);
    EXPECT_EQ(resolution.action(MouseButtonKind::sideBack), zoomOut);
    EXPECT_EQ(resolution.action(MouseButtonKind::sideForward), browserForward);

    settings.appProfiles[0].buttonActionOverrides[3] = newTab;
    EXPECT_EQ(resolveFor("com.apple.Safari", settings).action(MouseButtonKind::sideBack), newTab);

    // Keys other than 2, 3 and 4 never reach the result.
    settings.appProfiles[0].buttonActionOverrides[7] = copy;
    EXPECT_EQ(resolveFor("com.apple.Safari", settings).buttonActions.size(), 3u);
}

TEST(AppInputProfileEngineTest, RulesMatchLowerCasedUntrimmedAndSkipDisabledOnes)
{
    InputSettings settings;
    settings.appOverrides = {
        ruleFor("com.apple.safari", MouseButtonKind::middle, copy, false),
        ruleFor("COM.APPLE.SAFARI", MouseButtonKind::middle, paste),
        ruleFor("com.apple.Safari", MouseButtonKind::middle, newTab),
        ruleFor(" com.apple.Other", MouseButtonKind::middle, copy),
    };
    const auto action = [&settings](std::optional<std::string> bundleID) {
        return ButtonActionResolver::resolveAction(MouseButtonKind::middle, frontmost(bundleID), settings);
    };
    EXPECT_EQ(action("com.apple.Safari"), paste);
    EXPECT_EQ(action(" com.apple.Safari"), missionControl);
    EXPECT_EQ(action("com.apple.other"), missionControl);
    EXPECT_EQ(action(" com.apple.other"), copy);
    EXPECT_EQ(ButtonActionResolver::resolveAction(MouseButtonKind::sideBack, frontmost("com.apple.Safari"), settings),
        browserBack);

    settings.appOverrides.erase(settings.appOverrides.begin() + 1);
    EXPECT_EQ(action("com.apple.Safari"), newTab);
    settings.appOverrides.erase(settings.appOverrides.begin() + 1);
    EXPECT_EQ(action("com.apple.Safari"), missionControl);
}

TEST(AppInputProfileEngineTest, EngineOrRemapOffPassesEveryButtonThroughAndBindsNoMacro)
{
    InputSettings base;
    auto profile = profileFor("a");
    profile.buttonActionOverrides = {{2, copy}, {3, copy}, {4, copy}};
    profile.macroBindings = {{3, Uuid::random()}};
    base.appProfiles = {profile};
    base.macros = {macroOn(2)};
    base.appOverrides = {ruleFor("a", MouseButtonKind::sideForward, paste)};

    for (const bool engineOn : {false, true}) {
        InputSettings settings = base;
        settings.engineEnabled = engineOn;
        settings.buttonRemapEnabled = !engineOn;
        const auto resolution = resolveFor("a", settings);
        EXPECT_EQ(resolution.buttonActions,
            (std::map<std::int64_t, MouseButtonAction> {{2, passthrough}, {3, passthrough}, {4, passthrough}}));
        EXPECT_TRUE(resolution.macroBindings.empty());
        EXPECT_TRUE(resolution.isUsingAppProfile());
        EXPECT_EQ(
            ButtonActionResolver::resolveAction(MouseButtonKind::sideForward, frontmost("a"), settings), passthrough);
    }
}

TEST(AppInputProfileEngineTest, FirstEnabledMacroPerTriggerThenProfileBindingsReplace)
{
    InputSettings settings;
    const auto disabled = macroOn(3, false);
    const auto first = macroOn(3);
    const auto second = macroOn(3);
    const auto unbound = InputMacro {Uuid::random(), "u", "", std::nullopt, {}, true};
    const auto odd = macroOn(9);
    settings.macros = {disabled, unbound, first, second, odd};

    auto resolution = resolveFor("a", settings);
    EXPECT_EQ(resolution.macroBindings, (std::map<std::int64_t, Uuid> {{3, first.id}, {9, odd.id}}));
    EXPECT_EQ(resolution.macroID(MouseButtonKind::sideBack), first.id);
    EXPECT_FALSE(resolution.macroID(MouseButtonKind::middle));

    // Bindings are copied unchecked, even to a macro that does not exist.
    auto profile = profileFor("a");
    const Uuid third = Uuid::random();
    const Uuid missing = Uuid::random();
    profile.macroBindings = {{3, third}, {4, missing}};
    settings.appProfiles = {profile};
    resolution = resolveFor("a", settings);
    EXPECT_EQ(resolution.macroBindings, (std::map<std::int64_t, Uuid> {{3, third}, {4, missing}, {9, odd.id}}));
}

TEST(AppInputProfileEngineTest, ExplicitListsReplaceThoseOfTheSettings)
{
    InputSettings settings;
    settings.appProfiles = {profileFor("a", "from settings")};
    settings.macros = {macroOn(2)};
    const std::vector<AppInputProfile> profiles {profileFor("a", "given")};
    const std::vector<InputMacro> macros;
    const auto resolution
        = AppInputProfileEngine::resolve(ApplicationId("a"), std::nullopt, settings, &profiles, &macros);
    EXPECT_EQ(resolution.matchedProfileName, "given");
    EXPECT_TRUE(resolution.macroBindings.empty());
}

TEST(AppInputProfileEngineTest, HandMadeResolutionWithoutAnEntryPassesThrough)
{
    EffectiveInputResolution resolution;
    resolution.buttonActions = {{3, copy}};
    EXPECT_EQ(resolution.action(MouseButtonKind::middle), passthrough);
    EXPECT_EQ(resolution.action(MouseButtonKind::sideBack), copy);
}

TEST(AppInputProfileEngineTest, BuiltInTemplates)
{
    const auto templates = AppInputProfileEngine::builtInTemplates();
    ASSERT_EQ(templates.size(), 5u);
    struct Expected {
        std::string name;
        std::string bundle;
        std::optional<bool> reverse;
        bool smooth;
        double speed;
        MouseButtonAction middle, back, forward;
    };
    const std::vector<Expected> expected {
        {"Xcode", "com.apple.dt.Xcode", std::nullopt, true, 1.5, missionControl, browserBack, browserForward},
        {"VS Code", "com.microsoft.VSCode", std::nullopt, true, 1.6, closeTab, browserBack, browserForward},
        {"Figma", "com.figma.Desktop", false, false, 1.0, passthrough, zoomOut, zoomIn},
        {"Google Chrome", "com.google.Chrome", std::nullopt, true, 1.4, closeTab, browserBack, browserForward},
        {"Safari", "com.apple.Safari", std::nullopt, true, 1.35, closeTab, browserBack, browserForward},
    };
    for (std::size_t index = 0; index < expected.size(); ++index) {
        const auto& profile = templates[index];
        const auto& row = expected[index];
        EXPECT_EQ(profile.appName, row.name);
        EXPECT_EQ(profile.bundleIdentifier, row.bundle);
        EXPECT_TRUE(profile.isEnabled);
        EXPECT_EQ(profile.reverseMouseWheelOverride, row.reverse);
        EXPECT_EQ(profile.smoothScrollOverride, row.smooth);
        EXPECT_EQ(profile.scrollSpeedMultiplierOverride, row.speed);
        EXPECT_EQ(profile.buttonActionOverrides,
            (std::map<std::int64_t, MouseButtonAction> {{2, row.middle}, {3, row.back}, {4, row.forward}}));
        EXPECT_TRUE(profile.macroBindings.empty());
    }

    // Fresh identities on every call, everything else equal.
    auto again = AppInputProfileEngine::builtInTemplates();
    for (std::size_t index = 0; index < again.size(); ++index) {
        EXPECT_NE(again[index].id, templates[index].id);
        again[index].id = templates[index].id;
    }
    EXPECT_EQ(again, templates);

    // Once added, the Figma template keeps the wheel unreversed and smoothing off, and its speed
    // is used as it is.
    InputSettings settings;
    settings.appProfiles = {templates[2]};
    const auto figma = resolveFor("com.figma.Desktop", settings);
    EXPECT_FALSE(figma.reverseMouseWheel);
    EXPECT_FALSE(figma.smoothScrollEnabled);
    EXPECT_DOUBLE_EQ(figma.scrollSpeedMultiplier, 1.0);
    EXPECT_EQ(figma.action(MouseButtonKind::middle), passthrough);
}

} // namespace
} // namespace tarn::input
