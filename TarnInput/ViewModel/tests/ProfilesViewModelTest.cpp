#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"

#include <functional>

#include <gtest/gtest.h>

#include "TarnInput/ViewModel/tests/EditingRecords.h"
#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"

namespace tarn::input::testing {
namespace {

using namespace std::chrono_literals;

TEST(ProfilesViewModel, RemovingAnUnknownProfileSaysNothing)
{
    StudioHarness h;
    auto& vm = h.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);

    profiles.removeProfile(profileFor("org.gimp.GIMP", "GIMP"));

    EXPECT_FALSE(vm.toastMessage());
    EXPECT_EQ(h.storedSettings(), InputSettings {});
}

TEST(ProfilesViewModel, NewProfilesAreTrimmedUniqueWithoutCaseAndBare)
{
    StudioHarness h;
    auto& vm = h.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);

    profiles.addProfile("   ", "Name");
    EXPECT_FALSE(h.settingsFileExists()) << "an error toast saves nothing";

    profiles.addProfile(" org.gimp.GIMP ", "");
    profiles.addProfile("ORG.GIMP.GIMP", "Other");
    const auto stored = h.storedSettings().appProfiles;
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(stored[0].bundleIdentifier, "org.gimp.GIMP");
    EXPECT_EQ(stored[0].appName, "org.gimp.GIMP");
    EXPECT_TRUE(stored[0].isEnabled);
    EXPECT_FALSE(stored[0].reverseMouseWheelOverride);
    EXPECT_FALSE(stored[0].smoothScrollOverride);
    EXPECT_FALSE(stored[0].scrollSpeedMultiplierOverride);
    EXPECT_TRUE(stored[0].buttonActionOverrides.empty());
    EXPECT_TRUE(stored[0].macroBindings.empty());
}

TEST(ProfilesViewModel, TemplatesAreAddedUnchangedOncePerApplication)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.appProfiles = {profileFor("COM.APPLE.SAFARI", "My Safari")};
    auto& vm = startWith(h, settings);
    ProfilesViewModel profiles(vm, vm, vm, vm);
    const auto templates = AppInputProfileEngine::builtInTemplates();
    const auto before = h.settingsFileText();

    profiles.addProfileTemplate(templates[4]); // Safari: already there in other letter case
    EXPECT_EQ(h.settingsFileText(), before);
    EXPECT_FALSE(vm.toastIsError());

    profiles.addProfileTemplate(templates[0]);
    EXPECT_EQ(h.storedSettings().appProfiles.back(), templates[0]);
    EXPECT_EQ(vm.activeResolution(), h.interceptor().currentResolution());
}

// A screen hands in a record from a list of its own, or one of the settings themselves, and the
// change notification rebuilds that list before the operation is done with the record (its toast
// names it afterwards): the operation works on what it was handed, not on what the list now holds.
TEST(ProfilesViewModel, ARecordHandedInOutlivesTheListThatTheNotificationRebuilds)
{
    const auto templates = AppInputProfileEngine::builtInTemplates();
    const auto first = macroNamed("First");
    const auto second = macroNamed("Second");
    using ScreenLists = std::pair<std::vector<AppInputProfile>, std::vector<InputMacro>>;
    struct Case {
        std::function<void(ProfilesViewModel&, const ScreenLists&)> act;
        std::string toast;
        std::vector<std::string> storedProfiles;
        std::vector<std::string> storedMacros;
    };
    const Case cases[] = {
        {[](auto& profiles, const auto& screen) { profiles.addProfileTemplate(screen.first[0]); },
            "Added " + templates[0].appName + " profile.", {"Safari", "Notes", templates[0].appName},
            {"First", "Second"}},
        {[](auto& profiles, const auto& screen) { profiles.addMacroPreset(screen.second[0]); }, "Added macro 'Third'.",
            {"Safari", "Notes"}, {"First", "Second", "Third"}},
        {[](auto& profiles, const auto&) { profiles.removeProfile(profiles.settings().appProfiles[0]); },
            "Removed Safari profile.", {"Notes"}, {"First", "Second"}},
        {[](auto& profiles, const auto&) { profiles.removeMacro(profiles.settings().macros[0]); },
            "Deleted macro 'First'.", {"Safari", "Notes"}, {"Second"}},
    };
    for (const auto& testCase : cases) {
        StudioHarness h;
        auto settings = InputSettings {};
        settings.appProfiles = {profileFor("com.apple.Safari", "Safari"), profileFor("com.apple.Notes", "Notes")};
        settings.macros = {first, second};
        auto& vm = startWith(h, settings);
        ProfilesViewModel profiles(vm, vm, vm, vm);
        ScreenLists screen {templates, {macroNamed("Third")}};
        QObject::connect(&profiles, &ProfilesViewModel::settingsChanged, &profiles, [&] {
            // Rebuilt in place, as a screen syncing its rows does.
            screen.first.assign(templates.rbegin(), templates.rend());
            screen.second.assign({macroNamed("Other")});
        });

        testCase.act(profiles, screen);

        EXPECT_EQ(vm.toastMessage().value_or(""), testCase.toast);
        const auto stored = h.storedSettings();
        std::vector<std::string> profileNames;
        for (const auto& profile : stored.appProfiles) {
            profileNames.push_back(profile.appName);
        }
        std::vector<std::string> macroNames;
        for (const auto& macro : stored.macros) {
            macroNames.push_back(macro.name);
        }
        EXPECT_EQ(profileNames, testCase.storedProfiles) << testCase.toast;
        EXPECT_EQ(macroNames, testCase.storedMacros) << testCase.toast;
    }
}

