// The overlays on a real X server with a window manager and a compositor: they never take the
// focus, clicks pass through them, they stay on every desktop and they are translucent.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include "Platform/Linux/X11/X11OverlayWindowManager.h"
#include "TarnInput/Overlays/KeyHUD/KeyHUDOverlayController.h"
#include "TarnInput/Overlays/KeyHUD/KeyHUDPillView.h"
#include "TarnInput/Overlays/QtOverlayScreens.h"
#include "TarnInput/Overlays/Ripples/ClickRippleHaloView.h"
#include "TarnInput/Overlays/Ripples/RippleAnimation.h"
#include "TarnInput/Overlays/tests/OverlayFakes.h"
#include "TarnKit/Foundation/Files/CHandle.h"

namespace tarn::input {
namespace {

using Connection = CHandle<xcb_connection_t, xcb_disconnect>;
template <typename Reply> using ReplyPtr = CHandle<Reply, std::free>;

// Keeps Qt's events flowing until `done` holds or five seconds pass; the window manager and the
// compositor answer in their own time.
bool processEventsUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(10);
    }
    return done();
}

xcb_connection_t* qtConnection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// A plain window that counts the left presses it receives.
class PressTarget final : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override { presses += event->button() == Qt::LeftButton ? 1 : 0; }
};

class OverlayWindowsX11Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        ASSERT_TRUE(windowManager->isConnected());
        ASSERT_EQ(xcb_connection_has_error(connection.get()), 0);
        ASSERT_TRUE(xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(connection.get(), &ewmh), nullptr));
    }

    void TearDown() override { xcb_ewmh_connection_wipe(&ewmh); }

    bool isViewable(xcb_window_t window)
    {
        const ReplyPtr<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
            connection.get(), xcb_get_window_attributes(connection.get(), window), nullptr));
        return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    bool isOverrideRedirect(xcb_window_t window)
    {
        const ReplyPtr<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
            connection.get(), xcb_get_window_attributes(connection.get(), window), nullptr));
        return reply && reply->override_redirect != 0;
    }

    int rootChildCount()
    {
        const ReplyPtr<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection.get(), xcb_query_tree(connection.get(), root()), nullptr));
        return tree ? xcb_query_tree_children_length(tree.get()) : -1;
    }

    xcb_window_t activeWindow()
    {
        xcb_window_t window = XCB_NONE;
        return xcb_ewmh_get_active_window_reply(&ewmh, xcb_ewmh_get_active_window(&ewmh, 0), &window, nullptr)
            ? window
            : XCB_NONE;
    }

    xcb_window_t inputFocus()
    {
        const ReplyPtr<xcb_get_input_focus_reply_t> reply(
            xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()), nullptr));
        return reply ? reply->focus : XCB_NONE;
    }

    std::vector<xcb_atom_t> wmStates(xcb_window_t window)
    {
        xcb_ewmh_get_atoms_reply_t atoms {};
        if (!xcb_ewmh_get_wm_state_reply(&ewmh, xcb_ewmh_get_wm_state(&ewmh, window), &atoms, nullptr)) {
            return {};
        }
        std::vector<xcb_atom_t> states(atoms.atoms, atoms.atoms + atoms.atoms_len);
        xcb_ewmh_get_atoms_reply_wipe(&atoms);
        return states;
    }

    // Children of the root, bottom first; -1 for a window that is not one.
    int stackingIndex(xcb_window_t window)
    {
        const ReplyPtr<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection.get(), xcb_query_tree(connection.get(), root()), nullptr));
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        for (int i = 0; i < count; ++i) {
            if (children[i] == window) {
                return i;
            }
        }
        return -1;
    }

    // The child of the root that holds `window`: the window manager's frame around it.
    xcb_window_t topLevelOf(xcb_window_t window)
    {
        while (true) {
            const ReplyPtr<xcb_query_tree_reply_t> tree(
                xcb_query_tree_reply(connection.get(), xcb_query_tree(connection.get(), window), nullptr));
            if (!tree || tree->parent == root() || tree->parent == XCB_NONE) {
                return window;
            }
            window = tree->parent;
        }
    }

    xcb_window_t root() { return xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data->root; }

    std::uint32_t currentDesktop()
    {
        std::uint32_t desktop = 0;
        xcb_ewmh_get_current_desktop_reply(&ewmh, xcb_ewmh_get_current_desktop(&ewmh, 0), &desktop, nullptr);
        return desktop;
    }

    void showAndActivate(QWidget& window)
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const auto id = static_cast<xcb_window_t>(window.winId());
        // Asked as a pager would; repeated because the manager may not manage the window yet.
        ASSERT_TRUE(processEventsUntil([&] {
            if (inputFocus() == id && activeWindow() == id) {
                return true;
            }
            window.activateWindow();
            return false;
        }));
    }

    // The pointer's device position of the logical point `logical`.
    static QPoint devicePoint(QPoint logical)
    {
        return QtOverlayScreens().layout().deviceFromLogical(QPointF(logical)).toPoint();
    }

    Connection connection {xcb_connect(nullptr, nullptr)};
    xcb_ewmh_connection_t ewmh {};
    // The overlays stay until the test moves this clock; the tests wait on the X server only.
    FakeOverlayClock clock;
    QtOverlayScreens screens;
    // On Qt's own connection, as the program does.
    std::unique_ptr<X11OverlayWindowManager> windowManager = X11OverlayWindowManager::sharingConnection(qtConnection());
};

