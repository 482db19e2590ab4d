#pragma once

// Port: which application is in front, which are running, and when the front one changes.
// The engine asks `frontmostApplication` when its tap starts, on the owner's thread, and otherwise
// follows the activation notices: its handler resolves the new application's profile (tens of
// microseconds with a thousand profiles) on the adapter's thread, never touching the tap thread.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "TarnInputCore/Engine/FrontmostApplication.h"
#include "TarnKit/Foundation/Subscription.h"

namespace tarn::input {

// One running application with a window the user can switch to.
struct RunningApplication {
    std::string bundleID;
    std::string name;
    bool operator==(const RunningApplication&) const = default;
};

// Why a workspace cannot tell which application is in front.
enum class WorkspaceLimitation {
    // The session tells no program: no X11 display and no window list the program can read.
    noWindowList,
    // GNOME Shell without the program's shell extension, which the user enables once.
    shellExtensionMissing,
};

class Workspace {
public:
    using ActivationHandler = std::function<void(const FrontmostApplication&)>;

    virtual ~Workspace() = default;
    virtual FrontmostApplication frontmostApplication() const = 0;
    // One entry per application, in no particular order. May do I/O: never on the tap thread.
    virtual std::vector<RunningApplication> runningApplications() const = 0;
    // Called once per change of the frontmost application, on the adapter's own thread; the
    // handler must not block. Ends when the handle is destroyed.
    virtual Subscription subscribeActivation(ActivationHandler handler) = 0;
    // Absent while the workspace can tell which application is in front. Cheap, any thread.
    virtual std::optional<WorkspaceLimitation> limitation() const { return std::nullopt; }
};

} // namespace tarn::input
