#include "TarnKit/Foundation/UnreadableFile.h"

#include <fmt/chrono.h>
#include <fmt/format.h>

namespace tarn {

std::optional<std::filesystem::path> UnreadableFile::setAside(const std::filesystem::path& path, WallTime when)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return std::nullopt;
    }
    const auto seconds = std::chrono::floor<std::chrono::seconds>(when);
    const std::string stamp = fmt::format("{:%Y%m%d-%H%M%S}", seconds);
    auto target = path;
    target += ".unreadable-" + stamp;
    // Two failures within one second must not overwrite the first copy.
    for (int suffix = 2; std::filesystem::exists(target, error); ++suffix) {
        target = path;
        target += fmt::format(".unreadable-{}-{}", stamp, suffix);
    }
    std::filesystem::rename(path, target, error);
    if (error) {
        return std::nullopt;
    }
    return target;
}

} // namespace tarn
