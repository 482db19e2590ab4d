#include "TarnKit/UI/Chrome/TarnAppActivationDelegate.h"

#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/FakeClock.h"
#include "TarnKit/Foundation/Identity/TarnAppIdentity.h"
#include "TarnKit/Foundation/Logging/TarnAppLogger.h"
#include "TarnKit/UI/Chrome/QtApplicationWindows.h"
#include "TarnKit/UI/tests/FakeApplicationWindows.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

using Steps = std::vector<std::string>;

struct DelegateWorld {
    FakeApplicationWindows windows;
    NotificationCenter notifications;
    std::vector<std::pair<std::chrono::milliseconds, std::function<void()>>> scheduled;
    TarnAppActivationDelegate delegate {
        windows, notifications, [this](std::chrono::milliseconds delay, std::function<void()> task) {
            scheduled.emplace_back(delay, std::move(task));
        }};
};

const ApplicationWindowState kPanel {false, true, false, true};
const ApplicationWindowState kMinimisedStudio {true, false, true, false};
const ApplicationWindowState kVisibleStudio {true, false, false, true};

TEST(TarnAppActivationDelegate, LaunchLineNamesTheLinuxSystemAndIsReadBack)
{
    TemporaryFolder folder;
    FakeClock clock;
    TarnAppLogger::Services services;
    services.clock = &clock;
    TarnAppLogger logger("TarnInput", folder.path(), 1 << 20, 1, {}, services);
    DelegateWorld world;
    world.windows.setWindows({kPanel, kMinimisedStudio});

    TarnAppActivationDelegate::LaunchFacts facts;
    facts.info.displayName = "TarnInput";
    facts.info.shortVersion = "2.3.0";
    facts.info.buildNumber = "230";
    facts.system = {"Linux", "6.1.0-13-amd64", "x86_64", "Debian GNU/Linux 12"};
    facts.log = &logger;
    world.delegate.applicationDidFinishLaunching(facts);

    const auto entries = logger.recentEntries(5, TarnLogLevel::debug);
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries[0].message, "TarnInput v2.3.0 (230) launched (Linux 6.1.0, Debian GNU/Linux 12)");
    EXPECT_EQ(entries[0].category, "lifecycle");
    EXPECT_EQ(entries[0].level, TarnLogLevel::info);

    // Nothing is fronted until the delay has passed; then the minimised studio, never the panel.
    EXPECT_TRUE(world.windows.steps().empty());
    ASSERT_EQ(world.scheduled.size(), 1U);
    EXPECT_EQ(world.scheduled[0].first, std::chrono::milliseconds(100));
    world.scheduled[0].second();
    EXPECT_EQ(world.windows.steps(), (Steps {"activate", "restore 1", "front 1"}));
}

TEST(TarnAppActivationDelegate, LaunchFallsBackForNameVersionAndDistribution)
{
    BuildInfo info;
    EXPECT_EQ(TarnAppActivationDelegate::applicationName(info, "tarninput"), "tarninput");
    EXPECT_EQ(TarnAppActivationDelegate::applicationName(info, std::nullopt), "TarnInput");
    EXPECT_EQ(TarnAppActivationDelegate::launchMessage(
                  "TarnInput", TarnAppVersion::current(info, "1.0.0", "100"), {"Linux", "6.8", "aarch64", ""}),
        "TarnInput v1.0.0 (100) launched (Linux 6.8.0)");
}

TEST(TarnAppActivationDelegate, ReopenFrontsAVisibleStudioOrPostsOneNotice)
{
    struct Case {
        std::string name;
        std::vector<ApplicationWindowState> windows;
        bool hasVisibleWindows;
        Steps steps;
        int notices;
    };
    const std::vector<Case> cases {
        {"visible studio", {kPanel, kVisibleStudio}, true, {"activate", "front 1"}, 0},
        {"nothing visible", {kMinimisedStudio}, false, {"activate"}, 1},
        {"only a panel", {kPanel}, true, {"activate"}, 0},
        {"no window at all", {}, false, {"activate"}, 1},
    };
    for (const auto& c : cases) {
        DelegateWorld world;
        world.windows.setWindows(c.windows);
        int notices = 0;
        const auto subscription
            = world.notifications.observe(std::string(tarnReopenStudioWindow), [&](const Notification&) { ++notices; });
        EXPECT_TRUE(world.delegate.applicationShouldHandleReopen(c.hasVisibleWindows)) << c.name;
        EXPECT_EQ(world.windows.steps(), c.steps) << c.name;
        EXPECT_EQ(notices, c.notices) << c.name;
    }
}

TEST(QtApplicationWindows, FrontsAndRestoresARealMinimisedWindowButNeverAPanel)
{
    QWidget panel(nullptr, Qt::Tool);
    panel.show();
    // What Qt makes for a tray icon on an XEmbed tray: a window the window manager never sees.
    QWidget trayIcon(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    trayIcon.show();
    QMainWindow studio;
    studio.showMinimized();
    QtApplicationWindows windows;
    DelegateWorld world;
    TarnAppActivationDelegate delegate(windows, world.notifications, [](auto, auto) {});
    EXPECT_EQ(QtApplicationWindows::stateOf(panel).isPanel, true);
    EXPECT_EQ(QtApplicationWindows::stateOf(trayIcon).canBecomeMain, false);
    EXPECT_EQ(QtApplicationWindows::stateOf(studio).canBecomeMain, true);
    delegate.bringStudioWindowToFront();
    EXPECT_FALSE(studio.isMinimized());
    EXPECT_TRUE(studio.isVisible());
}

} // namespace
} // namespace tarn
