// Which workspace adapter each kind of session gets, with KWin faked on the session bus.

#include "Platform/Linux/Wayland/SessionWorkspace.h"

#include <map>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/RecordingLogSink.h"
#include "Platform/Linux/Wayland/GnomeShellWorkspace.h"
#include "Platform/Linux/Wayland/tests/dbus/FakeKWin.h"
#include "Platform/Linux/X11/X11Workspace.h"
#include "tests/TemporaryFolder.h"

namespace tarn::input {
namespace {

enum class Adapter { x11, gnomeShell, kwin };

Adapter adapterOf(const Workspace& workspace)
{
    if (dynamic_cast<const GnomeShellWorkspace*>(&workspace) != nullptr) {
        return Adapter::gnomeShell;
    }
    if (dynamic_cast<const KWinWorkspace*>(&workspace) != nullptr) {
        return Adapter::kwin;
    }
    EXPECT_NE(dynamic_cast<const X11Workspace*>(&workspace), nullptr);
    return Adapter::x11;
}

TEST(SessionWorkspace, ChoosesTheAdapterOfTheSession)
{
    TemporaryFolder folder;
    struct Case {
        const char* what;
        std::map<std::string, std::string> variables;
        bool withKWin;
        Adapter expected;
    };
    const Case cases[] = {
        {"X11 session", {{"XDG_SESSION_TYPE", "x11"}, {"XDG_CURRENT_DESKTOP", "GNOME"}}, true, Adapter::x11},
        {"GNOME on Wayland", {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}, false,
            Adapter::gnomeShell},
        {"Plasma on Wayland", {{"WAYLAND_DISPLAY", "wayland-none"}, {"XDG_CURRENT_DESKTOP", "KDE"}}, true,
            Adapter::kwin},
        {"Plasma without KWin's scripting", {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "KDE"}}, false,
            Adapter::x11},
        {"another Wayland desktop", {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "XFCE"}}, true,
            Adapter::x11},
    };
    for (const auto& test : cases) {
        FakeBusService service;
        ASSERT_TRUE(service.connected()) << "no session bus";
        std::optional<FakeKWin> kwin;
        if (test.withKWin) {
            kwin.emplace(service);
        }
        auto variables = test.variables;
        variables["XDG_RUNTIME_DIR"] = folder.path().string();
        RecordingLogSink log;
        const auto workspace = SessionWorkspace::choose(log, [&](std::string_view name) -> std::optional<std::string> {
            const auto found = variables.find(std::string(name));
            return found != variables.end() ? std::optional(found->second) : std::nullopt;
        });
        ASSERT_TRUE(workspace) << test.what;
        EXPECT_EQ(adapterOf(*workspace), test.expected) << test.what;
    }
}

} // namespace
} // namespace tarn::input
