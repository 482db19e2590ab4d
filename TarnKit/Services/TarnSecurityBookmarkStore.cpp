#include "TarnKit/Services/TarnSecurityBookmarkStore.h"

#include <algorithm>

namespace tarn {

TarnSecurityBookmarkStore::TarnSecurityBookmarkStore(std::string storageKey, DefaultsStore& defaults)
    : m_storageKey(std::move(storageKey))
    , m_defaults(defaults)
{
}

std::string TarnSecurityBookmarkStore::standardizedPath(const std::filesystem::path& location)
{
    auto text = std::filesystem::absolute(location).lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

nlohmann::json TarnSecurityBookmarkStore::storedRecords() const
{
    auto stored = m_defaults.value(m_storageKey);
    if (!stored || !stored->is_object()
        || !std::all_of(stored->begin(), stored->end(), [](const auto& record) { return record.is_string(); })) {
        return nlohmann::json::object();
    }
    return *stored;
}

Status<std::error_code> TarnSecurityBookmarkStore::saveBookmark(const std::filesystem::path& location)
{
    const auto path = standardizedPath(location);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return fail(error ? error : std::make_error_code(std::errc::no_such_file_or_directory));
    }
    std::lock_guard lock(m_mutex);
    auto records = storedRecords();
    records[path] = path;
    if (!m_defaults.setValue(m_storageKey, records)) {
        return fail(std::make_error_code(std::errc::io_error));
    }
    return Ok {};
}

std::vector<std::filesystem::path> TarnSecurityBookmarkStore::resolveAllBookmarks() const
{
    nlohmann::json records;
    {
        std::lock_guard lock(m_mutex);
        records = storedRecords();
    }
    std::vector<std::string> resolved;
    for (const auto& record : records) {
        auto path = record.get<std::string>();
        std::error_code error;
        if (std::filesystem::exists(path, error)) {
            resolved.push_back(std::move(path));
        }
    }
    std::sort(resolved.begin(), resolved.end());
    return {resolved.begin(), resolved.end()};
}

void TarnSecurityBookmarkStore::removeBookmark(std::string_view path)
{
    std::lock_guard lock(m_mutex);
    auto records = storedRecords();
    records.erase(std::string(path));
    (void)m_defaults.setValue(m_storageKey, records);
}

} // namespace tarn
