#include "TarnKit/Foundation/Files/UnreadableFile.h"

#include <fmt/chrono.h>
#include <fmt/format.h>

namespace tarn {

std::optional<std::filesystem::path> UnreadableFile::setAside(const std::filesystem::path& path, WallTime when)
{
    // Whatever stands at the path itself: a broken or looping symbolic link is set aside too, as
    // the link (its target, if any, is not touched).
    const auto present = [](const std::filesystem::path& candidate) {
        std::error_code error;
        return std::filesystem::exists(std::filesystem::symlink_status(candidate, error));
    };
    if (!present(path)) {
        return std::nullopt;
    }
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
