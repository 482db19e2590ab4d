// The KWin workspace against a fake of KWin's scripting interface on the session bus.

#include "Platform/Linux/Wayland/KWinWorkspace.h"

#include <fstream>

#include <gtest/gtest.h>

#include "Platform/Linux/Wayland/tests/WorkspaceWatch.h"
#include "Platform/Linux/Wayland/tests/dbus/FakeKWin.h"
#include "tests/TemporaryFolder.h"

#include <unistd.h>

namespace tarn::input {
namespace {

class KWinWorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_service.connected()) << "no session bus";
        std::filesystem::create_directories(m_folder.path() / "applications");
        std::ofstream(m_folder.path() / "applications/org.kde.dolphin.desktop")
            << "[Desktop Entry]\nType=Application\nName=Dolphin\n";
    }

    EnvironmentLookup environment() const
    {
        return [folder = m_folder.path().string()](std::string_view name) -> std::optional<std::string> {
            if (name == "XDG_DATA_DIRS") {
                return folder;
            }
            if (name == "XDG_DATA_HOME") {
                return folder + "/nothing";
            }
            if (name == "XDG_RUNTIME_DIR") {
                return folder;
            }
            return std::nullopt;
        };
    }

    TemporaryFolder m_folder;
    FakeBusService m_service;
};

TEST_F(KWinWorkspaceTest, LoadsItsScriptAndFollowsWhatItSends)
{
    FakeKWin kwin(m_service);
    std::string whyNot;
    auto workspace = KWinWorkspace::connect(environment(), whyNot);
    ASSERT_TRUE(workspace) << whyNot;
    const auto loaded = kwin.seen();
    EXPECT_EQ(loaded.calls,
        (std::vector<std::string> {"unloadScript tarninput-windows", "loadScript tarninput-windows", "start"}));
    // The script sends to this adapter's connection, at its object, and follows the focus.
    EXPECT_NE(
        loaded.script.find("callDBus(\"" + loaded.loader + "\", \"" + KWinWorkspace::kPath + "\""), std::string::npos)
        << loaded.script;
    EXPECT_NE(loaded.script.find("windowActivated"), std::string::npos);

    const FrontmostApplication dolphin {ApplicationId("org.kde.dolphin"), "Dolphin"};
    const FrontmostApplication konsole {ApplicationId("konsole"), "Konsole"};
    const std::string own = std::to_string(::getpid());
    ASSERT_TRUE(kwin.sendWindows(R"([{"appId": "org.kde.dolphin", "title": "Home \u2014 Dolphin", "pid": 10,
        "focused": true}, {"appId": "konsole", "title": "~ : bash \u2014 Konsole", "pid": 11, "focused": false}])"));
    EXPECT_EQ(workspace->frontmostApplication(), dolphin) << "a call returns once the list is taken";
    // Another program cannot pose as KWin.
    FakeBusService stranger;
    EXPECT_FALSE(stranger.withBus([&](sd_bus* bus) {
        return sd_bus_call_method(bus, loaded.loader.c_str(), KWinWorkspace::kPath, KWinWorkspace::kInterface, "Update",
                   nullptr, nullptr, "s", R"([{"appId": "konsole", "focused": true}])")
            >= 0;
    }));
    EXPECT_EQ(workspace->frontmostApplication(), dolphin);
    {
        WorkspaceWatch watch(*workspace);
        ASSERT_TRUE(kwin.sendWindows(R"([{"appId": "org.kde.dolphin", "pid": 10}, {"appId": "konsole",
            "title": "~ : bash \u2014 Konsole", "pid": 11, "focused": true}])"));
        ASSERT_TRUE(kwin.sendWindows(R"([{"appId": "org.kde.dolphin", "pid": 10}, {"appId": "konsole", "pid": 11},
            {"appId": "tarninput", "title": "TarnInput", "pid": )"
            + own + R"(, "focused": true}])"));
        // Read as a list without windows: nothing in front, once that has lasted.
        ASSERT_TRUE(kwin.sendWindows("not a list"));
        ASSERT_TRUE(watch.waitForNotices(2));
        EXPECT_EQ(watch.notices(), (std::vector<FrontmostApplication> {konsole, {}}));
        EXPECT_TRUE(workspace->runningApplications().empty());
    }
    workspace.reset();
    EXPECT_EQ(kwin.seen().calls.back(), "unloadScript tarninput-windows");
    EXPECT_FALSE(std::filesystem::exists(m_folder.path() / ("tarninput-windows-" + own + ".js")));
}

TEST_F(KWinWorkspaceTest, WithoutKWinThereIsNoWorkspace)
{
    std::string whyNot;
    EXPECT_FALSE(KWinWorkspace::connect(environment(), whyNot));
    EXPECT_NE(whyNot.find("KWin"), std::string::npos) << whyNot;
}

} // namespace
} // namespace tarn::input
