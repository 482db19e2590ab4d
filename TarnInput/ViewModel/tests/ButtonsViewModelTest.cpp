#include "TarnInput/ViewModel/ScreenModels/ButtonsViewModel.h"

#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"

namespace tarn::input::testing {
namespace {

TEST(ButtonsViewModel, AppRulesUseTheIDAsNameWhenNoneIsGivenAndAllowTwins)
{
    StudioHarness h;
    auto& vm = h.start();
    ButtonsViewModel buttons(vm, vm, vm);

    buttons.addRule(" org.gnome.Nautilus ", "  ", MouseButtonKind::sideBack, MouseButtonAction::copy);
    buttons.addRule("org.gnome.Nautilus", "", MouseButtonKind::sideBack, MouseButtonAction::copy);
    buttons.addRule(" ", "Nothing", MouseButtonKind::middle, MouseButtonAction::paste);

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

} // namespace
} // namespace tarn::input::testing
