#pragma once

// One defaults domain as one JSON object file, e.g. $XDG_CONFIG_HOME/Harrowfen/com.harrowfen.kit.json.
// The file is read once and cached; every change rewrites it atomically. A file that cannot be
// read is kept aside before the first write replaces it.

#include <filesystem>
#include <mutex>

#include "TarnKit/Foundation/Files/XdgPaths.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Foundation/Ports/DefaultsStore.h"

namespace tarn {

class JsonFileDefaultsStore final : public DefaultsStore {
public:
    explicit JsonFileDefaultsStore(std::filesystem::path file, const Clock& clock = SystemClock::shared());

    // The file of `domain` in the family's configuration folder.
    static std::filesystem::path fileForDomain(const XdgPaths& paths, std::string_view domain);

    std::optional<nlohmann::json> value(std::string_view key) const override;
    bool setValue(std::string_view key, const nlohmann::json& value) override;
    bool removeValue(std::string_view key) override;

private:
    bool writeLocked(const nlohmann::json& values);

    const std::filesystem::path m_file;
    const Clock& m_clock;
    mutable std::mutex m_mutex;
    nlohmann::json m_values = nlohmann::json::object();
    bool m_fileUnreadable = false;
};

} // namespace tarn
