#pragma once

// Brings an application's window to the front on an X11 desktop: among the window manager's
// client windows, the first whose _NET_WM_PID is the application's process, else the first whose
// WM_CLASS (instance or class) is one of its names, letter case aside, is asked to become the
// active window, as a pager asks (which window managers honour). The request is sent without
// waiting for an answer. A Wayland desktop lets no program raise another's window, so there is
// no such adapter there (connect() gives none).

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "TarnKit/Foundation/Identity/Environment.h"

namespace tarn::input {
class X11Display;
}

namespace tarn {

class X11WindowActivator {
public:
    // None in a Wayland session or without a display.
    static std::unique_ptr<X11WindowActivator> connect(const EnvironmentLookup& environment = processEnvironment);
    ~X11WindowActivator();
    X11WindowActivator(const X11WindowActivator&) = delete;
    X11WindowActivator& operator=(const X11WindowActivator&) = delete;

    // False when no window of the application was found.
    bool activate(std::optional<std::int32_t> process, const std::vector<std::string>& classNames);

private:
    explicit X11WindowActivator(std::unique_ptr<input::X11Display> display);

    // Calls may come from any thread; one at a time keeps the request sequences whole.
    std::mutex m_mutex;
    std::unique_ptr<input::X11Display> m_display;
};

} // namespace tarn
