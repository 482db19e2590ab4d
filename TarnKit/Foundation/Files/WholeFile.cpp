#include "TarnKit/Foundation/Files/WholeFile.h"

#include <cerrno>

#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarn {

namespace {

bool isAllowed(const struct stat& info, WholeFile::Access access)
{
    return S_ISREG(info.st_mode) && (access == WholeFile::Access::followingLinks || info.st_uid == ::geteuid());
}

} // namespace

Result<std::string, WholeFile::Failure> WholeFile::read(
    const std::filesystem::path& path, std::uintmax_t maximumSize, Access access)
{
    const bool ownFileOnly = access == Access::ownFileOnly;
    // Looked at before it is opened: opening a device can itself do something (a watchdog starts,
    // a tape rewinds).
    struct stat info { };
    if ((ownFileOnly ? ::lstat(path.c_str(), &info) : ::stat(path.c_str(), &info)) != 0) {
        return fail(errno == ENOENT || errno == ENOTDIR ? Failure::missing : Failure::unusable);
    }
    if (!isAllowed(info, access)) {
        return fail(Failure::unusable);
    }
    // Opened without waiting and judged again by what was opened, so a FIFO put in the file's
    // place between the look and the open can neither block nor be read.
    const UniqueFd fd(
        ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (ownFileOnly ? O_NOFOLLOW : 0)));
    if (!fd) {
        return fail(errno == ENOENT || errno == ENOTDIR ? Failure::missing : Failure::unusable);
    }
    if (::fstat(fd.get(), &info) != 0 || !isAllowed(info, access)) {
        return fail(Failure::unusable);
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maximumSize) {
        return fail(Failure::tooLarge);
    }
    std::string contents;
    contents.reserve(static_cast<std::size_t>(info.st_size));
    // The file may grow after its size was taken: the limit holds for what is read.
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count == 0) {
            return contents;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(Failure::unusable);
        }
        contents.append(buffer, static_cast<std::size_t>(count));
        if (contents.size() > maximumSize) {
            return fail(Failure::tooLarge);
        }
    }
}

} // namespace tarn
