#include "TarnInput/App/SingleInstanceFolder.h"

#include <cerrno>
#include <system_error>

#include "TarnKit/Foundation/Files/RuntimeFolder.h"
#include "TarnKit/Foundation/Files/XdgPaths.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tarn::input {

namespace {

// The private folder in the user's state folder, made when missing; why not, when it cannot be
// had. Only a folder made here and now is given its mode: one found here keeps what it has, and
// is refused unless that is private.
Result<std::filesystem::path, std::string> privateStateFolder(const XdgPaths& paths, uid_t user)
{
    const auto folder = SingleInstanceFolder::stateFolder(paths.stateHome);
    std::error_code error;
    std::filesystem::create_directories(folder.parent_path(), error);
    if (::mkdir(folder.c_str(), 0700) == 0) {
        ::chmod(folder.c_str(), 0700);
    } else if (errno != EEXIST) {
        const int reason = errno;
        return fail(folder.string() + " cannot be made (" + std::generic_category().message(reason) + ").");
    }
    if (auto why = RuntimeFolder::whyNotPrivate(folder, user)) {
        return fail(folder.string() + " " + *why + ".");
    }
    return folder;
}

} // namespace

SingleInstanceFolder SingleInstanceFolder::choose(const EnvironmentLookup& environment)
{
    return choose(environment, ::geteuid());
}

SingleInstanceFolder SingleInstanceFolder::choose(const EnvironmentLookup& environment, uid_t user)
{
    SingleInstanceFolder chosen;
    auto runtime = RuntimeFolder::resolve("tarninput", environment, user);
    if (runtime) {
        chosen.path = std::move(runtime).value();
        return chosen;
    }
    chosen.notes.push_back(runtime.error());
    const auto paths = XdgPaths::resolve(environment);
    if (!paths) {
        chosen.notes.push_back(paths.error());
        return chosen;
    }
    auto state = privateStateFolder(paths.value(), user);
    if (!state) {
        chosen.notes.push_back(state.error());
        return chosen;
    }
    chosen.path = std::move(state).value();
    chosen.notes.push_back(
        "The lock that keeps TarnInput to one running copy is kept in " + chosen.path.string() + " instead.");
    return chosen;
}

std::filesystem::path SingleInstanceFolder::stateFolder(const std::filesystem::path& stateHome)
{
    return stateHome / "Harrowfen" / "TarnInput" / "instance";
}

} // namespace tarn::input
