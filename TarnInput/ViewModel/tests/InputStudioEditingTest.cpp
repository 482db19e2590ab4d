#include <functional>

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"

namespace tarn::input::testing {
namespace {

using namespace std::chrono_literals;

const std::vector<std::string> kDefaultExclusions = InputSettings {}.smoothScrollExcludedBundles;

InputMacro macroNamed(const std::string& name, std::optional<std::int64_t> trigger = std::nullopt)
{
    InputMacro macro;
    macro.id = Uuid::random();
    macro.name = name;
    macro.triggerButtonNumber = trigger;
    macro.steps = {MacroStep::keystroke(8, {"cmd"}, "⌘C")};
    return macro;
}

AppInputProfile profileFor(const std::string& bundleID, const std::string& name)
{
    AppInputProfile profile;
    profile.id = Uuid::random();
    profile.bundleIdentifier = bundleID;
    profile.appName = name;
    return profile;
}

// A view model started over a settings file that holds `settings`.
InputStudioViewModel& startWith(StudioHarness& h, const InputSettings& settings)
{
    h.writeSettingsFile(settings);
    return h.start();
}

TEST(InputStudioEditing, ScrollExclusionsAreTrimmedComparedWithoutCaseAndRemovedExactly)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.addScrollExclusion("  org.gimp.GIMP \n");
    auto expected = kDefaultExclusions;
    expected.push_back("org.gimp.GIMP");
    EXPECT_EQ(h.storedSettings().smoothScrollExcludedBundles, expected);

    const auto before = h.settingsFileText();
    h.advance(3s); // the first toast is gone
    for (const auto* typed : {"ORG.GIMP.gimp", "   ", ""}) {
        vm.addScrollExclusion(typed);
        EXPECT_EQ(h.settingsFileText(), before) << typed;
        EXPECT_FALSE(vm.toastMessage()) << typed;
    }

    std::filesystem::remove(h.settingsFile());
    vm.removeScrollExclusion("org.gimp.gimp");
    EXPECT_EQ(h.storedSettings().smoothScrollExcludedBundles, expected) << "other case removes nothing but saves";

    vm.removeScrollExclusion("org.gimp.GIMP");
    EXPECT_EQ(h.storedSettings().smoothScrollExcludedBundles, kDefaultExclusions);
    EXPECT_FALSE(vm.toastMessage());
}

TEST(InputStudioEditing, AppRulesUseTheIDAsNameWhenNoneIsGivenAndAllowTwins)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.addAppRule(" org.gnome.Nautilus ", "  ", MouseButtonKind::sideBack, MouseButtonAction::copy);
    vm.addAppRule("org.gnome.Nautilus", "", MouseButtonKind::sideBack, MouseButtonAction::copy);
    vm.addAppRule(" ", "Nothing", MouseButtonKind::middle, MouseButtonAction::paste);

    const auto rules = h.storedSettings().appOverrides;
    ASSERT_EQ(rules.size(), 2U);
    EXPECT_EQ(rules[0].bundleIdentifier, "org.gnome.Nautilus");
    EXPECT_EQ(rules[0].appDisplayName, "org.gnome.Nautilus");
    EXPECT_EQ(rules[0].button, MouseButtonKind::sideBack);
    EXPECT_EQ(rules[0].action, MouseButtonAction::copy);
    EXPECT_TRUE(rules[0].isEnabled);
    EXPECT_NE(rules[0].id, rules[1].id);
    EXPECT_EQ(vm.toastMessage(), "Added override for org.gnome.Nautilus.");
}

