#pragma once

// The workspace of a GNOME Shell session. The shell tells no other program about its windows, so
// the program ships a small shell extension (resources/gnome-shell-extension) that publishes the
// window list on the session bus: the method GetWindows and the signal WindowsChanged, each with
// the list as DesktopWindowJson reads it, on kPath and kInterface under the name kBusName. The
// adapter reads the list once and then follows the signal on a thread of its own; subscribers are
// told on that thread, once per change of the application in front.
//
// Without the extension (not installed, not enabled, or the shell restarting) the adapter says so
// once in the log and answers "nothing in front" and "no running applications" until the
// extension's name appears on the bus.
//
// A handler must neither subscribe nor end a subscription; every subscription ends before the
// workspace is destroyed.

#include <memory>
#include <string>

#include "TarnInputCore/Engine/Ports/Workspace.h"
#include "TarnKit/Foundation/Identity/Environment.h"
#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn::input {

class GnomeShellWorkspace final : public Workspace {
public:
    static constexpr const char* kExtensionUUID = "tarninput@harrowfen.com";
    static constexpr const char* kBusName = "com.harrowfen.TarnInput.ShellWindows";
    static constexpr const char* kPath = "/com/harrowfen/TarnInput/ShellWindows";
    static constexpr const char* kInterface = "com.harrowfen.TarnInput.ShellWindows";

    // The XDG data folders and the locale come from `environment`. Null, with the reason in
    // `whyNot`, without a session bus.
    static std::unique_ptr<GnomeShellWorkspace> connect(
        LogSink& log, const EnvironmentLookup& environment, std::string& whyNot);
    ~GnomeShellWorkspace() override;
    GnomeShellWorkspace(const GnomeShellWorkspace&) = delete;
    GnomeShellWorkspace& operator=(const GnomeShellWorkspace&) = delete;

    FrontmostApplication frontmostApplication() const override;
    std::vector<RunningApplication> runningApplications() const override;
    Subscription subscribeActivation(ActivationHandler handler) override;
    // shellExtensionMissing while the extension's name has no owner on the bus.
    std::optional<WorkspaceLimitation> limitation() const override;

private:
    struct Impl;
    explicit GnomeShellWorkspace(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
