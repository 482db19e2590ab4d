#pragma once

// The workspace of an X11 desktop, through EWMH. The frontmost application is the one of
// _NET_ACTIVE_WINDOW, kept in a cache that a listener thread of the adapter's own renews on every
// PropertyNotify of the root window, so the engine's question costs no round trip. Subscribers
// are told on that thread, once per change of the frontmost application (not per window).
// Running applications come from _NET_CLIENT_LIST: normal windows not marked skip-taskbar, one
// entry per application. Applications are told apart as WindowApplicationIdentity says.
//
// A handler must neither subscribe nor end a subscription (it runs under the lock that ending one
// waits on); every subscription ends before the workspace is destroyed.
//
// In a Wayland session or without an X11 display the adapter logs that once and answers
// "nothing in front" and "no running applications"; it never notifies.

#include <memory>

#include "TarnInputCore/Engine/Ports/Workspace.h"
#include "TarnKit/Foundation/Identity/Environment.h"
#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn::input {

class X11Workspace final : public Workspace {
public:
    // The display, the XDG data folders and the locale come from `environment`.
    explicit X11Workspace(LogSink& log, const EnvironmentLookup& environment = processEnvironment);
    ~X11Workspace() override;
    X11Workspace(const X11Workspace&) = delete;
    X11Workspace& operator=(const X11Workspace&) = delete;

    bool isConnected() const;

    FrontmostApplication frontmostApplication() const override;
    std::vector<RunningApplication> runningApplications() const override;
    Subscription subscribeActivation(ActivationHandler handler) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