TEST(InputStudioEditing, SharedIDsFlipAndUpdateTheFirstButRemoveAll)
{
    StudioHarness h;
    auto settings = InputSettings {};
    const AppButtonRule rule {Uuid::random(), "a.b", "A", MouseButtonKind::middle, MouseButtonAction::copy, true};
    settings.appOverrides = {rule, rule};
    auto profile = profileFor("org.gimp.GIMP", "GIMP");
    settings.appProfiles = {profile, profile};
    auto& vm = startWith(h, settings);

    vm.toggleAppRule(rule);
    auto stored = h.storedSettings();
    EXPECT_FALSE(stored.appOverrides[0].isEnabled);
    EXPECT_TRUE(stored.appOverrides[1].isEnabled);

    profile.appName = "GNU Image";
    profile.scrollSpeedMultiplierOverride = 2.0;
    vm.updateAppProfile(profile);
    stored = h.storedSettings();
    EXPECT_EQ(stored.appProfiles[0], profile);
    EXPECT_EQ(stored.appProfiles[1].appName, "GIMP");

    vm.removeAppRule(rule);
    vm.removeAppProfile(profile);
    stored = h.storedSettings();
    EXPECT_TRUE(stored.appOverrides.empty());
    EXPECT_TRUE(stored.appProfiles.empty());
    EXPECT_EQ(vm.toastMessage(), "Removed GNU Image profile.");
}

TEST(InputStudioEditing, UpdatesOfUnknownRecordsAddNothingButSave)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.updateAppProfile(profileFor("org.gimp.GIMP", "GIMP"));
    vm.toggleAppRule(AppButtonRule {});
    vm.toggleMacro(macroNamed("Ghost"));

    ASSERT_TRUE(h.settingsFileExists());
    EXPECT_EQ(h.storedSettings(), InputSettings {});
}

TEST(InputStudioEditing, RemovingAnUnknownProfileSaysNothing)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.removeAppProfile(profileFor("org.gimp.GIMP", "GIMP"));

    EXPECT_FALSE(vm.toastMessage());
    EXPECT_EQ(h.storedSettings(), InputSettings {});
}

TEST(InputStudioEditing, NewProfilesAreTrimmedUniqueWithoutCaseAndBare)
{
    StudioHarness h;
    auto& vm = h.start();

    vm.addAppProfile("   ", "Name");
    EXPECT_FALSE(h.settingsFileExists()) << "an error toast saves nothing";

    vm.addAppProfile(" org.gimp.GIMP ", "");
    vm.addAppProfile("ORG.GIMP.GIMP", "Other");
    const auto profiles = h.storedSettings().appProfiles;
    ASSERT_EQ(profiles.size(), 1U);
    EXPECT_EQ(profiles[0].bundleIdentifier, "org.gimp.GIMP");
    EXPECT_EQ(profiles[0].appName, "org.gimp.GIMP");
    EXPECT_TRUE(profiles[0].isEnabled);
    EXPECT_FALSE(profiles[0].reverseMouseWheelOverride);
    EXPECT_FALSE(profiles[0].smoothScrollOverride);
    EXPECT_FALSE(profiles[0].scrollSpeedMultiplierOverride);
    EXPECT_TRUE(profiles[0].buttonActionOverrides.empty());
    EXPECT_TRUE(profiles[0].macroBindings.empty());
}

TEST(InputStudioEditing, TemplatesAreAddedUnchangedOncePerApplication)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.appProfiles = {profileFor("COM.APPLE.SAFARI", "My Safari")};
    auto& vm = startWith(h, settings);
    const auto templates = AppInputProfileEngine::builtInTemplates();
    const auto before = h.settingsFileText();

    vm.addProfileTemplate(templates[4]); // Safari: already there in other letter case
    EXPECT_EQ(h.settingsFileText(), before);
    EXPECT_FALSE(vm.toastIsError());

    vm.addProfileTemplate(templates[0]);
    EXPECT_EQ(h.storedSettings().appProfiles.back(), templates[0]);
    EXPECT_EQ(vm.activeResolution(), h.interceptor().currentResolution());
}