TEST_F(OverlayWindowsX11Test, ShowingTheOverlaysLeavesTheFocusedWindowFocused)
{
    QWidget editor;
    editor.setObjectName(QStringLiteral("editor"));
    editor.setGeometry(100, 100, 500, 400);
    showAndActivate(editor);
    const auto editorId = static_cast<xcb_window_t>(editor.winId());

    KeyHUDOverlayController overlays(clock, screens, *windowManager);
    overlays.push(KeyHUDToken {Uuid::random(), "⌘K", true, {}}, KeyHUDPosition::bottomCenter, 2.0);
    overlays.showClickRipple(ClickRippleEvent {{300, 300}, false});
    overlays.push(KeyHUDToken {Uuid::random(), "⇧⌘4", true, {}}, KeyHUDPosition::bottomCenter, 2.0);
    const auto hud = static_cast<xcb_window_t>(overlays.panel()->winId());
    const auto ripple = static_cast<xcb_window_t>(overlays.ripples().ripples().front()->winId());
    ASSERT_TRUE(processEventsUntil([&] { return isViewable(hud) && isViewable(ripple); }));

    // Give the window manager the moment it would take to move the focus, then look.
    QTest::qWait(300);
    EXPECT_EQ(activeWindow(), editorId);
    EXPECT_EQ(inputFocus(), editorId);
    EXPECT_EQ(QApplication::activeWindow(), &editor);
}

TEST_F(OverlayWindowsX11Test, AClickOnARippleReachesTheWindowBelow)
{
    PressTarget target;
    target.setGeometry(200, 150, 600, 400);
    showAndActivate(target);

    const QPoint centre = target.mapToGlobal(QPoint(300, 200));
    const QPoint device = devicePoint(centre);
    ClickRippleOverlay ripples(clock, screens, *windowManager);
    ripples.show(ClickRippleEvent {{double(device.x()), double(device.y())}, false});
    const ClickRippleHaloView& halo = *ripples.ripples().front();
    ASSERT_TRUE(processEventsUntil([&] { return isViewable(static_cast<xcb_window_t>(halo.winId())); }));
    ASSERT_TRUE(halo.frameGeometry().contains(centre)) << "the ripple covers the click";

    // At the centre, and on the ring itself: without a compositor the window is masked to the
    // ring, and the ring too must let the click through.
    int clicks = 0;
    for (const QPoint at : {device, device + QPoint(8, 0)}) {
        ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                          QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")}),
            0);
        ++clicks;
        EXPECT_TRUE(processEventsUntil([&] { return target.presses == clicks; })) << at.x() << "," << at.y();
    }
}

