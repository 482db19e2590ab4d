#include "TarnKit/Suite/Records/Rules/SignalProcessProbe.h"

#include <cerrno>

#include <signal.h>

namespace tarn {

bool SignalProcessProbe::isAlive(std::int32_t pid) const
{
    // 0 and negative identifiers name process groups, and -1 every process we may signal: a
    // record never stands for those.
    if (pid <= 0) {
        return false;
    }
    const int result = ::kill(static_cast<pid_t>(pid), 0);
    return isAliveAnswer(result, errno);
}

bool SignalProcessProbe::isAliveAnswer(int result, int error)
{
    return result == 0 || error == EPERM;
}

} // namespace tarn
