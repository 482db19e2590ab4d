// The Settings screen's launch switch over the real autostart adapter, in a temporary
// XDG_CONFIG_HOME: what the user turns on and off is what the desktop finds at the next login.

#include <fstream>
#include <sstream>

#include <QCheckBox>
#include <gtest/gtest.h>

#include "Platform/Fake/App/StudioHarness.h"
#include "Platform/Linux/Desktop/XdgAutostartLoginItem.h"
#include "TarnInput/Screens/InputSettingsView.h"
#include "TarnInput/ViewModel/ScreenModels/SettingsViewModel.h"
#include "TarnKit/UI/Glass/TarnProductPalette.h"
#include "tests/TemporaryFolder.h"

namespace tarn::input::testing {
namespace {

std::string read(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

class XdgAutostartLaunchSwitch : public ::testing::Test {
protected:
    XdgPaths paths() const
    {
        const auto configHome = m_folder.path() / "config";
        return XdgPaths::fromEnvironment([configHome](std::string_view name) -> std::optional<std::string> {
            if (name == "XDG_CONFIG_HOME") {
                return configHome.string();
            }
            return std::nullopt;
        });
    }

    QCheckBox& launchSwitch(InputSettingsView& screen) const
    {
        auto* found = screen.findChild<QCheckBox*>("launchAtLogin");
        EXPECT_NE(found, nullptr);
        return *found;
    }

    TemporaryFolder m_folder;
    XdgAutostartLoginItem m_item {paths(), "/usr/bin/tarninput", "tarninput.desktop", "TarnInput"};
    StudioHarness m_harness;
};

TEST_F(XdgAutostartLaunchSwitch, TheEntryAppearsAndIsSwitchedOffAgain)
{
    const auto entry = m_folder.path() / "config/autostart/tarninput.desktop";
    ASSERT_EQ(m_item.entryPath(), entry);
    m_harness.useLoginItem(m_item);
    auto& vm = m_harness.start();
    SettingsViewModel settings(vm, vm);
    InputSettingsView screen(settings, accentColor(TarnProductPalette::deepAbyss));
    auto& toggle = launchSwitch(screen);
    EXPECT_FALSE(toggle.isChecked());

    toggle.click();
    EXPECT_TRUE(toggle.isChecked());
    ASSERT_TRUE(std::filesystem::exists(entry));
    EXPECT_NE(read(entry).find("/usr/bin/tarninput"), std::string::npos) << read(entry);
    EXPECT_EQ(read(entry).find("Hidden=true"), std::string::npos);

    toggle.click();
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_FALSE(m_item.isRegistered());
    EXPECT_NE(read(entry).find("Hidden=true"), std::string::npos) << read(entry);
    EXPECT_FALSE(vm.toastMessage().has_value()) << "success is silent";

    // A later start reads the state back from the entry.
    toggle.click();
    m_harness.quit();
    auto& again = m_harness.start();
    EXPECT_TRUE(again.launchAtLogin());
}

TEST_F(XdgAutostartLaunchSwitch, AnEntryThatCannotBeWrittenLeavesTheSwitchOffWithAnErrorToast)
{
    // A file where the autostart folder should be: the entry cannot be created, even by root.
    std::filesystem::create_directories(m_folder.path() / "config");
    std::ofstream(m_folder.path() / "config/autostart") << "not a folder";
    m_harness.useLoginItem(m_item);
    auto& vm = m_harness.start();
    SettingsViewModel settings(vm, vm);
    InputSettingsView screen(settings, accentColor(TarnProductPalette::deepAbyss));
    auto& toggle = launchSwitch(screen);

    toggle.click();

    EXPECT_FALSE(toggle.isChecked());
    EXPECT_FALSE(vm.launchAtLogin());
    EXPECT_TRUE(vm.toastIsError());
    EXPECT_EQ(vm.toastMessage(),
        "Launch at login could not be turned on: the autostart entry in ~/.config/autostart could not be written.");
}

} // namespace
} // namespace tarn::input::testing
