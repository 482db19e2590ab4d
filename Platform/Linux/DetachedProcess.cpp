#include "Platform/Linux/DetachedProcess.h"

#include <cerrno>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tarn {
namespace {

// Owns the file actions for one spawn.
class SpawnActions {
public:
    SpawnActions()
    {
        m_ready = ::posix_spawn_file_actions_init(&m_actions) == 0;
        if (m_ready) {
            ::posix_spawn_file_actions_addopen(&m_actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
            ::posix_spawn_file_actions_addopen(&m_actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
            ::posix_spawn_file_actions_addopen(&m_actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        }
    }
    ~SpawnActions()
    {
        if (m_ready) {
            ::posix_spawn_file_actions_destroy(&m_actions);
        }
    }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    const posix_spawn_file_actions_t* get() const { return m_ready ? &m_actions : nullptr; }

private:
    posix_spawn_file_actions_t m_actions {};
    bool m_ready = false;
};

} // namespace

bool DetachedProcess::start(const std::vector<std::string>& arguments, std::function<void(int exitStatus)> onExit)
{
    if (arguments.empty() || arguments.front().empty()) {
        return false;
    }
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv;
    for (auto& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const SpawnActions actions;
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[0], actions.get(), nullptr, argv.data(), environ) != 0) {
        return false;
    }
    std::thread([child, onExit = std::move(onExit)] {
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