// Press after press, one at a time, shows the same X window again: no new window reaches the
// server, and the reused one is still unmanaged, placed at its own press and lets clicks through.
TEST_F(OverlayWindowsX11Test, RipplesOneAtATimeReuseOneWindowThatStillLetsClicksThrough)
{
    PressTarget target;
    target.setGeometry(200, 150, 600, 400);
    showAndActivate(target);

    ClickRippleOverlay ripples(clock, screens, *windowManager);
    xcb_window_t window = XCB_NONE;
    int topLevelsWithOne = -1;
    for (int press = 0; press < 12; ++press) {
        const QPoint centre = target.mapToGlobal(QPoint(100 + 30 * press, 120 + 10 * press));
        const QPoint device = devicePoint(centre);
        ripples.show(ClickRippleEvent {{double(device.x()), double(device.y())}, press % 2 == 1});
        const ClickRippleHaloView& halo = *ripples.ripples().front();
        const auto id = static_cast<xcb_window_t>(halo.winId());
        ASSERT_TRUE(processEventsUntil([&] { return isViewable(id); })) << "press " << press;
        if (press == 0) {
            window = id;
            topLevelsWithOne = rootChildCount();
        }
        EXPECT_EQ(id, window) << "press " << press;
        EXPECT_EQ(rootChildCount(), topLevelsWithOne) << "press " << press;
        EXPECT_TRUE(isOverrideRedirect(id));
        ASSERT_TRUE(halo.frameGeometry().contains(centre)) << "press " << press;

        if (press == 11) {
            ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(device.x()),
                              QString::number(device.y()), QStringLiteral("click"), QStringLiteral("1")}),
                0);
            EXPECT_TRUE(processEventsUntil([&] { return target.presses == 1; })) << "through the reused ripple";
        }
        clock.advance(RippleAnimation::kLifetime);
        ASSERT_TRUE(processEventsUntil([&] { return !isViewable(id); })) << "press " << press;
    }
    EXPECT_EQ(ripples.windowCount(), 1U);
}

TEST_F(OverlayWindowsX11Test, TheHUDStaysOnEveryDesktopAndAboveOtherWindows)
{
    KeyHUDOverlayController overlays(clock, screens, *windowManager);
    overlays.push(KeyHUDToken {Uuid::random(), "⌘S", true, {}}, KeyHUDPosition::topRight, 2.0);
    const auto hud = static_cast<xcb_window_t>(overlays.panel()->winId());
    ASSERT_TRUE(processEventsUntil([&] { return isViewable(hud); }));

    const std::vector<xcb_atom_t> states = wmStates(hud);
    for (const xcb_atom_t state : {ewmh._NET_WM_STATE_STICKY, ewmh._NET_WM_STATE_ABOVE, ewmh._NET_WM_STATE_SKIP_TASKBAR,
             ewmh._NET_WM_STATE_SKIP_PAGER}) {
        EXPECT_NE(std::find(states.begin(), states.end(), state), states.end()) << state;
    }
    std::uint32_t desktop = 0;
    ASSERT_TRUE(xcb_ewmh_get_wm_desktop_reply(&ewmh, xcb_ewmh_get_wm_desktop(&ewmh, hud), &desktop, nullptr));
    EXPECT_EQ(desktop, 0xFFFFFFFFU);

    const std::uint32_t before = currentDesktop();
    const std::uint32_t other = before == 0 ? 1 : 0;
    xcb_ewmh_request_change_current_desktop(&ewmh, 0, other, XCB_CURRENT_TIME);
    xcb_flush(connection.get());
    ASSERT_TRUE(processEventsUntil([&] { return currentDesktop() == other; }));
    QTest::qWait(100);
    EXPECT_TRUE(isViewable(hud)) << "still shown on the other desktop";

    xcb_ewmh_request_change_current_desktop(&ewmh, 0, before, XCB_CURRENT_TIME);
    xcb_flush(connection.get());
    processEventsUntil([&] { return currentDesktop() == before; });

    // A window opened and raised later, over the whole screen, stays below the HUD.
    QWidget cover;
    cover.setGeometry(0, 0, 1280, 800);
    showAndActivate(cover);
    cover.raise();
    QTest::qWait(200);
    EXPECT_GT(stackingIndex(hud), stackingIndex(topLevelOf(static_cast<xcb_window_t>(cover.winId()))));
}

