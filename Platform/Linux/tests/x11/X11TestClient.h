#pragma once

// Another X client for the desktop adapters' tests: it opens small top-level windows as an
// application would, asks the window manager to activate, move or resize them, and reads back
// where they are. Every wait polls the server with a deadline.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>
#include <xcb/xcb_icccm.h>
#include <xcb/xtest.h>

#include "TarnKit/Foundation/Files/CHandle.h"

namespace tarn::input {

// True once `condition` holds, false when it still does not after `timeout`: long enough for a
// window manager on a loaded machine under the sanitizers, as the wait ends as soon as it holds.
inline bool waitUntil(
    const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(15))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

struct TestWindowOptions {
    std::string instance {};
    std::string className {};
    std::string title {};
    bool skipTaskbar = false;
    xcb_atom_t type = XCB_ATOM_NONE; // none: no _NET_WM_WINDOW_TYPE
    std::int16_t x = 100;
    std::int16_t y = 100;
    std::uint16_t width = 200;
    std::uint16_t height = 150;
    std::string gtkApplicationID {}; // none when empty
    std::uint32_t pid = 0; // no _NET_WM_PID when 0
};

class X11TestClient {
public:
    X11TestClient()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection.get()) != 0) {
            return;
        }
        m_screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data;
        m_ewmhReady = xcb_ewmh_init_atoms_replies(&m_ewmh, xcb_ewmh_init_atoms(m_connection.get(), &m_ewmh), nullptr);
    }
    ~X11TestClient()
    {
        if (m_ewmhReady) {
            xcb_ewmh_connection_wipe(&m_ewmh);
        }
    }
    X11TestClient(const X11TestClient&) = delete;
    X11TestClient& operator=(const X11TestClient&) = delete;

    bool connected() const { return m_ewmhReady; }
    xcb_ewmh_connection_t& ewmh() { return m_ewmh; }
    xcb_window_t root() const { return m_screen->root; }

    // Creates and maps a window and waits until the window manager lists it as a client.
    xcb_window_t open(const TestWindowOptions& options)
    {
        auto* connection = m_connection.get();
        const xcb_window_t window = xcb_generate_id(connection);
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, m_screen->root, options.x, options.y, options.width,
            options.height, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, m_screen->root_visual, 0, nullptr);
        const std::string wmClass = options.instance + '\0' + options.className + '\0';
        xcb_icccm_set_wm_class(connection, window, static_cast<std::uint32_t>(wmClass.size()), wmClass.data());
        xcb_ewmh_set_wm_name(&m_ewmh, window, static_cast<std::uint32_t>(options.title.size()), options.title.data());
        // A position the window manager keeps, as placed windows ask for.
        xcb_size_hints_t hints {};
        xcb_icccm_size_hints_set_position(&hints, 1, options.x, options.y);
        xcb_icccm_size_hints_set_size(&hints, 1, options.width, options.height);
        xcb_icccm_set_wm_normal_hints(connection, window, &hints);
        if (!options.gtkApplicationID.empty()) {
            xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom("_GTK_APPLICATION_ID"),
                m_ewmh.UTF8_STRING, 8, static_cast<std::uint32_t>(options.gtkApplicationID.size()),
                options.gtkApplicationID.data());
        }
        if (options.pid != 0) {
            xcb_ewmh_set_wm_pid(&m_ewmh, window, options.pid);
        }
        if (options.skipTaskbar) {
            xcb_atom_t state = m_ewmh._NET_WM_STATE_SKIP_TASKBAR;
            xcb_ewmh_set_wm_state(&m_ewmh, window, 1, &state);
        }
        if (options.type != XCB_ATOM_NONE) {
            xcb_atom_t type = options.type;
            xcb_ewmh_set_wm_window_type(&m_ewmh, window, 1, &type);
        }
        xcb_map_window(connection, window);
        xcb_flush(connection);
        // A window mapped while the manager is still taking over the screen (it has announced
        // itself already) stays unmanaged for good; mapped once more, it is managed.
        for (int attempt = 0; attempt < 5 && !waitUntil([&] { return isClient(window); }, std::chrono::seconds(3));
             ++attempt) {
            xcb_unmap_window(connection, window);
            xcb_map_window(connection, window);
            xcb_flush(connection);
        }
        return window;
    }

    // Waits until the window manager has let the window go: the next test's connection may be
    // given the same window ids, and a manager still holding the old window would treat a new one
    // as the old (a closed full-screen window's size has been seen on a fresh small one).
    void close(xcb_window_t window)
    {
        xcb_destroy_window(m_connection.get(), window);
        xcb_flush(m_connection.get());
        waitUntil([&] { return !isClient(window); });
    }

    xcb_atom_t atom(const std::string& name)
    {
        CHandle<xcb_intern_atom_reply_t, std::free> reply(xcb_intern_atom_reply(m_connection.get(),
            xcb_intern_atom(m_connection.get(), 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
        return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }

    bool isClient(xcb_window_t window)
    {
        xcb_ewmh_get_windows_reply_t clients {};
        if (!xcb_ewmh_get_client_list_reply(&m_ewmh, xcb_ewmh_get_client_list(&m_ewmh, 0), &clients, nullptr)) {
            return false;
        }
        const bool found = std::find(clients.windows, clients.windows + clients.windows_len, window)
            != clients.windows + clients.windows_len;
        xcb_ewmh_get_windows_reply_wipe(&clients);
        return found;
    }

    // Whether the window manager has framed the window and said how (_NET_FRAME_EXTENTS): until
    // then a move may still be undone by its placement.
    bool isFramed(xcb_window_t window)
    {
        xcb_ewmh_get_extents_reply_t extents {};
        return xcb_ewmh_get_frame_extents_reply(&m_ewmh, xcb_ewmh_get_frame_extents(&m_ewmh, window), &extents, nullptr)
            != 0;
    }

    xcb_window_t activeWindow()
    {
        xcb_window_t window = XCB_NONE;
        if (!xcb_ewmh_get_active_window_reply(&m_ewmh, xcb_ewmh_get_active_window(&m_ewmh, 0), &window, nullptr)) {
            return XCB_NONE;
        }
        return window;
    }

    // Asks the window manager to activate the window, as a pager would, until it is active.
    bool activate(xcb_window_t window)
    {
        return waitUntil([&] {
            if (activeWindow() == window) {
                return true;
            }
            xcb_ewmh_request_change_active_window(
                &m_ewmh, 0, window, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME, XCB_NONE);
            xcb_flush(m_connection.get());
            return false;
        });
    }

    // The window manager's _NET_SUPPORTED list, to stand in for a manager that lacks a feature.
    std::vector<xcb_atom_t> supported()
    {
        xcb_ewmh_get_atoms_reply_t atoms {};
        if (!xcb_ewmh_get_supported_reply(&m_ewmh, xcb_ewmh_get_supported(&m_ewmh, 0), &atoms, nullptr)) {
            return {};
        }
        std::vector<xcb_atom_t> list(atoms.atoms, atoms.atoms + atoms.atoms_len);
        xcb_ewmh_get_atoms_reply_wipe(&atoms);
        return list;
    }
    void setSupported(std::vector<xcb_atom_t> list)
    {
        xcb_ewmh_set_supported(&m_ewmh, 0, static_cast<std::uint32_t>(list.size()), list.data());
        std::free(xcb_get_input_focus_reply(m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
    }

    // Stands in for a manager that does not publish these root properties (until it next updates
    // them).
    void deleteRootProperties(const std::vector<xcb_atom_t>& properties)
    {
        for (const xcb_atom_t property : properties) {
            xcb_delete_property(m_connection.get(), m_screen->root, property);
        }
        std::free(xcb_get_input_focus_reply(m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
    }

    // Like most applications: motion over the window is taken there and goes no further up.
    void selectPointerMotion(xcb_window_t window)
    {
        const std::uint32_t mask = XCB_EVENT_MASK_POINTER_MOTION;
        xcb_change_window_attributes(m_connection.get(), window, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection.get());
    }

    // Moves the pointer as a device would (through XTest), not by warping it.
    void fakeMotion(std::int16_t x, std::int16_t y)
    {
        xcb_test_fake_input(m_connection.get(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_screen->root, x, y, 0);
        xcb_flush(m_connection.get());
    }

    struct Rectangle {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        bool operator==(const Rectangle&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Rectangle& area)
        {
            return out << area.x << "," << area.y << " " << area.width << "x" << area.height;
        }
    };

    // The window's own area (without the manager's frame) in root coordinates.
    Rectangle geometry(xcb_window_t window)
    {
        auto* connection = m_connection.get();
        using GeometryReply = CHandle<xcb_get_geometry_reply_t, std::free>;
        using TranslateReply = CHandle<xcb_translate_coordinates_reply_t, std::free>;
        GeometryReply size(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
        TranslateReply origin(xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, window, m_screen->root, 0, 0), nullptr));
        if (!size || !origin) {
            return {};
        }
        return {origin->dst_x, origin->dst_y, size->width, size->height};
    }

private:
    CHandle<xcb_connection_t, xcb_disconnect> m_connection;
    xcb_screen_t* m_screen = nullptr;
    xcb_ewmh_connection_t m_ewmh {};
    bool m_ewmhReady = false;
};

} // namespace tarn::input
