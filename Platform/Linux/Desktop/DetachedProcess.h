#pragma once

// Starts one of the desktop's helper programs (xdg-open, dbus-send) without waiting for it: some
// desktops keep xdg-open running as long as the application it started. The child reads and
// writes nothing of ours (its standard streams are /dev/null), starts as every child of the
// program does (ChildProcess: no signal blocked or ignored) and is reaped on a thread of its own,
// so no zombie stays behind however long it runs.

#include <functional>
#include <string>
#include <vector>

namespace tarn {

class DetachedProcess {
public:
    // `arguments[0]` is looked up in $PATH (or used as given when it holds a "/"). `onExit`, when
    // given, is called on the reaping thread with the exit status, or -1 when the child did not
    // exit normally. False, and `onExit` never called, when the program could not be started.
    static bool start(const std::vector<std::string>& arguments, std::function<void(int exitStatus)> onExit = {});
};

} // namespace tarn
