#include "Platform/Linux/Desktop/DetachedProcess.h"

#include <cerrno>
#include <thread>
#include <utility>

#include "TarnKit/Services/ChildProcess.h"

#include <sys/wait.h>

namespace tarn {

bool DetachedProcess::start(const std::vector<std::string>& arguments, std::function<void(int exitStatus)> onExit)
{
    ChildProcessRequest request;
    request.arguments = arguments;
    request.searchPath = true;
    const auto spawned = ChildProcess::spawn(request);
    if (!spawned) {
        return false;
    }
    std::thread([child = spawned.value(), onExit = std::move(onExit)] {
        int status = 0;
        pid_t waited = 0;
        while ((waited = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) { }
        if (onExit) {
            onExit(waited == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        }
    }).detach();
    return true;
}

} // namespace tarn
