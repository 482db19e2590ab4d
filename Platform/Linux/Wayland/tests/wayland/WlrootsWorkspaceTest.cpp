// The wlroots workspace against a headless sway with windows of known app ids, one of them
// described by a desktop file in a temporary data folder and one the program's own.

#include "Platform/Linux/Wayland/WlrootsWorkspace.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/Wayland/SessionWorkspace.h"
#include "Platform/Linux/Wayland/WindowListTracker.h"
#include "Platform/Linux/Wayland/tests/WorkspaceWatch.h"
#include "tests/TemporaryFolder.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tarn::input {
namespace {

const FrontmostApplication kSketch {ApplicationId("org.example.Sketch"), "Sketch Pad"};
const FrontmostApplication kNotes {ApplicationId("org.example.Notes"), "Notes"};

// One test window, closed when the object goes.
class TestWindow {
public:
    TestWindow(const std::string& appID, const std::string& title)
    {
        std::string program = TARN_WAYLAND_TEST_WINDOW;
        char* argv[] = {program.data(), const_cast<char*>(appID.c_str()), const_cast<char*>(title.c_str()), nullptr};
        if (::posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
            m_pid = -1;
        }
    }
    ~TestWindow() { close(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    void close()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
};

bool focus(const std::string& appID)
{
    const std::string command = "swaymsg -q '[app_id=\"" + appID + "\"] focus'";
    return std::system(command.c_str()) == 0;
}

class WlrootsWorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_folder.path() / "applications");
        std::ofstream(m_folder.path() / "applications/org.example.Sketch.desktop")
            << "[Desktop Entry]\nType=Application\nName=Sketch Pad\n";
        std::string whyNot;
        m_workspace = WlrootsWorkspace::connect(environment(), whyNot);
        ASSERT_TRUE(m_workspace) << whyNot;
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
            if (name == "WAYLAND_DISPLAY") {
                return processEnvironment(name);
            }
            return std::nullopt;
        };
    }

    std::vector<RunningApplication> sortedRunning() const
    {
        auto running = m_workspace->runningApplications();
        std::sort(running.begin(), running.end(),
            [](const RunningApplication& a, const RunningApplication& b) { return a.bundleID < b.bundleID; });
        return running;
    }

    TemporaryFolder m_folder;
    std::unique_ptr<WlrootsWorkspace> m_workspace;
};

TEST_F(WlrootsWorkspaceTest, FollowsTheFocusedWindowOncePerChangeAndSkipsOurOwn)
{
    TestWindow sketch("org.example.Sketch", "Untitled - Sketch");
    TestWindow notes("org.example.Notes", "Shopping \u2014 Notes");
    ASSERT_TRUE(waitUntil([&] { return m_workspace->runningApplications().size() == 2; }));
    ASSERT_TRUE(focus("org.example.Notes"));
    ASSERT_TRUE(waitUntil([&] { return m_workspace->frontmostApplication() == kNotes; }));

    WorkspaceWatch watch(*m_workspace);
    // sway gives a new window the focus.
    TestWindow studio(WindowListTracker::kOwnAppID, "TarnInput");
    ASSERT_TRUE(waitUntil([&] { return m_workspace->runningApplications().size() == 3; }));
    EXPECT_EQ(m_workspace->frontmostApplication(), kNotes) << "our own window is never in front";

    ASSERT_TRUE(focus("org.example.Sketch"));
    ASSERT_TRUE(watch.waitForNotices(1));
    EXPECT_EQ(m_workspace->frontmostApplication(), kSketch);
    ASSERT_TRUE(focus("tarninput"));
    ASSERT_TRUE(focus("org.example.Notes"));
    ASSERT_TRUE(watch.waitForNotices(2));
    // Focusing the window in front again changes nothing; the next change shows that nothing was
    // told in between.
    ASSERT_TRUE(focus("org.example.Notes"));
    ASSERT_TRUE(focus("org.example.Sketch"));
    ASSERT_TRUE(watch.waitForNotices(3));
    EXPECT_EQ(watch.notices(), (std::vector {kSketch, kNotes, kSketch}));

    // Closing the window in front leaves sway's focus on another one.
    sketch.close();
    ASSERT_TRUE(watch.waitForNotices(4));
    EXPECT_NE(watch.notices().back(), kSketch);
}

TEST_F(WlrootsWorkspaceTest, ListsEachRunningApplicationOnce)
{
    TestWindow sketch("org.example.Sketch", "One - Sketch");
    TestWindow sketchSecond("org.example.Sketch.desktop", "Two - Sketch");
    TestWindow notes("org.example.Notes", "Shopping \u2014 Notes");
    ASSERT_TRUE(waitUntil([&] { return m_workspace->runningApplications().size() == 2; }));
    EXPECT_EQ(sortedRunning(),
        (std::vector<RunningApplication> {{"org.example.Notes", "Notes"}, {"org.example.Sketch", "Sketch Pad"}}));

    notes.close();
    EXPECT_TRUE(waitUntil([&] { return m_workspace->runningApplications().size() == 1; }));
    sketch.close();
    sketchSecond.close();
    EXPECT_TRUE(waitUntil([&] { return m_workspace->runningApplications().empty(); }));
    EXPECT_TRUE(waitUntil([&] { return m_workspace->frontmostApplication() == FrontmostApplication {}; }))
        << "with no window left nothing is in front";
}

TEST_F(WlrootsWorkspaceTest, IsTheChoiceWhereverTheCompositorListsItsWindows)
{
    RecordingLogSink log;
    const auto environment = [&](std::string_view name) -> std::optional<std::string> {
        // Even a desktop that names itself otherwise.
        return name == "XDG_CURRENT_DESKTOP" ? std::optional<std::string>("KDE") : this->environment()(name);
    };
    const auto workspace = SessionWorkspace::choose(log, environment);
    EXPECT_NE(dynamic_cast<const WlrootsWorkspace*>(workspace.get()), nullptr);
    EXPECT_TRUE(log.lines().empty());
}

} // namespace
} // namespace tarn::input
