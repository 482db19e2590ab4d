#pragma once

// What the reaper application publishes in "tarnreaper-live.json": process counts, unresponsive
// applications and problematic entries, automatically frozen processes, the focus profile's
// reclaimed memory and listening ports.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"

namespace tarn {

class TarnReaperLiveStatus {
public:
    // Stores every field as given.
    TarnReaperLiveStatus(WallTime timestamp, std::int32_t senderPID, std::int64_t totalProcessCount,
        std::int64_t unresponsiveCount, std::int64_t problematicCount, std::vector<std::string> unresponsiveAppNames,
        std::int64_t memoryLeakCount, std::vector<std::int32_t> autoFrozenPIDs,
        std::optional<std::string> activeFocusProfileName, std::int64_t reclaimedFocusBytes,
        std::int64_t listeningPortCount);

    WallTime timestamp() const { return m_timestamp; }
    std::int32_t senderPID() const { return m_senderPID; }
    std::int64_t totalProcessCount() const { return m_totalProcessCount; }
    std::int64_t unresponsiveCount() const { return m_unresponsiveCount; }
    // Entries the publisher counts as problematic.
    std::int64_t problematicCount() const { return m_problematicCount; }
    // In the publisher's order; may be empty.
    const std::vector<std::string>& unresponsiveAppNames() const { return m_unresponsiveAppNames; }
    // Suspected memory leaks.
    std::int64_t memoryLeakCount() const { return m_memoryLeakCount; }
    // Processes frozen automatically, in the publisher's order; may be empty.
    const std::vector<std::int32_t>& autoFrozenPIDs() const { return m_autoFrozenPIDs; }
    // An empty name is a present name, not an absent one.
    const std::optional<std::string>& activeFocusProfileName() const { return m_activeFocusProfileName; }
    // Memory reclaimed under the focus profile.
    std::int64_t reclaimedFocusBytes() const { return m_reclaimedFocusBytes; }
    std::int64_t listeningPortCount() const { return m_listeningPortCount; }

    // The suite freshness rule applied to timestamp and senderPID.
    bool isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const;

    // The keys in field order, an absent focus profile left out. Always written.
    std::optional<SuiteJson> toJson() const;
    // Every key required but "activeFocusProfileName", which may be missing or null.
    static DecodeResult<TarnReaperLiveStatus> fromJson(const nlohmann::json& value);

    bool operator==(const TarnReaperLiveStatus& other) const;

private:
    TarnReaperLiveStatus() = default;
    static constexpr auto fields();

    WallTime m_timestamp {};
    std::int32_t m_senderPID = 0;
    std::int64_t m_totalProcessCount = 0;
    std::int64_t m_unresponsiveCount = 0;
    std::int64_t m_problematicCount = 0;
    std::vector<std::string> m_unresponsiveAppNames;
    std::int64_t m_memoryLeakCount = 0;
    std::vector<std::int32_t> m_autoFrozenPIDs;
    std::optional<std::string> m_activeFocusProfileName;
    std::int64_t m_reclaimedFocusBytes = 0;
    std::int64_t m_listeningPortCount = 0;
};

} // namespace tarn
