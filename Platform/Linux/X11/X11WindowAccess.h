#pragma once

// Window access on an X11 desktop. The window under a point is the topmost mapped top-level
// window whose frame holds the point; the reference names the application's own window inside
// the manager's frame (the one with WM_STATE). The desktop and docks are never answered.
// A frame is the window's own area in root coordinates (the engine's global coordinates),
// without the manager's decorations, so that moving to the origin it reports changes nothing.
// Moves and resizes go to the window manager as _NET_MOVERESIZE_WINDOW; a manager without it (or
// no manager) gets a configure request. Requests are sent without waiting for an answer: true
// means sent, not done. A lookup asks in a few round trips however many windows there are, and
// reads with it what the drag it starts needs (whether the manager takes _NET_MOVERESIZE_WINDOW,
// the window's frame and decorations): the first frame() of the window found is that one, and the
// drag's moves wait for nothing.
//
// In a Wayland session or without an X11 display the adapter logs that once and finds no window.

#include <memory>

#include "TarnInputCore/Engine/Ports/WindowAccess.h"
#include "TarnKit/Foundation/Identity/Environment.h"
#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn::input {

class X11WindowAccess final : public WindowAccess {
public:
    explicit X11WindowAccess(LogSink& log, const EnvironmentLookup& environment = processEnvironment);
    ~X11WindowAccess() override;
    X11WindowAccess(const X11WindowAccess&) = delete;
    X11WindowAccess& operator=(const X11WindowAccess&) = delete;

    bool isConnected() const;

    std::optional<WindowRef> windowAt(EventPoint point) override;
    std::optional<WindowFrame> frame(WindowRef window) override;
    bool setPosition(WindowRef window, EventPoint origin) override;
    bool setSize(WindowRef window, WindowSize size) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
