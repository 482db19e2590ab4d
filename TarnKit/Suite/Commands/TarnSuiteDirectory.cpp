#include "TarnKit/Suite/Commands/TarnSuiteDirectory.h"

#include <cerrno>
#include <system_error>

#include "TarnKit/Foundation/Files/RuntimeFolder.h"
#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace tarn {

namespace {

// Zero when `folder` is a folder afterwards, else the system's reason (following links: only the
// last folder is judged).
int createWithParents(const std::filesystem::path& folder)
{
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        return 0;
    }
    const auto parent = folder.parent_path();
    if (parent != folder && !parent.empty()) {
        if (const int reason = createWithParents(parent)) {
            return reason;
        }
    }
    if (::mkdir(folder.c_str(), 0700) == 0) {
        // mkdir takes the umask off the mode; the folder must not be left open to others, nor
        // closed to its owner by an odd umask.
        return ::chmod(folder.c_str(), 0700) == 0 ? 0 : errno;
    }
    const int reason = errno;
    // Another writer may have made it in the meantime.
    return reason == EEXIST && std::filesystem::is_directory(folder, error) ? 0 : reason;
}

// A folder of the user's own made by an older version, by hand or under another umask is made
// private; nobody else's folder is ever changed. Opened without following a link, so that the
// mode set is that of the folder looked at.
void narrowIfOwn(const std::filesystem::path& folder, uid_t user)
{
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info { };
    if (fd && ::fstat(fd.get(), &info) == 0 && info.st_uid == user && (info.st_mode & 07777) != 0700) {
        ::fchmod(fd.get(), 0700);
    }
}

} // namespace

std::filesystem::path TarnSuiteDirectory::at(const XdgPaths& paths)
{
    return paths.harrowfenData() / "SuiteTelemetry";
}

Status<std::string> TarnSuiteDirectory::createPrivateFolder(const std::filesystem::path& folder, uid_t user)
{
    if (folder.empty()) {
        return fail(std::string("no folder was named"));
    }
    if (const int reason = createWithParents(folder)) {
        return fail(folder.string() + " cannot be made (" + std::generic_category().message(reason) + ")");
    }
    narrowIfOwn(folder, user);
    if (auto why = RuntimeFolder::whyNotPrivate(folder, user)) {
        return fail(folder.string() + " " + *why);
    }
    return Ok {};
}

} // namespace tarn
