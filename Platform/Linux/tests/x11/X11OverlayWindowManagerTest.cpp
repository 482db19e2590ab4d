// The overlay hints on a real X server: the compositor is found by its selection, and a window is
// marked for every desktop without losing the states it already had.

#include "Platform/Linux/X11/X11OverlayWindowManager.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include "TarnKit/Foundation/Files/CHandle.h"

namespace tarn::input {
namespace {

using Connection = CHandle<xcb_connection_t, xcb_disconnect>;
template <typename Reply> using ReplyPtr = CHandle<Reply, std::free>;

class X11OverlayWindowManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(xcb_connection_has_error(connection.get()), 0) << "no X display";
        ASSERT_TRUE(xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(connection.get(), &ewmh), nullptr));
        screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data;
    }

    void TearDown() override { xcb_ewmh_connection_wipe(&ewmh); }

    xcb_window_t createUnmappedWindow()
    {
        const xcb_window_t window = xcb_generate_id(connection.get());
        xcb_create_window(connection.get(), XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 50, 50, 0,
            XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        sync();
        return window;
    }

    // Returns once the server has handled every request sent so far, so that the adapter, on a
    // connection of its own, sees their effect.
    void sync()
    {
        const ReplyPtr<xcb_get_input_focus_reply_t> reply(
            xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()), nullptr));
    }

    std::vector<xcb_atom_t> states(xcb_window_t window)
    {
        xcb_ewmh_get_atoms_reply_t atoms {};
        if (!xcb_ewmh_get_wm_state_reply(&ewmh, xcb_ewmh_get_wm_state(&ewmh, window), &atoms, nullptr)) {
            return {};
        }
        std::vector<xcb_atom_t> result(atoms.atoms, atoms.atoms + atoms.atoms_len);
        xcb_ewmh_get_atoms_reply_wipe(&atoms);
        return result;
    }

    Connection connection {xcb_connect(nullptr, nullptr)};
    xcb_ewmh_connection_t ewmh {};
    xcb_screen_t* screen = nullptr;
};

TEST_F(X11OverlayWindowManagerTest, AddsTheOverlayStatesAndEveryDesktopOnceKeepingTheOthers)
{
    X11OverlayWindowManager windowManager;
    ASSERT_TRUE(windowManager.isConnected());
    const xcb_window_t window = createUnmappedWindow();
    xcb_atom_t above = ewmh._NET_WM_STATE_ABOVE;
    xcb_ewmh_set_wm_state(&ewmh, window, 1, &above);
    sync();

    windowManager.prepareToShow(window);
    windowManager.prepareToShow(window);

    std::vector<xcb_atom_t> actual = states(window);
    std::vector<xcb_atom_t> expected {ewmh._NET_WM_STATE_ABOVE, ewmh._NET_WM_STATE_STICKY,
        ewmh._NET_WM_STATE_SKIP_TASKBAR, ewmh._NET_WM_STATE_SKIP_PAGER};
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(actual, expected);

    std::uint32_t desktop = 0;
    ASSERT_TRUE(xcb_ewmh_get_wm_desktop_reply(&ewmh, xcb_ewmh_get_wm_desktop(&ewmh, window), &desktop, nullptr));
    EXPECT_EQ(desktop, 0xFFFFFFFFU);
    xcb_destroy_window(connection.get(), window);
}

TEST_F(X11OverlayWindowManagerTest, ACompositorIsWhoeverOwnsTheCompositingSelection)
{
    X11OverlayWindowManager windowManager;
    EXPECT_FALSE(windowManager.isCompositing()) << "the test display runs no compositor";

    const std::string name = "_NET_WM_CM_S0";
    const ReplyPtr<xcb_intern_atom_reply_t> selection(xcb_intern_atom_reply(connection.get(),
        xcb_intern_atom(connection.get(), 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr));
    ASSERT_TRUE(selection);
    const xcb_window_t owner = createUnmappedWindow();
    xcb_set_selection_owner(connection.get(), owner, selection->atom, XCB_CURRENT_TIME);
    sync();
    EXPECT_TRUE(windowManager.isCompositing());

    xcb_destroy_window(connection.get(), owner);
    sync();
    EXPECT_FALSE(windowManager.isCompositing()) << "the selection goes with its owner";
}

TEST_F(X11OverlayWindowManagerTest, WithoutADisplayItAssumesACompositorAndSetsNothing)
{
    X11OverlayWindowManager windowManager(":4711");
    EXPECT_FALSE(windowManager.isConnected());
    EXPECT_TRUE(windowManager.isCompositing());
    windowManager.prepareToShow(0x1234);

    const auto onWayland = X11OverlayWindowManager::sharingConnection(nullptr);
    EXPECT_FALSE(onWayland->isConnected());
    EXPECT_TRUE(onWayland->isCompositing());
    onWayland->prepareToShow(0x1234);
}

} // namespace
} // namespace tarn::input
