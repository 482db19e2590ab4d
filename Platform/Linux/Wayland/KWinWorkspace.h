#pragma once

// The workspace of a KDE Plasma session. KWin has no interface that tells another program which
// window is active without asking the user, but it runs scripts loaded over its D-Bus interface
// without asking; the adapter loads a small script of its own that sends the window list
// (DesktopWindowJson) to the adapter's object on the session bus whenever a window opens, closes
// or takes the focus. The adapter follows those calls on a thread of its own; subscribers are told
// on that thread, once per change of the application in front. The script is unloaded when the
// workspace goes.
//
// A handler must neither subscribe nor end a subscription; every subscription ends before the
// workspace is destroyed.

#include <memory>
#include <string>

#include "TarnInputCore/Engine/Ports/Workspace.h"
#include "TarnKit/Foundation/Identity/Environment.h"

namespace tarn::input {

class KWinWorkspace final : public Workspace {
public:
    static constexpr const char* kPath = "/com/harrowfen/TarnInput/KWinWindows";
    static constexpr const char* kInterface = "com.harrowfen.TarnInput.KWinWindows";
    static constexpr const char* kScriptName = "tarninput-windows";

    // The script file goes to $XDG_RUNTIME_DIR of `environment` (which gives the XDG data folders
    // and the locale too). Null, with the reason in `whyNot`, when KWin does not take the script.
    static std::unique_ptr<KWinWorkspace> connect(const EnvironmentLookup& environment, std::string& whyNot);
    ~KWinWorkspace() override;
    KWinWorkspace(const KWinWorkspace&) = delete;
    KWinWorkspace& operator=(const KWinWorkspace&) = delete;

    FrontmostApplication frontmostApplication() const override;
    std::vector<RunningApplication> runningApplications() const override;
    Subscription subscribeActivation(ActivationHandler handler) override;

private:
    struct Impl;
    explicit KWinWorkspace(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn::input
