#pragma once

// How often a thread of this process has gone to sleep or been put aside so far: the kernel's
// count of its context switches, voluntary and not. Each wake-up of a sleeping thread is one.

#include <fstream>
#include <string>

#include <sys/types.h>

namespace tarn {

inline long contextSwitches(pid_t thread)
{
    std::ifstream status("/proc/self/task/" + std::to_string(thread) + "/status");
    long switches = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("voluntary_ctxt_switches:") || line.starts_with("nonvoluntary_ctxt_switches:")) {
            switches += std::stol(line.substr(line.find(':') + 1));
        }
    }
    return switches;
}

} // namespace tarn