TEST(ProfilesViewModel, PresetsAreAddedUnchangedOncePerNameIgnoringCase)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.macros = {macroNamed("TÜMÜNÜ SEÇ & KOPYALA")};
    auto& vm = startWith(h, settings);
    ProfilesViewModel profiles(vm, vm, vm, vm);
    auto preset = macroNamed("Tümünü Seç & Kopyala", 4);
    const auto before = h.settingsFileText();

    profiles.addMacroPreset(preset);
    EXPECT_EQ(h.settingsFileText(), before);
    EXPECT_FALSE(vm.toastIsError());

    preset.name = "Another";
    profiles.addMacroPreset(preset);
    EXPECT_EQ(h.storedSettings().macros.back(), preset);
}

TEST(ProfilesViewModel, OneButtonTriggersAtMostOneMacro)
{
    StudioHarness h;
    auto& vm = h.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    auto a = macroNamed("A", 3);
    auto b = macroNamed("B", 3);

    ASSERT_TRUE(profiles.saveMacro(a));
    ASSERT_TRUE(profiles.saveMacro(b));
    auto macros = h.storedSettings().macros;
    EXPECT_EQ(macros[0].triggerButtonNumber, std::nullopt);
    EXPECT_EQ(macros[1].triggerButtonNumber, 3);

    a.triggerButtonNumber.reset();
    ASSERT_TRUE(profiles.saveMacro(a));
    EXPECT_EQ(h.storedSettings().macros[1].triggerButtonNumber, 3) << "saving A without a trigger leaves B alone";
    EXPECT_EQ(vm.toastMessage(), "Updated macro 'A'.");

    profiles.setMacroTriggerButton(a.id, 3);
    macros = h.storedSettings().macros;
    EXPECT_EQ(macros[0].triggerButtonNumber, 3);
    EXPECT_EQ(macros[1].triggerButtonNumber, std::nullopt);

    profiles.setMacroTriggerButton(a.id, std::nullopt);
    EXPECT_EQ(h.storedSettings().macros[0].triggerButtonNumber, std::nullopt);
}

TEST(ProfilesViewModel, AnUnknownMacroTakesNoButtonFromTheOthers)
{
    StudioHarness h;
    auto settings = InputSettings {};
    settings.macros = {macroNamed("A", 4)};
    auto& vm = startWith(h, settings);
    ProfilesViewModel profiles(vm, vm, vm, vm);
    const auto before = h.settingsFileText();

    profiles.setMacroTriggerButton(Uuid::random(), 4);

    EXPECT_EQ(h.settingsFileText(), before);
    EXPECT_EQ(vm.settings().macros[0].triggerButtonNumber, 4);
}

TEST(ProfilesViewModel, AnInvalidMacroIsRefusedAndNothingIsWritten)
{
    StudioHarness h;
    auto& vm = h.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    auto nameless = macroNamed("   ");
    auto stepless = macroNamed("Empty");
    stepless.steps.clear();

    EXPECT_FALSE(profiles.saveMacro(nameless));
    EXPECT_FALSE(profiles.saveMacro(stepless));

    EXPECT_FALSE(h.settingsFileExists());
    EXPECT_TRUE(vm.settings().macros.empty());
}

TEST(ProfilesViewModel, RemovingAMacroDropsItsBindingsEverywhere)
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
    ProfilesViewModel profiles(vm, vm, vm, vm);

    profiles.removeMacro(gone);

    const auto stored = h.storedSettings();
    EXPECT_EQ(stored.macros, std::vector<InputMacro> {kept});
    EXPECT_EQ(stored.appProfiles[0].macroBindings, (std::map<std::int64_t, Uuid> {{3, kept.id}}));
    EXPECT_TRUE(stored.appProfiles[1].macroBindings.empty());
}

TEST(ProfilesViewModel, TestingAMacroPlaysItWithoutSaving)
{
    StudioHarness h;
    auto& vm = h.start();
    ProfilesViewModel profiles(vm, vm, vm, vm);
    auto slow = macroNamed("Slow");
    slow.steps.insert(slow.steps.begin(), MacroStep::delay(2000));

    profiles.testMacro(slow);
    EXPECT_EQ(vm.toastMessage(), "Triggered macro 'Slow'.");
    profiles.testMacro(macroNamed("Other"));
    EXPECT_EQ(vm.toastMessage(), "Macro could not start (disabled, invalid, or busy).");
    EXPECT_TRUE(vm.toastIsError());

    h.advance(2500ms);
    EXPECT_FALSE(h.settingsFileExists());
    EXPECT_FALSE(h.engine.poster.posted().empty());
    EXPECT_EQ(vm.recentEvents().back().substr(vm.recentEvents().back().find(']') + 2), "Macro: Slow (ui-test)");
}

} // namespace
} // namespace tarn::input::testing
