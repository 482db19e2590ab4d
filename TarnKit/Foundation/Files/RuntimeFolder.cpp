#include "TarnKit/Foundation/Files/RuntimeFolder.h"

#include <cerrno>
#include <system_error>

#include <fmt/format.h>

#include <sys/stat.h>
#include <unistd.h>

namespace tarn {

namespace {

std::optional<std::filesystem::path> absoluteVariable(const EnvironmentLookup& environment, std::string_view name)
{
    auto value = environment(name);
    if (!value || value->empty() || !std::filesystem::path(*value).is_absolute()) {
        return std::nullopt;
    }
    return std::filesystem::path(*value);
}

} // namespace

Result<std::filesystem::path, std::string> RuntimeFolder::resolve(
    std::string_view name, const EnvironmentLookup& environment)
{
    return resolve(name, environment, ::geteuid());
}

Result<std::filesystem::path, std::string> RuntimeFolder::resolve(
    std::string_view name, const EnvironmentLookup& environment, uid_t user)
{
    // A session's own folder, when the session manager made one (and made it as it should be).
    if (auto runtime = absoluteVariable(environment, "XDG_RUNTIME_DIR"); runtime && !whyNotPrivate(*runtime, user)) {
        return *runtime;
    }
    const auto temporary = absoluteVariable(environment, "TMPDIR").value_or("/tmp");
    const auto fallback = temporary / fmt::format("{}-{}", name, user);
    // Only a folder made here and now is given its mode (a umask may have narrowed it): changing
    // a folder found here would adopt whatever someone else put in it.
    if (::mkdir(fallback.c_str(), 0700) == 0) {
        ::chmod(fallback.c_str(), 0700);
    } else if (errno != EEXIST) {
        const int reason = errno;
        return fail(fmt::format("{} cannot be made ({}); set XDG_RUNTIME_DIR to a private folder of yours.",
            fallback.string(), std::generic_category().message(reason)));
    }
    if (auto why = whyNotPrivate(fallback, user)) {
        return fail(fmt::format("{} {}; set XDG_RUNTIME_DIR to a private folder of yours (mode 0700), or remove {}.",
            fallback.string(), *why, fallback.string()));
    }
    return fallback;
}

std::optional<std::string> RuntimeFolder::whyNotPrivate(const std::filesystem::path& path, uid_t user)
{
    struct stat info { };
    if (::lstat(path.c_str(), &info) != 0) {
        const int reason = errno;
        return fmt::format("cannot be examined ({})", std::generic_category().message(reason));
    }
    if (S_ISLNK(info.st_mode)) {
        return "is a symbolic link";
    }
    if (!S_ISDIR(info.st_mode)) {
        return "is not a folder";
    }
    if (info.st_uid != user) {
        return "belongs to another user";
    }
    if ((info.st_mode & 07777) != 0700) {
        return fmt::format("can be reached by others (mode {:04o})", info.st_mode & 07777);
    }
    return std::nullopt;
}

} // namespace tarn
