// Proves the X11 test machinery: a window activated under the test window manager is the active
// window that EWMH reports.

#include <chrono>
#include <thread>

#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include "TarnKit/Foundation/Files/CHandle.h"

namespace {

using Connection = tarn::CHandle<xcb_connection_t, xcb_disconnect>;

xcb_window_t activeWindow(xcb_ewmh_connection_t& ewmh)
{
    xcb_window_t window = XCB_NONE;
    if (!xcb_ewmh_get_active_window_reply(&ewmh, xcb_ewmh_get_active_window(&ewmh, 0), &window, nullptr)) {
        return XCB_NONE;
    }
    return window;
}

TEST(X11Display, ActivatedWindowIsTheActiveWindow)
{
    Connection connection(xcb_connect(nullptr, nullptr));
    ASSERT_EQ(xcb_connection_has_error(connection.get()), 0) << "no X display";
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data;

    xcb_ewmh_connection_t ewmh {};
    ASSERT_TRUE(xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(connection.get(), &ewmh), nullptr));

    const xcb_window_t window = xcb_generate_id(connection.get());
    xcb_create_window(connection.get(), XCB_COPY_FROM_PARENT, window, screen->root, 10, 10, 200, 120, 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_map_window(connection.get(), window);

    // Ask the window manager to activate it, as a pager would; the manager sets the property. The
    // request is repeated because a manager that has only just started may not manage it yet.
    xcb_window_t active = XCB_NONE;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((active = activeWindow(ewmh)) != window && std::chrono::steady_clock::now() < deadline) {
        xcb_ewmh_request_change_active_window(
            &ewmh, 0, window, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME, XCB_NONE);
        xcb_flush(connection.get());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(active, window);
    xcb_ewmh_connection_wipe(&ewmh);
}

} // namespace
