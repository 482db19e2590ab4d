#pragma once

// The one way the program starts another program. Every child starts with no signal blocked and
// every signal at its default action, whatever this process blocks or ignores: the program blocks
// its stop signals in every thread, and a child inherits both the mask and ignored signals, so a
// browser opened from the program could otherwise not be stopped by the desktop. A child reads
// its standard input from /dev/null and inherits no descriptor beyond its three standard streams.

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "TarnKit/Foundation/Basics/Result.h"

#include <sys/types.h>

namespace tarn {

struct ChildProcessRequest {
    // arguments[0] names the program: a path, or with `searchPath` a name looked up in $PATH
    // (a name holding "/" is taken as a path).
    std::vector<std::string> arguments;
    bool searchPath = false;
    std::optional<std::filesystem::path> workingDirectory;
    // The child's whole environment, as "NAME=value" entries; absent: this process's.
    std::optional<std::vector<std::string>> environment;
    // Descriptors of ours that become the child's standard output and error; -1 means /dev/null.
    int standardOutput = -1;
    int standardError = -1;
    // The child leads a process group of its own, so that a signal to the group reaches every
    // process it starts.
    bool ownProcessGroup = false;
};

class ChildProcess {
public:
    // The child's process id, to be reaped by the caller, or the system's reason it could not be
    // started (a missing program among them).
    static Result<pid_t, std::error_code> spawn(const ChildProcessRequest& request);
};

} // namespace tarn