TEST_F(OverlayWindowsX11Test, RipplesStayAboveTheHUDWhenItRisesForAKey)
{
    KeyHUDOverlayController overlays(clock, screens, *windowManager);
    overlays.push(KeyHUDToken {Uuid::random(), "A", false, {}}, KeyHUDPosition::bottomCenter, 2.0);
    overlays.showClickRipple(ClickRippleEvent {{640, 700}, false});
    overlays.push(KeyHUDToken {Uuid::random(), "B", false, {}}, KeyHUDPosition::bottomCenter, 2.0);
    const auto hud = static_cast<xcb_window_t>(overlays.panel()->winId());
    const auto ripple = static_cast<xcb_window_t>(overlays.ripples().ripples().front()->winId());
    ASSERT_TRUE(processEventsUntil([&] { return isViewable(hud) && isViewable(ripple); }));
    // Qt sends its restacking requests when it next flushes; make it flush and wait for them.
    QGuiApplication::sync();
    EXPECT_GT(stackingIndex(ripple), stackingIndex(hud));
}

TEST_F(OverlayWindowsX11Test, WithACompositorTheOverlaysAreTranslucentAndUnmasked)
{
    ASSERT_TRUE(processEventsUntil([&] { return windowManager->isCompositing(); })) << "the compositor runs";

    KeyHUDOverlayController overlays(clock, screens, *windowManager);
    overlays.push(KeyHUDToken {Uuid::random(), "⌘Z", true, {}}, KeyHUDPosition::bottomLeft, 2.0);
    overlays.showClickRipple(ClickRippleEvent {{500, 400}, true});
    for (const QWidget* window : {static_cast<const QWidget*>(overlays.panel()),
             static_cast<const QWidget*>(overlays.ripples().ripples().front())}) {
        const auto id = static_cast<xcb_window_t>(window->winId());
        ASSERT_TRUE(processEventsUntil([&] { return isViewable(id); }));
        const ReplyPtr<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection.get(), xcb_get_geometry(connection.get(), id), nullptr));
        ASSERT_TRUE(geometry);
        EXPECT_EQ(geometry->depth, 32) << window->objectName().toStdString() << ": a visual with alpha";
        EXPECT_TRUE(window->mask().isEmpty()) << window->objectName().toStdString();
    }
}

TEST_F(OverlayWindowsX11Test, TheHUDWindowHoldsEveryKeyItNamesWhole)
{
    KeyHUDOverlayController overlays(clock, screens, *windowManager);
    for (const char* token : {"⇧⌘K", "⌃⌥↩", "⌘⎋", "⌃⌫"}) {
        overlays.push(KeyHUDToken {Uuid::random(), token, true, {}}, KeyHUDPosition::bottomCenter, 2.0);
    }
    const KeyHUDPillView& panel = *overlays.panel();
    const auto hud = static_cast<xcb_window_t>(panel.winId());
    ASSERT_TRUE(processEventsUntil([&] { return isViewable(hud); }));
    const ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection.get(), xcb_get_geometry(connection.get(), hud), nullptr));
    ASSERT_TRUE(geometry);
    EXPECT_GE(static_cast<int>(geometry->width), panel.naturalWidth()) << "the window manager kept the width";
    EXPECT_EQ(panel.shownTexts(), QStringList({"Shift+Super+K", "Ctrl+Alt+Enter", "Super+Esc", "Ctrl+Backspace"}));
}

} // namespace
} // namespace tarn::input
