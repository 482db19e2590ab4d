#include "TarnKit/Foundation/Files/UnreadableFile.h"

#include <fmt/chrono.h>
#include <fmt/format.h>

#include <sys/stat.h>
#include <unistd.h>

namespace tarn {

namespace {

bool isMovable(const std::filesystem::path& path)
{
    struct stat info { };
    return ::lstat(path.c_str(), &info) == 0
        && (S_ISLNK(info.st_mode) || (S_ISREG(info.st_mode) && info.st_uid == ::geteuid()));
}

} // namespace

std::optional<std::filesystem::path> UnreadableFile::setAside(const std::filesystem::path& path, WallTime when)
{
    if (!isMovable(path)) {
        return std::nullopt;
    }
    // Whatever stands at a candidate name, a broken link included, is never replaced.
    const auto present = [](const std::filesystem::path& candidate) {
        std::error_code error;
        return std::filesystem::exists(std::filesystem::symlink_status(candidate, error));
    };
    const auto seconds = std::chrono::floor<std::chrono::seconds>(when);
    const std::string stamp = fmt::format("{:%Y%m%d-%H%M%S}", seconds);
    auto target = path;
    target += ".unreadable-" + stamp;
    // Two failures within one second must not overwrite the first copy.
    for (int suffix = 2; present(target); ++suffix) {
        target = path;
        target += fmt::format(".unreadable-{}-{}", stamp, suffix);
    }
    std::error_code error;
    std::filesystem::rename(path, target, error);
    if (error) {
        return std::nullopt;
    }
    return target;
}

} // namespace tarn
