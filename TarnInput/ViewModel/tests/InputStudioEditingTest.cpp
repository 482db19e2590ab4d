#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"
#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"

namespace tarn::input::testing {
namespace {

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

TEST(InputStudioEditing, SharedIDsFlipAndUpdateTheFirstButRemoveAll)
{
    StudioHarness h;
    auto settings = InputSettings {};
    const AppButtonRule rule {Uuid::random(), "a.b", "A", MouseButtonKind::middle, MouseButtonAction::copy, true};
    settings.appOverrides = {rule, rule};
    auto profile = profileFor("org.gimp.GIMP", "GIMP");
    settings.appProfiles = {profile, profile};
    auto& vm = startWith(h, settings);
    ButtonsViewModel buttons(vm);
    ProfilesViewModel profiles(vm);

    buttons.toggleRule(rule);
    auto stored = h.storedSettings();
    EXPECT_FALSE(stored.appOverrides[0].isEnabled);
    EXPECT_TRUE(stored.appOverrides[1].isEnabled);

    profile.appName = "GNU Image";
    profile.scrollSpeedMultiplierOverride = 2.0;
    profiles.updateProfile(profile);
    stored = h.storedSettings();
    EXPECT_EQ(stored.appProfiles[0], profile);
    EXPECT_EQ(stored.appProfiles[1].appName, "GIMP");

    buttons.removeRule(rule);
    profiles.removeProfile(profile);
    stored = h.storedSettings();
    EXPECT_TRUE(stored.appOverrides.empty());
    EXPECT_TRUE(stored.appProfiles.empty());
    EXPECT_EQ(vm.toastMessage(), "Removed GNU Image profile.");
}

TEST(InputStudioEditing, UpdatesOfUnknownRecordsAddNothingButSave)
{
    StudioHarness h;
    auto& vm = h.start();
    ButtonsViewModel buttons(vm);
    ProfilesViewModel profiles(vm);

    profiles.updateProfile(profileFor("org.gimp.GIMP", "GIMP"));
    buttons.toggleRule(AppButtonRule {});
    profiles.toggleMacro(macroNamed("Ghost"));

    ASSERT_TRUE(h.settingsFileExists());
    EXPECT_EQ(h.storedSettings(), InputSettings {});
}

} // namespace
} // namespace tarn::input::testing
