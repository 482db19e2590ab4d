// The GNOME Shell workspace against a fake of the program's shell extension on the session bus:
// the method and the signal the extension offers, with window lists as the extension writes them.

#include "Platform/Linux/Wayland/GnomeShellWorkspace.h"

#include <fstream>

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/Wayland/tests/WorkspaceWatch.h"
#include "Platform/Linux/Wayland/tests/dbus/FakeBusService.h"
#include "tests/TemporaryFolder.h"

#include <unistd.h>

namespace tarn::input {
namespace {

const FrontmostApplication kFiles {ApplicationId("org.gnome.Nautilus"), "Files"};
const FrontmostApplication kNotes {ApplicationId("org.example.Notes"), "Notes"};

std::string windowsJson(const char* focusedAppID, std::int64_t focusedPid = 0)
{
    const auto window = [&](const char* appID, const char* title, std::int64_t pid) {
        return fmt::format(R"({{"appId": "{}", "title": "{}", "pid": {}, "focused": {}}})", appID, title, pid,
            std::string_view(appID) == focusedAppID && (focusedPid == 0 || focusedPid == pid));
    };
    return fmt::format("[{}, {}, {}]", window("org.gnome.Nautilus.desktop", "Home", 100),
        window("org.example.Notes.desktop", "Shopping \u2014 Notes", 200),
        window("tarninput.desktop", "TarnInput", ::getpid()));
}

// The extension's side of the bus.
class FakeShellExtension {
public:
    explicit FakeShellExtension(FakeBusService& service)
        : m_service(service)
    {
        EXPECT_TRUE(service.addObject(GnomeShellWorkspace::kPath, GnomeShellWorkspace::kInterface, kVtable, this));
    }

    void appear() { EXPECT_TRUE(m_service.claim(GnomeShellWorkspace::kBusName)); }
    void leave() { m_service.release(GnomeShellWorkspace::kBusName); }

    // What GetWindows answers from now on, and the signal that tells of it.
    void announce(std::string windows)
    {
        m_service.withBus([&](sd_bus* bus) {
            m_windows = std::move(windows);
            sd_bus_emit_signal(bus, GnomeShellWorkspace::kPath, GnomeShellWorkspace::kInterface, "WindowsChanged", "s",
                m_windows.c_str());
        });
    }
    void setWindows(std::string windows)
    {
        m_service.withBus([&](sd_bus*) { m_windows = std::move(windows); });
    }

private:
    static int onGetWindows(sd_bus_message* message, void* data, sd_bus_error*)
    {
        return sd_bus_reply_method_return(message, "s", static_cast<FakeShellExtension*>(data)->m_windows.c_str());
    }
    static constexpr sd_bus_vtable kVtable[] = {
        SD_BUS_VTABLE_START(0),
        SD_BUS_METHOD("GetWindows", "", "s", &FakeShellExtension::onGetWindows, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_SIGNAL("WindowsChanged", "s", 0),
        SD_BUS_VTABLE_END,
    };

    FakeBusService& m_service;
    std::string m_windows = "[]";
};

class GnomeShellWorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_service.connected()) << "no session bus";
        std::filesystem::create_directories(m_folder.path() / "applications");
        std::ofstream(m_folder.path() / "applications/org.gnome.Nautilus.desktop")
            << "[Desktop Entry]\nType=Application\nName=Files\n";
    }

    std::unique_ptr<GnomeShellWorkspace> connect()
    {
        std::string whyNot;
        auto workspace = GnomeShellWorkspace::connect(m_log, environment(), whyNot);
        EXPECT_TRUE(workspace) << whyNot;
        return workspace;
    }

    EnvironmentLookup environment() const
    {
        return [data = m_folder.path().string()](std::string_view name) -> std::optional<std::string> {
            if (name == "XDG_DATA_DIRS") {
                return data;
            }
            if (name == "XDG_DATA_HOME") {
                return data + "/nothing";
            }
            return std::nullopt;
        };
    }

    TemporaryFolder m_folder;
    RecordingLogSink m_log;
    FakeBusService m_service;
    FakeShellExtension m_extension {m_service};
};

TEST_F(GnomeShellWorkspaceTest, FollowsTheExtensionsListOncePerChangeAndSkipsOurOwnWindows)
{
    m_extension.setWindows(windowsJson("org.gnome.Nautilus.desktop"));
    m_extension.appear();
    const auto workspace = connect();
    ASSERT_TRUE(workspace);
    EXPECT_EQ(workspace->frontmostApplication(), kFiles) << "read before the first signal";
    EXPECT_FALSE(workspace->limitation());
    EXPECT_TRUE(m_log.lines().empty());

    WorkspaceWatch watch(*workspace);
    m_extension.announce(windowsJson("org.example.Notes.desktop"));
    ASSERT_TRUE(watch.waitForNotices(1));
    // The same list again, written differently: no change of application.
    m_extension.announce(windowsJson("org.example.Notes.desktop").replace(0, 1, "[ "));
    m_extension.announce(windowsJson("tarninput.desktop", ::getpid()));
    m_extension.announce(windowsJson("org.gnome.Nautilus.desktop"));
    ASSERT_TRUE(watch.waitForNotices(2));
    EXPECT_EQ(watch.notices(), (std::vector {kNotes, kFiles}));

    auto running = workspace->runningApplications();
    std::sort(running.begin(), running.end(),
        [](const RunningApplication& a, const RunningApplication& b) { return a.bundleID < b.bundleID; });
    EXPECT_EQ(running,
        (std::vector<RunningApplication> {
            {"org.example.Notes", "Notes"}, {"org.gnome.Nautilus", "Files"}, {"tarninput", "tarninput"}}));
}

TEST_F(GnomeShellWorkspaceTest, WithoutTheExtensionSaysHowToEnableItOnceAndWaitsForIt)
{
    const auto workspace = connect();
    ASSERT_TRUE(workspace);
    EXPECT_EQ(workspace->frontmostApplication(), FrontmostApplication {});
    EXPECT_TRUE(workspace->runningApplications().empty());
    EXPECT_EQ(workspace->limitation(), WorkspaceLimitation::shellExtensionMissing);
    ASSERT_EQ(m_log.lines().size(), 1u);
    EXPECT_NE(m_log.lines().front().message.find("gnome-extensions enable tarninput@harrowfen.com"), std::string::npos)
        << m_log.lines().front().message;

    // Enabled later (or the shell restarted): the adapter asks for the list.
    m_extension.setWindows(windowsJson("org.gnome.Nautilus.desktop"));
    m_extension.appear();
    EXPECT_TRUE(waitUntil([&] { return workspace->frontmostApplication() == kFiles; }));
    EXPECT_FALSE(workspace->limitation());
    // Disabled: what it said last no longer holds.
    m_extension.leave();
    EXPECT_TRUE(waitUntil([&] { return workspace->frontmostApplication() == FrontmostApplication {}; }));
    EXPECT_TRUE(workspace->runningApplications().empty());
    EXPECT_EQ(workspace->limitation(), WorkspaceLimitation::shellExtensionMissing);
    EXPECT_EQ(m_log.lines().size(), 1u);
}

} // namespace
} // namespace tarn::input
