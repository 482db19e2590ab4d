#pragma once

// Port: which application is in front, which are running, and when the front one changes.
// The engine asks `frontmostApplication` whenever it follows the front application: when its tap
// starts, on the owner's thread, and at each activation notice, whose handler resolves the new
// application's profile (tens of microseconds with a thousand profiles) on the adapter's thread,
// never touching the tap thread.

#include <functional>
#include <vector>

#include "TarnInputCore/Engine/Ports/FrontmostApplication.h"
#include "TarnInputCore/Model/Profiles/RunningApplication.h"
#include "TarnKit/Foundation/Basics/Subscription.h"

namespace tarn::input {

class Workspace {
public:
    using ActivationHandler = std::function<void(const FrontmostApplication&)>;

    virtual ~Workspace() = default;
    virtual FrontmostApplication frontmostApplication() const = 0;
    // One entry per application, in no particular order. May do I/O: never on the tap thread.
    virtual std::vector<RunningApplication> runningApplications() const = 0;
    // Called once per change of the frontmost application, on the adapter's own thread, after
    // `frontmostApplication` gives the new answer and without a lock that it takes; the handler
    // must not block. Ends when the handle is destroyed.
    virtual Subscription subscribeActivation(ActivationHandler handler) = 0;
};

} // namespace tarn::input
