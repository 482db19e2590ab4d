#include "TarnKit/Services/ChildProcess.h"

#include <csignal>

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace tarn {

namespace {

template <typename Object, int (*init)(Object*), int (*destroy)(Object*)> class SpawnSetting {
public:
    SpawnSetting() { init(&m_object); }
    ~SpawnSetting() { destroy(&m_object); }
    SpawnSetting(const SpawnSetting&) = delete;
    SpawnSetting& operator=(const SpawnSetting&) = delete;
    Object* get() { return &m_object; }

private:
    Object m_object {};
};

using SpawnActions
    = SpawnSetting<posix_spawn_file_actions_t, posix_spawn_file_actions_init, posix_spawn_file_actions_destroy>;
using SpawnAttributes = SpawnSetting<posix_spawnattr_t, posix_spawnattr_init, posix_spawnattr_destroy>;

void connectStream(SpawnActions& actions, int ours, int stream)
{
    if (ours < 0) {
        posix_spawn_file_actions_addopen(actions.get(), stream, "/dev/null", O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(actions.get(), ours, stream);
    }
}

std::vector<char*> pointersTo(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (auto& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

Result<pid_t, std::error_code> ChildProcess::spawn(const ChildProcessRequest& request)
{
    if (request.arguments.empty() || request.arguments.front().empty()) {
        return fail(std::make_error_code(std::errc::invalid_argument));
    }
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    connectStream(actions, request.standardOutput, STDOUT_FILENO);
    connectStream(actions, request.standardError, STDERR_FILENO);
    if (request.workingDirectory) {
        posix_spawn_file_actions_addchdir_np(actions.get(), request.workingDirectory->c_str());
    }
    // Descriptors a library opened without close-on-exec (a lock, a socket) stay with us.
    posix_spawn_file_actions_addclosefrom_np(actions.get(), STDERR_FILENO + 1);

    SpawnAttributes attributes;
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(attributes.get(), &none);
    posix_spawnattr_setsigdefault(attributes.get(), &all);
    int flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (request.ownProcessGroup) {
        posix_spawnattr_setpgroup(attributes.get(), 0);
        flags |= POSIX_SPAWN_SETPGROUP;
    }
    posix_spawnattr_setflags(attributes.get(), static_cast<short>(flags));

    std::vector<std::string> arguments = request.arguments;
    const auto argv = pointersTo(arguments);
    std::vector<std::string> environment = request.environment.value_or(std::vector<std::string> {});
    const auto envp = pointersTo(environment);
    char* const* childEnvironment = request.environment ? envp.data() : environ;

    pid_t pid = 0;
    const int error = request.searchPath
        ? posix_spawnp(&pid, argv[0], actions.get(), attributes.get(), argv.data(), childEnvironment)
        : posix_spawn(&pid, argv[0], actions.get(), attributes.get(), argv.data(), childEnvironment);
    if (error != 0) {
        return fail(std::error_code(error, std::system_category()));
    }
    return pid;
}

} // namespace tarn
