// Window access against a real X server with a window manager: the window under a point, its
// frame, and moves and resizes read back from the server.

#include "Platform/Linux/X11/X11WindowAccess.h"

#include <gtest/gtest.h>

#include "Platform/Linux/tests/x11/X11WindowsFixture.h"

namespace tarn::input {
namespace {

class X11WindowAccessTest : public X11WindowsFixture {
protected:
    X11WindowAccess m_access {m_log};
};

TEST_F(X11WindowAccessTest, FindsTheTopmostApplicationWindowButNeverTheDesktopOrADock)
{
    const auto desktop
        = open({"desktop", "Desktop", "Desktop", false, m_client.ewmh()._NET_WM_WINDOW_TYPE_DESKTOP, 0, 0, 1280, 800});
    const auto lower = open({"lower", "Lower", "Lower", false, XCB_ATOM_NONE, 100, 100, 300, 200});
    const auto upper = open({"upper", "Upper", "Upper", false, XCB_ATOM_NONE, 250, 150, 300, 200});
    open({"panel", "Panel", "Panel", false, m_client.ewmh()._NET_WM_WINDOW_TYPE_DOCK, 0, 760, 1280, 40});
    ASSERT_TRUE(m_client.activate(upper));
    ASSERT_NE(desktop, XCB_NONE);

    const auto upperArea = m_client.geometry(upper);
    const auto lowerArea = m_client.geometry(lower);
    struct Case {
        const char* where;
        EventPoint point;
        std::optional<WindowRef> expected;
    };
    const Case cases[] = {
        {"inside the upper window", {upperArea.x + 10.0, upperArea.y + 10.0}, WindowRef {upper}},
        {"where both overlap", {upperArea.x + 5.0, lowerArea.y + lowerArea.height - 5.0}, WindowRef {upper}},
        {"the lower window alone", {lowerArea.x + 5.0, lowerArea.y + 5.0}, WindowRef {lower}},
        {"on the upper window's title bar", {upperArea.x + 10.0, upperArea.y - 3.0}, WindowRef {upper}},
        {"the desktop", {1000, 50}, std::nullopt},
        {"the dock", {640, 780}, std::nullopt},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(m_access.windowAt(test.point), test.expected) << test.where;
    }
}

// A manager that keeps no client list: the application's window inside its frame is the one
// with WM_STATE.
TEST_F(X11WindowAccessTest, FindsTheWindowInItsFrameWithoutTheManagersClientList)
{
    const auto window = open({"plain", "Plain", "Plain", false, XCB_ATOM_NONE, 200, 160, 300, 200});
    const auto area = m_client.geometry(window);
    const auto clients = m_client.atom("_NET_CLIENT_LIST");
    const auto stacking = m_client.atom("_NET_CLIENT_LIST_STACKING");
    m_client.deleteRootProperties({clients, stacking});
    ASSERT_FALSE(m_client.isClient(window)) << "the manager lists no clients now";

    const auto found = m_access.windowAt({area.x + 10.0, area.y + 10.0});
    const auto onTitleBar = m_access.windowAt({area.x + 10.0, area.y - 3.0});
    EXPECT_EQ(found, WindowRef {window});
    EXPECT_EQ(onTitleBar, WindowRef {window});
    EXPECT_EQ(m_access.frame(WindowRef {window}), (WindowFrame {{double(area.x), double(area.y)}, {300, 200}}));
}

TEST_F(X11WindowAccessTest, MovesAndResizesWhereAsked)
{
    const auto window = open({"mover", "Mover", "Mover", false, XCB_ATOM_NONE, 120, 140, 320, 180});
    const auto area = m_client.geometry(window);
    const WindowRef ref {window};
    ASSERT_EQ(m_access.frame(ref), (WindowFrame {{double(area.x), double(area.y)}, {320, 180}}));

    // Moving to where it is changes nothing, so a drag starts without a jump.
    ASSERT_TRUE(m_access.setPosition(ref, m_access.frame(ref)->origin));
    ASSERT_TRUE(m_access.setPosition(ref, {400, 300}));
    EXPECT_TRUE(waitUntil([&] {
        return m_client.geometry(window) == X11TestClient::Rectangle {400, 300, 320, 180};
    })) << m_client.geometry(window);

    ASSERT_TRUE(m_access.setSize(ref, {500.4, 260}));
    EXPECT_TRUE(waitUntil([&] {
        return m_client.geometry(window) == X11TestClient::Rectangle {400, 300, 500, 260};
    })) << m_client.geometry(window);
    EXPECT_EQ(m_access.frame(ref), (WindowFrame {{400, 300}, {500, 260}}));
    EXPECT_TRUE(m_log.lines().empty());
}

// A manager without _NET_MOVERESIZE_WINDOW gets configure requests, which place its frame; the
// window itself still lands where asked.
TEST_F(X11WindowAccessTest, MovesThroughConfigureRequestsWhereTheManagerLacksMoveResize)
{
    const auto supported = m_client.supported();
    auto reduced = supported;
    std::erase(reduced, m_client.ewmh()._NET_MOVERESIZE_WINDOW);
    ASSERT_LT(reduced.size(), supported.size());
    m_client.setSupported(reduced);

    const auto window = open({"mover", "Mover", "Mover", false, XCB_ATOM_NONE, 120, 140, 320, 180});
    const WindowRef ref {window};
    ASSERT_TRUE(m_access.setPosition(ref, {420, 310}));
    const bool moved = waitUntil([&] {
        return m_client.geometry(window) == X11TestClient::Rectangle {420, 310, 320, 180};
    });
    ASSERT_TRUE(m_access.setSize(ref, {260, 200}));
    const bool resized = waitUntil([&] {
        return m_client.geometry(window) == X11TestClient::Rectangle {420, 310, 260, 200};
    });
    m_client.setSupported(supported);
    EXPECT_TRUE(moved) << m_client.geometry(window);
    EXPECT_TRUE(resized);
}

TEST_F(X11WindowAccessTest, AnswersNothingForAVanishedWindow)
{
    const auto window = open({"gone", "Gone", "Gone"});
    m_client.close(window);
    m_windows.clear();
    EXPECT_TRUE(waitUntil([&] { return !m_access.frame(WindowRef {window}); }));
    EXPECT_FALSE(m_access.frame(WindowRef {0}));
    EXPECT_FALSE(m_access.setPosition(WindowRef {0}, {1, 1}));
}

} // namespace
} // namespace tarn::input