// A screen hands in a record from a list of its own, or one of the settings themselves, and the
// change notification rebuilds that list before the operation is done with the record (its toast
// names it afterwards): the operation works on what it was handed, not on what the list now holds.
TEST(InputStudioEditing, ARecordHandedInOutlivesTheListThatTheNotificationRebuilds)
{
    const auto templates = AppInputProfileEngine::builtInTemplates();
    const auto first = macroNamed("First");
    const auto second = macroNamed("Second");
    using ScreenLists = std::pair<std::vector<AppInputProfile>, std::vector<InputMacro>>;
    struct Case {
        std::function<void(InputStudioViewModel&, const ScreenLists&)> act;
        std::string toast;
        std::vector<std::string> storedProfiles;
        std::vector<std::string> storedMacros;
    };
    const Case cases[] = {
        {[](auto& vm, const auto& screen) { vm.addProfileTemplate(screen.first[0]); },
            "Added " + templates[0].appName + " profile.", {"Safari", "Notes", templates[0].appName},
            {"First", "Second"}},
        {[](auto& vm, const auto& screen) { vm.addMacroPreset(screen.second[0]); }, "Added macro 'Third'.",
            {"Safari", "Notes"}, {"First", "Second", "Third"}},
        {[](auto& vm, const auto&) { vm.removeAppProfile(vm.settings().appProfiles[0]); }, "Removed Safari profile.",
            {"Notes"}, {"First", "Second"}},
        {[](auto& vm, const auto&) { vm.removeMacro(vm.settings().macros[0]); }, "Deleted macro 'First'.",
            {"Safari", "Notes"}, {"Second"}},
    };
    for (const auto& testCase : cases) {
        StudioHarness h;
        auto settings = InputSettings {};
        settings.appProfiles = {profileFor("com.apple.Safari", "Safari"), profileFor("com.apple.Notes", "Notes")};
        settings.macros = {first, second};
        auto& vm = startWith(h, settings);
        ScreenLists screen {templates, {macroNamed("Third")}};
        QObject::connect(&vm, &InputStudioViewModel::settingsChanged, &vm, [&] {
            // Rebuilt in place, as a screen syncing its rows does.
            screen.first.assign(templates.rbegin(), templates.rend());
            screen.second.assign({macroNamed("Other")});
        });

        testCase.act(vm, screen);

        EXPECT_EQ(vm.toastMessage().value_or(""), testCase.toast);
        const auto stored = h.storedSettings();
        std::vector<std::string> profiles;
        for (const auto& profile : stored.appProfiles) {
            profiles.push_back(profile.appName);
        }
        std::vector<std::string> macros;
        for (const auto& macro : stored.macros) {
            macros.push_back(macro.name);
        }
        EXPECT_EQ(profiles, testCase.storedProfiles) << testCase.toast;
        EXPECT_EQ(macros, testCase.storedMacros) << testCase.toast;
    }
}

TEST(InputStudioEditing, PresetsAreAddedUnchangedOncePerNameIgnoringCase)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.macros = {macroNamed("TÜMÜNÜ SEÇ & KOPYALA")};
    auto& vm = startWith(h, settings);
    auto preset = macroNamed("Tümünü Seç & Kopyala", 4);
    const auto before = h.settingsFileText();

    vm.addMacroPreset(preset);
    EXPECT_EQ(h.settingsFileText(), before);
    EXPECT_FALSE(vm.toastIsError());

    preset.name = "Another";
    vm.addMacroPreset(preset);
    EXPECT_EQ(h.storedSettings().macros.back(), preset);
}

