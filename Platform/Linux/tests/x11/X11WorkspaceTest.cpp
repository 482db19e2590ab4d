// The workspace against a real X server with a window manager: two applications with their own
// WM_CLASS, one of them described by a desktop file in a temporary data folder.

#include "Platform/Linux/X11/X11Workspace.h"

#include <fstream>
#include <mutex>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/tests/x11/X11TestClient.h"
#include "tests/TemporaryFolder.h"

#include <unistd.h>

namespace tarn::input {

void PrintTo(const FrontmostApplication& application, std::ostream* out)
{
    *out << "{" << (application.bundleID ? application.bundleID->text() : "(none)") << ", "
         << application.name.value_or("(none)") << "}";
}
void PrintTo(const RunningApplication& application, std::ostream* out)
{
    *out << "{" << application.bundleID << ", " << application.name << "}";
}

namespace {

class X11WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_client.connected()) << "no X display";
        std::filesystem::create_directories(m_folder.path() / "data/applications");
        std::ofstream(m_folder.path() / "data/applications/org.example.Sketch.desktop")
            << "[Desktop Entry]\nType=Application\nName=Sketch Pad\nName[tr]=Eskiz Defteri\n"
               "StartupWMClass=SketchPad\n";
    }

    EnvironmentLookup environment() const
    {
        return [data = (m_folder.path() / "data").string()](std::string_view name) -> std::optional<std::string> {
            if (name == "XDG_DATA_DIRS") {
                return data;
            }
            if (name == "XDG_DATA_HOME") {
                return data + "/nothing";
            }
            if (name == "LANG") {
                return "tr_TR.UTF-8";
            }
            if (name == "DISPLAY") {
                return processEnvironment(name);
            }
            return std::nullopt;
        };
    }

    TemporaryFolder m_folder;
    X11TestClient m_client;
    RecordingLogSink m_log;
};

TEST_F(X11WorkspaceTest, FollowsTheActiveWindowAndNotifiesOncePerApplicationChange)
{
    X11Workspace workspace(m_log, environment());
    ASSERT_TRUE(workspace.isConnected());
    EXPECT_FALSE(workspace.limitation());
    const auto sketch = m_client.open({"sketchpad", "SketchPad", "Untitled - Sketch"});
    const auto sketchSecond = m_client.open({"sketchpad", "SketchPad", "Second - Sketch"});
    const auto terminal = m_client.open({"xterm", "XTerm", "user@host: ~"});
    const FrontmostApplication sketchApp {ApplicationId("org.example.Sketch"), "Eskiz Defteri"};
    const FrontmostApplication terminalApp {ApplicationId("XTerm"), "XTerm"};
    ASSERT_TRUE(m_client.activate(terminal));
    ASSERT_TRUE(waitUntil([&] { return workspace.frontmostApplication() == terminalApp; }));

    std::mutex mutex;
    std::vector<FrontmostApplication> notices;
    auto subscription = workspace.subscribeActivation([&](const FrontmostApplication& application) {
        std::lock_guard lock(mutex);
        notices.push_back(application);
    });
    ASSERT_TRUE(m_client.activate(sketch));
    ASSERT_TRUE(waitUntil([&] { return workspace.frontmostApplication() == sketchApp; }));
    // Another window of the same application is no change of application; the next change shows
    // that nothing was told in between.
    ASSERT_TRUE(m_client.activate(sketchSecond));
    ASSERT_TRUE(m_client.activate(terminal));
    // Subscribers are told just after the answer changes.
    ASSERT_TRUE(waitUntil([&] {
        std::lock_guard lock(mutex);
        return notices.size() >= 2;
    }));
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(notices, (std::vector {sketchApp, terminalApp}));
    }
    m_client.close(sketch);
    m_client.close(sketchSecond);
    m_client.close(terminal);
}

// While the studio is active the profiles and the live banner stay with the application the user
// came from: the program's own windows are never the application in front.
TEST_F(X11WorkspaceTest, OurOwnWindowsLeaveTheApplicationInFrontAsItWas)
{
    X11Workspace workspace(m_log, environment());
    const auto terminal = m_client.open({"xterm", "XTerm", "user@host: ~"});
    const auto studio = m_client.open({.instance = "tarninput",
        .className = "TarnInput",
        .title = "TarnInput — by Harrowfen",
        .pid = static_cast<std::uint32_t>(::getpid())});
    const auto sketch = m_client.open({"sketchpad", "SketchPad", "Untitled - Sketch"});
    const FrontmostApplication terminalApp {ApplicationId("XTerm"), "XTerm"};
    ASSERT_TRUE(m_client.activate(terminal));
    ASSERT_TRUE(waitUntil([&] { return workspace.frontmostApplication() == terminalApp; }));

    std::mutex mutex;
    std::vector<FrontmostApplication> notices;
    auto subscription = workspace.subscribeActivation([&](const FrontmostApplication& application) {
        std::lock_guard lock(mutex);
        notices.push_back(application);
    });
    ASSERT_TRUE(m_client.activate(studio));
    // Then another application, so the listener has certainly handled the studio's turn.
    ASSERT_TRUE(m_client.activate(sketch));
    ASSERT_TRUE(waitUntil([&] {
        std::lock_guard lock(mutex);
        return !notices.empty();
    }));
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(
            notices, (std::vector<FrontmostApplication> {{ApplicationId("org.example.Sketch"), "Eskiz Defteri"}}));
    }
    for (const auto window : {terminal, studio, sketch}) {
        m_client.close(window);
    }
}

TEST_F(X11WorkspaceTest, ListsEachRunningApplicationOnceWithoutSkipTaskbarWindows)
{
    X11Workspace workspace(m_log, environment());
    const auto sketch = m_client.open({"sketchpad", "SketchPad", "One - Sketch"});
    // Another window of the same application that names it by its GTK application id alone.
    const auto sketchSecond = m_client.open({.instance = "sketch-tool",
        .className = "Sketch-tool",
        .title = "Tools",
        .gtkApplicationID = "org.example.Sketch"});
    const auto terminal = m_client.open({"xterm", "XTerm", "user@host: ~"});
    const auto hidden = m_client.open({"tray-helper", "TrayHelper", "Helper", true});
    const auto utility
        = m_client.open({"palette", "Palette", "Palette", false, m_client.ewmh()._NET_WM_WINDOW_TYPE_UTILITY});

    auto running = workspace.runningApplications();
    std::sort(running.begin(), running.end(),
        [](const RunningApplication& a, const RunningApplication& b) { return a.bundleID < b.bundleID; });
    EXPECT_EQ(running, (std::vector<RunningApplication> {{"XTerm", "XTerm"}, {"org.example.Sketch", "Eskiz Defteri"}}));
    for (const auto window : {sketch, sketchSecond, terminal, hidden, utility}) {
        m_client.close(window);
    }
}

TEST_F(X11WorkspaceTest, AnswersNothingInFrontWhenTheActiveWindowIsGone)
{
    X11Workspace workspace(m_log, environment());
    const auto terminal = m_client.open({"xterm", "XTerm", "user@host: ~"});
    ASSERT_TRUE(m_client.activate(terminal));
    ASSERT_TRUE(waitUntil([&] { return workspace.frontmostApplication().bundleID == "XTerm"; }));
    m_client.close(terminal);
    EXPECT_TRUE(waitUntil([&] { return workspace.frontmostApplication() == FrontmostApplication {}; }));
    EXPECT_TRUE(m_log.lines().empty());
}

} // namespace
} // namespace tarn::input
