// Without an X11 session the desktop adapters cannot learn about windows or devices: each says
// so once in the log and answers "unknown" or "not available", and nothing waits or fails hard.

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/Desktop/DesktopSession.h"
#include "Platform/Linux/X11/LibinputPointerPreferences.h"
#include "Platform/Linux/X11/X11PointerLocationListener.h"
#include "Platform/Linux/X11/X11PointerPropertyBackend.h"
#include "Platform/Linux/X11/X11WindowAccess.h"
#include "Platform/Linux/X11/X11Workspace.h"

namespace tarn::input {
namespace {

struct Session {
    const char* what;
    std::map<std::string, std::string> variables;
    const char* reason;
};

const Session kSessions[] = {
    {"Wayland session with XWayland", {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, "Wayland session"},
    {"Wayland display alone", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "Wayland session"},
    {"console", {{"XDG_SESSION_TYPE", "tty"}}, "no X11 display"},
    {"empty display", {{"DISPLAY", ""}}, "no X11 display"},
    {"unreachable display", {{"DISPLAY", ":987"}, {"XDG_SESSION_TYPE", "x11"}}, ""},
};

EnvironmentLookup lookupFor(const Session& session)
{
    return [variables = session.variables](std::string_view name) -> std::optional<std::string> {
        const auto found = variables.find(std::string(name));
        return found == variables.end() ? std::nullopt : std::optional(found->second);
    };
}

TEST(DesktopSession, TellsWhyThereIsNoDisplayToUse)
{
    for (const auto& session : kSessions) {
        const auto desktop = DesktopSession::fromEnvironment(lookupFor(session));
        EXPECT_EQ(desktop.display.has_value(), std::string_view(session.reason).empty()) << session.what;
        EXPECT_EQ(desktop.unavailableReason, session.reason) << session.what;
    }
}

TEST(DesktopAdaptersWithoutX11, AnswerUnknownAndLogOnceEach)
{
    for (const auto& session : kSessions) {
        RecordingLogSink log;
        const auto environment = lookupFor(session);

        X11Workspace workspace(log, environment);
        EXPECT_FALSE(workspace.isConnected()) << session.what;
        EXPECT_EQ(workspace.frontmostApplication(), FrontmostApplication {}) << session.what;
        EXPECT_TRUE(workspace.runningApplications().empty()) << session.what;
        auto subscription = workspace.subscribeActivation([](const FrontmostApplication&) {});

        X11WindowAccess windows(log, environment);
        EXPECT_FALSE(windows.windowAt({10, 10})) << session.what;
        EXPECT_FALSE(windows.frame(WindowRef {42})) << session.what;
        EXPECT_FALSE(windows.setPosition(WindowRef {42}, {1, 1})) << session.what;
        EXPECT_FALSE(windows.setSize(WindowRef {42}, {300, 200})) << session.what;

        PointerLocationCache cache;
        X11PointerLocationListener listener(cache, log, environment);
        EXPECT_FALSE(listener.isListening()) << session.what;
        EXPECT_FALSE(cache.isFollowedByDisplayServer()) << session.what;

        X11PointerPropertyBackend backend(environment);
        LibinputPointerPreferences preferences(backend, log);
        EXPECT_FALSE(preferences.linear()) << session.what;
        EXPECT_FALSE(preferences.scaling()) << session.what;
        preferences.setLinear(true);
        EXPECT_FALSE(preferences.synchronize()) << session.what;
        EXPECT_FALSE(preferences.touchpadNaturalScrolling()) << session.what;
        EXPECT_FALSE(preferences.setTouchpadNaturalScrolling(true)) << session.what;

        EXPECT_EQ(log.lines().size(), 4U) << session.what;
        for (const auto& line : log.lines()) {
            EXPECT_EQ(line.level, TarnLogLevel::warn);
            EXPECT_EQ(line.category, "platform");
        }
    }
}

} // namespace
} // namespace tarn::input
