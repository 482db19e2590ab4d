#include "TarnKit/Services/TarnBinaryLocator.h"

#include <array>
#include <cstdlib>

#include <unistd.h>

namespace tarn {

namespace {

constexpr std::array<std::string_view, 4> kFixedFolders {"/opt/homebrew/bin", "/usr/local/bin", "/usr/bin", "/bin"};

bool isExecutableFile(const std::filesystem::path& candidate)
{
    std::error_code error;
    return std::filesystem::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0;
}

} // namespace

std::vector<std::filesystem::path> TarnBinaryLocator::searchFolders(
    const std::optional<std::filesystem::path>& resourceFolder,
    const std::vector<std::filesystem::path>& extraSearchDirectories, std::string_view pathVariable)
{
    std::vector<std::filesystem::path> folders;
    if (resourceFolder) {
        folders.push_back(*resourceFolder / "bin");
        folders.push_back(*resourceFolder);
    }
    folders.insert(folders.end(), extraSearchDirectories.begin(), extraSearchDirectories.end());
    folders.insert(folders.end(), kFixedFolders.begin(), kFixedFolders.end());
    while (!pathVariable.empty()) {
        const auto colon = pathVariable.find(':');
        const auto entry = pathVariable.substr(0, colon);
        if (!entry.empty()) {
            folders.emplace_back(entry);
        }
        pathVariable = colon == std::string_view::npos ? std::string_view {} : pathVariable.substr(colon + 1);
    }
    return folders;
}

std::optional<std::filesystem::path> TarnBinaryLocator::locate(std::string_view name,
    const std::optional<std::filesystem::path>& resourceFolder,
    const std::vector<std::filesystem::path>& extraSearchDirectories)
{
    const char* pathVariable = std::getenv("PATH");
    for (const auto& folder : searchFolders(resourceFolder, extraSearchDirectories, pathVariable ? pathVariable : "")) {
        auto candidate = folder / name;
        if (isExecutableFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace tarn