TEST(InputStudioEditing, OneButtonTriggersAtMostOneMacro)
{
    StudioHarness h;
    auto& vm = h.start();
    auto a = macroNamed("A", 3);
    auto b = macroNamed("B", 3);

    ASSERT_TRUE(vm.saveMacro(a));
    ASSERT_TRUE(vm.saveMacro(b));
    auto macros = h.storedSettings().macros;
    EXPECT_EQ(macros[0].triggerButtonNumber, std::nullopt);
    EXPECT_EQ(macros[1].triggerButtonNumber, 3);

    a.triggerButtonNumber.reset();
    ASSERT_TRUE(vm.saveMacro(a));
    EXPECT_EQ(h.storedSettings().macros[1].triggerButtonNumber, 3) << "saving A without a trigger leaves B alone";
    EXPECT_EQ(vm.toastMessage(), "Updated macro 'A'.");

    vm.updateMacroTriggerButton(a.id, 3);
    macros = h.storedSettings().macros;
    EXPECT_EQ(macros[0].triggerButtonNumber, 3);
    EXPECT_EQ(macros[1].triggerButtonNumber, std::nullopt);

    vm.updateMacroTriggerButton(a.id, std::nullopt);
    EXPECT_EQ(h.storedSettings().macros[0].triggerButtonNumber, std::nullopt);
}

TEST(InputStudioEditing, AnUnknownMacroTakesNoButtonFromTheOthers)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.macros = {macroNamed("A", 4)};
    auto& vm = startWith(h, settings);
    const auto before = h.settingsFileText();

    vm.updateMacroTriggerButton(Uuid::random(), 4);

    EXPECT_EQ(h.settingsFileText(), before);
    EXPECT_EQ(vm.settings().macros[0].triggerButtonNumber, 4);
}

TEST(InputStudioEditing, AnInvalidMacroIsRefusedAndNothingIsWritten)
{
    StudioHarness h;
    auto& vm = h.start();
    auto nameless = macroNamed("   ");
    auto stepless = macroNamed("Empty");
    stepless.steps.clear();

    EXPECT_FALSE(vm.saveMacro(nameless));
    EXPECT_FALSE(vm.saveMacro(stepless));

    EXPECT_FALSE(h.settingsFileExists());
    EXPECT_TRUE(vm.settings().macros.empty());
}

TEST(InputStudioEditing, RemovingAMacroDropsItsBindingsEverywhere)
{
    StudioHarness h;
    auto settings = InputSettings {};
    const auto gone = macroNamed("Gone");
    const auto kept = macroNamed("Kept");
    settings.macros = {gone, kept, gone};
    auto first = profileFor("org.gimp.GIMP", "GIMP");
    first.macroBindings = {{4, gone.id}, {3, kept.id}};
    auto second = profileFor("org.inkscape.Inkscape", "Inkscape");
    second.macroBindings = {{4, gone.id}, {2, gone.id}};
    settings.appProfiles = {first, second};
    auto& vm = startWith(h, settings);

    vm.removeMacro(gone);

    const auto stored = h.storedSettings();
    EXPECT_EQ(stored.macros, std::vector<InputMacro> {kept});
    EXPECT_EQ(stored.appProfiles[0].macroBindings, (std::map<std::int64_t, Uuid> {{3, kept.id}}));
    EXPECT_TRUE(stored.appProfiles[1].macroBindings.empty());
}

TEST(InputStudioEditing, TestingAMacroPlaysItWithoutSaving)
{
    StudioHarness h;
    auto& vm = h.start();
    auto slow = macroNamed("Slow");
    slow.steps.insert(slow.steps.begin(), MacroStep::delay(2000));

    vm.testMacro(slow);
    EXPECT_EQ(vm.toastMessage(), "Triggered macro 'Slow'.");
    vm.testMacro(macroNamed("Other"));
    EXPECT_EQ(vm.toastMessage(), "Macro could not start (disabled, invalid, or busy).");
    EXPECT_TRUE(vm.toastIsError());

    h.advance(2500ms);
    EXPECT_FALSE(h.settingsFileExists());
    EXPECT_FALSE(h.engine.poster.posted().empty());
    EXPECT_EQ(vm.recentEvents().back().substr(vm.recentEvents().back().find(']') + 2), "Macro: Slow (ui-test)");
}

} // namespace
} // namespace tarn::input::testing
