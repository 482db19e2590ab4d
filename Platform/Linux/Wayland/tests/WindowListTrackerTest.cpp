#include "Platform/Linux/Wayland/WindowListTracker.h"

#include <chrono>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "Platform/Linux/Wayland/tests/WorkspaceWatch.h"
#include "tests/TemporaryFolder.h"

#include <unistd.h>

namespace tarn::input {
namespace {

class WindowListTrackerTest : public ::testing::Test {
protected:
    WindowListTrackerTest()
    {
        std::filesystem::create_directories(m_folder.path() / "applications");
        std::ofstream(m_folder.path() / "applications/org.example.Sketch.desktop")
            << "[Desktop Entry]\nType=Application\nName=Sketch Pad\n";
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
};

// The answers the engine and the menus get from a sequence of lists, as a desktop would send them.
TEST_F(WindowListTrackerTest, FollowsTheFocusedWindowAndTellsEachChangeOnce)
{
    const DesktopWindow sketch {"org.example.Sketch.desktop", "One - Sketch", 0, false};
    const DesktopWindow notes {"org.example.Notes", "Shopping \u2014 Notes", 0, false};
    const DesktopWindow studioByID {"tarninput", "TarnInput", 0, false};
    const DesktopWindow studioByPid {"org.example.Whatever", "TarnInput", ::getpid(), false};
    const DesktopWindow otherProcess {"tarninput", "Another copy", ::getpid() + 1, false};
    const auto focused = [](DesktopWindow window) {
        window.focused = true;
        return window;
    };
    const FrontmostApplication sketchApp {ApplicationId("org.example.Sketch"), "Sketch Pad"};
    const FrontmostApplication notesApp {ApplicationId("org.example.Notes"), "Notes"};

    struct Step {
        const char* what;
        std::vector<DesktopWindow> windows;
        FrontmostApplication expected;
    };
    const Step steps[] = {
        {"a window is focused", {focused(sketch), notes}, sketchApp},
        {"its title changes", {{"org.example.Sketch.desktop", "Two - Sketch", 0, true}, notes}, sketchApp},
        {"our own window, known by its app id", {sketch, notes, focused(studioByID)}, sketchApp},
        {"another application", {sketch, focused(notes), studioByID}, notesApp},
        {"our own window, known by its process", {sketch, notes, focused(studioByPid)}, notesApp},
        {"our app id in another process counts", {sketch, notes, focused(otherProcess)},
            {ApplicationId("tarninput"), "tarninput"}},
        {"nothing focused, for a moment", {sketch, notes}, {ApplicationId("tarninput"), "tarninput"}},
        {"back to the first", {focused(sketch)}, sketchApp},
    };
    WindowListTracker tracker(environment());
    WorkspaceWatch watch(tracker);
    std::vector<FrontmostApplication> expectedNotices;
    for (const auto& step : steps) {
        tracker.update(step.windows);
        EXPECT_EQ(tracker.frontmost(), step.expected) << step.what;
        if (expectedNotices.empty() || expectedNotices.back() != step.expected) {
            expectedNotices.push_back(step.expected);
        }
    }
    EXPECT_EQ(watch.notices(), expectedNotices);
}

TEST_F(WindowListTrackerTest, ListsEachRunningApplicationOnce)
{
    WindowListTracker tracker(environment());
    tracker.update({{"org.example.Sketch", "One - Sketch", 0, true}, {"org.example.Sketch.desktop", "Two", 0, false},
        {"org.example.Notes", "Shopping \u2014 Notes", 0, false}, {"", "A window without an id", 0, false}});
    EXPECT_EQ(tracker.running(),
        (std::vector<RunningApplication> {{"org.example.Sketch", "Sketch Pad"}, {"org.example.Notes", "Notes"}}));
    tracker.update({});
    EXPECT_TRUE(tracker.running().empty());
}

TEST_F(WindowListTrackerTest, NothingInFrontCountsOnceItHasLasted)
{
    const DesktopWindow sketch {"org.example.Sketch", "One - Sketch", 0, true};
    const DesktopWindow notes {"org.example.Notes", "Shopping \u2014 Notes", 0, true};
    WindowListTracker tracker(environment());
    WorkspaceWatch watch(tracker);
    EXPECT_FALSE(tracker.update({sketch}));

    // The focus moves by way of nothing: only the move is told.
    const auto before = std::chrono::steady_clock::now();
    const auto deadline = tracker.update({});
    ASSERT_TRUE(deadline);
    EXPECT_GE(*deadline, before + WindowListTracker::kNothingInFrontDelay);
    tracker.settle();
    EXPECT_EQ(tracker.frontmost().bundleID, "org.example.Sketch") << "too early";
    EXPECT_FALSE(tracker.update({notes}));
    std::this_thread::sleep_until(*deadline);
    tracker.settle();
    EXPECT_EQ(tracker.frontmost().bundleID, "org.example.Notes");

    // Nothing that lasts: told once, when it is due.
    const auto nothingAt = tracker.update({});
    ASSERT_TRUE(nothingAt);
    EXPECT_EQ(tracker.update({}), nothingAt) << "a second empty list does not put it off";
    std::this_thread::sleep_until(*nothingAt);
    tracker.settle();
    EXPECT_EQ(tracker.frontmost(), FrontmostApplication {});
    EXPECT_FALSE(tracker.update({})) << "nothing is in front already";

    const std::vector<FrontmostApplication> expected {
        {ApplicationId("org.example.Sketch"), "Sketch Pad"}, {ApplicationId("org.example.Notes"), "Notes"}, {}};
    EXPECT_EQ(watch.notices(), expected);
}

} // namespace
} // namespace tarn::input
