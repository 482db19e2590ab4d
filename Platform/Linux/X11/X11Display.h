#pragma once

// One xcb connection with its EWMH atoms, and the property reads the desktop adapters share.
// Internal to the X11 adapters in this folder: their public headers keep xcb out of sight.
// xcb connections are thread-safe; a reply read on one thread can pull events another thread
// waits for into xcb's queue, so an event thread is woken after such reads (see its owner).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include "Platform/Linux/Desktop/DesktopSession.h"

namespace tarn::input {

class X11Display {
public:
    // Null when the display cannot be reached.
    static std::unique_ptr<X11Display> connect(const std::string& displayName);
    // The session's display; when there is none to use, null with the reason in `whyNot`.
    static std::unique_ptr<X11Display> connect(const DesktopSession& session, std::string& whyNot);
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    xcb_connection_t* connection() const { return m_connection; }
    xcb_ewmh_connection_t& ewmh() { return m_ewmh; }
    xcb_window_t root() const { return m_root; }
    int screenNumber() const { return m_screenNumber; }
    bool isConnected() const;

    xcb_atom_t atom(const char* name);
    // Text properties are read up to 4 KiB; longer ones are cut.
    std::string textProperty(xcb_window_t window, xcb_atom_t property);
    // Atom or window lists, up to 4096 entries; empty when unset or on a vanished window.
    std::vector<std::uint32_t> cardinalListProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);
    bool hasProperty(xcb_window_t window, xcb_atom_t property);
    // The two reads above in halves, so that several are asked in one round trip: every request
    // first, then each answer (which must be taken, once).
    xcb_get_property_cookie_t requestList(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);
    std::vector<std::uint32_t> listAnswer(xcb_get_property_cookie_t request, xcb_atom_t type);
    xcb_get_property_cookie_t requestPresence(xcb_window_t window, xcb_atom_t property);
    bool presenceAnswer(xcb_get_property_cookie_t request);
    // The window manager's _NET_SUPPORTED list holds the atom.
    bool windowManagerSupports(xcb_atom_t atom);

private:
    X11Display() = default;

    xcb_connection_t* m_connection = nullptr;
    xcb_ewmh_connection_t m_ewmh {};
    bool m_ewmhReady = false;
    xcb_window_t m_root = XCB_NONE;
    int m_screenNumber = 0;
};

} // namespace tarn::input
