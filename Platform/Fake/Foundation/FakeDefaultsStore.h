#pragma once

// Defaults kept in memory. `failWrites` makes every write refuse, as a read-only disk would.

#include <map>
#include <mutex>

#include "TarnKit/Foundation/Ports/DefaultsStore.h"

namespace tarn {

class FakeDefaultsStore final : public DefaultsStore {
public:
    std::optional<nlohmann::json> value(std::string_view key) const override;
    bool setValue(std::string_view key, const nlohmann::json& value) override;
    bool removeValue(std::string_view key) override;

    void setFailWrites(bool fail);
    int writeCount() const;

private:
    mutable std::mutex m_mutex;
    std::map<std::string, nlohmann::json, std::less<>> m_values;
    bool m_failWrites = false;
    int m_writeCount = 0;
};

} // namespace tarn
