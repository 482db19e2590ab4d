#pragma once

// The workspace of a wlroots desktop (sway, Hyprland, labwc, river …), through the compositor's
// foreign-toplevel list (zwlr_foreign_toplevel_manager_v1): every window's app id, title and
// whether it is activated. A listener thread of the adapter's own waits on the Wayland connection
// and renews the answers whenever the compositor reports a change, so the engine's question costs
// no round trip; subscribers are told on that thread, once per change of the application in
// front. If the compositor goes away the last answers stay.
//
// A handler must neither subscribe nor end a subscription; every subscription ends before the
// workspace is destroyed.

#include <memory>
#include <string>

#include "TarnInputCore/Engine/Ports/Workspace.h"
#include "TarnKit/Foundation/Identity/Environment.h"

namespace tarn::input {

class WlrootsWorkspace final : public Workspace {
public:
    // Connects to $WAYLAND_DISPLAY of `environment` (which gives the XDG data folders and the
    // locale too). Null, with the reason in `whyNot`, without a compositor that lists its windows.
    static std::unique_ptr<WlrootsWorkspace> connect(const EnvironmentLookup& environment, std::string& whyNot);
    ~WlrootsWorkspace() override;
    WlrootsWorkspace(const WlrootsWorkspace&) = delete;
    WlrootsWorkspace& operator=(const WlrootsWorkspace&) = delete;

    FrontmostApplication frontmostApplication() const override;
    std::vector<RunningApplication> runningApplications() const override;
    Subscription subscribeActivation(ActivationHandler handler) override;

private:
    struct Impl;
    explicit WlrootsWorkspace(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
