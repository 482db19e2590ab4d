#include "Platform/Linux/Services/JsonFileDefaultsStore.h"

#include "TarnKit/Foundation/Files/AtomicFileWriter.h"
#include "TarnKit/Foundation/Files/UnreadableFile.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn {
namespace {

// A defaults domain holds a few preferences; a file far larger is not one of ours.
constexpr std::uintmax_t kLargestDomainFile = 16u << 20;

} // namespace

JsonFileDefaultsStore::JsonFileDefaultsStore(std::filesystem::path file, const Clock& clock)
    : m_file(std::move(file))
    , m_clock(clock)
{
    const auto contents = WholeFile::read(m_file, kLargestDomainFile);
    if (!contents && contents.error() == WholeFile::Failure::missing) {
        return;
    }
    auto parsed = contents ? StrictJson::parse(*contents) : std::nullopt;
    if (parsed && parsed->is_object()) {
        m_values = std::move(*parsed);
    } else {
        m_fileUnreadable = true;
    }
}

std::filesystem::path JsonFileDefaultsStore::fileForDomain(const XdgPaths& paths, std::string_view domain)
{
    return paths.harrowfenConfig() / (std::string(domain) + ".json");
}

std::optional<nlohmann::json> JsonFileDefaultsStore::value(std::string_view key) const
{
    std::lock_guard lock(m_mutex);
    if (auto found = m_values.find(key); found != m_values.end()) {
        return *found;
    }
    return std::nullopt;
}

bool JsonFileDefaultsStore::setValue(std::string_view key, const nlohmann::json& value)
{
    std::lock_guard lock(m_mutex);
    auto updated = m_values;
    updated[std::string(key)] = value;
    return writeLocked(updated);
}

bool JsonFileDefaultsStore::removeValue(std::string_view key)
{
    std::lock_guard lock(m_mutex);
    auto updated = m_values;
    updated.erase(std::string(key));
    return writeLocked(updated);
}

bool JsonFileDefaultsStore::writeLocked(const nlohmann::json& values)
{
    if (m_fileUnreadable) {
        std::error_code error;
        // Never write over a file that could not be read and could not be kept aside.
        if (!UnreadableFile::setAside(m_file, m_clock.wallNow()) && std::filesystem::exists(m_file, error)) {
            return false;
        }
        m_fileUnreadable = false;
    }
    if (!AtomicFileWriter::write(m_file, StrictJson::dump(values, 2) + "\n")) {
        return false;
    }
    m_values = values;
    return true;
}

} // namespace tarn
