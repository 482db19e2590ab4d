#include <gtest/gtest.h>

#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"
#include "TarnInput/ViewModel/ScreenModels/ProfilesViewModel.h"
#include "TarnInput/ViewModel/tests/EditingRecords.h"

namespace tarn::input::testing {
namespace {

TEST(InputStudioEditing, SharedIDsFlipAndUpdateTheFirstButRemoveAll)
{
    StudioHarness h;
    auto settings = InputSettings {};
    const AppButtonRule rule {Uuid::random(), "a.b", "A", MouseButtonKind::middle, MouseButtonAction::copy, true};
    settings.appOverrides = {rule, rule};
    auto profile = profileFor("org.gimp.GIMP", "GIMP");
    settings.appProfiles = {profile, profile};
    auto& vm = startWith(h, settings);
    ButtonsViewModel buttons(vm, vm, vm);
    ProfilesViewModel profiles(vm, vm, vm, vm);

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
    ButtonsViewModel buttons(vm, vm, vm);
    ProfilesViewModel profiles(vm, vm, vm, vm);

    profiles.updateProfile(profileFor("org.gimp.GIMP", "GIMP"));
    buttons.toggleRule(AppButtonRule {});
    profiles.toggleMacro(macroNamed("Ghost"));

    ASSERT_TRUE(h.settingsFileExists());
    EXPECT_EQ(h.storedSettings(), InputSettings {});
}

} // namespace
} // namespace tarn::input::testing
