#include "Platform/Linux/XdgOpenUrlOpener.h"

#include <cerrno>
#include <thread>
#include <utility>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tarn {

XdgOpenUrlOpener::XdgOpenUrlOpener(std::string program)
    : m_program(std::move(program))
{
}

bool XdgOpenUrlOpener::open(std::string_view url)
{
    // An address that starts with "-" would be read as an option.
    if (url.empty() || url.front() == '-') {
        return false;
    }
    std::string address(url);
    char* arguments[] = {m_program.data(), address.data(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, m_program.c_str(), nullptr, nullptr, arguments, environ) != 0) {
        return false;
    }
    // Reaped in the background so that no zombie stays behind, however long the handler runs.
    std::thread([child] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    }).detach();
    return true;
}

} // namespace tarn
