#pragma once

// Files and folders the user chose, remembered across launches in a defaults store under one
// key as {standardized path: record}. Linux has no scoped access grants: a location resolves
// while it exists, and scoped access is never granted, so the bracket just runs its body.

#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Foundation/Ports/DefaultsStore.h"

namespace tarn {

class TarnSecurityBookmarkStore {
public:
    TarnSecurityBookmarkStore(std::string storageKey, DefaultsStore& defaults);

    // Fails, storing nothing, when the location does not exist.
    Status<std::error_code> saveBookmark(const std::filesystem::path& location);
    // Every stored location that still exists, sorted by path bytes; missing ones stay stored.
    std::vector<std::filesystem::path> resolveAllBookmarks() const;
    // Removes the entry stored under exactly this path text.
    void removeBookmark(std::string_view path);

    // Runs the body and returns what it returns (or lets its exception through).
    template <typename Body> static decltype(auto) withScopedAccess(const std::filesystem::path&, Body&& body)
    {
        return std::forward<Body>(body)();
    }

    // The absolute path without "." components, with ".." resolved and no trailing slash.
    static std::string standardizedPath(const std::filesystem::path& location);

private:
    nlohmann::json storedRecords() const;

    std::string m_storageKey;
    DefaultsStore& m_defaults;
    mutable std::mutex m_mutex;
};

} // namespace tarn
