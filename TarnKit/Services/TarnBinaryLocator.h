#pragma once

// Finds a tool by name: the program's own resources (bin/ first), the caller's folders, the usual
// system folders, then $PATH. Only an executable file counts.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace tarn {

class TarnBinaryLocator {
public:
    static std::optional<std::filesystem::path> locate(std::string_view name,
        const std::optional<std::filesystem::path>& resourceFolder,
        const std::vector<std::filesystem::path>& extraSearchDirectories);

    // Every folder searched, in order, for the given resources and $PATH value.
    static std::vector<std::filesystem::path> searchFolders(const std::optional<std::filesystem::path>& resourceFolder,
        const std::vector<std::filesystem::path>& extraSearchDirectories, std::string_view pathVariable);
};

} // namespace tarn
