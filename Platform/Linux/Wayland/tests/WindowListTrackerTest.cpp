#include "Platform/Linux/Wayland/WindowListTracker.h"

#include <fstream>

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
    const FrontmostApplication sketchApp {"org.example.Sketch", "Sketch Pad"};
    const FrontmostApplication notesApp {"org.example.Notes", "Notes"};

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
        {"our app id in another process counts", {sketch, notes, focused(otherProcess)}, {"tarninput", "tarninput"}},
        {"nothing focused", {sketch, notes}, {}},
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

} // namespace
} // namespace tarn::input
