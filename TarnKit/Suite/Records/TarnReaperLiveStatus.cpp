#include "TarnKit/Suite/Records/TarnReaperLiveStatus.h"

#include <tuple>

#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

namespace tarn {

TarnReaperLiveStatus::TarnReaperLiveStatus(WallTime timestamp, std::int32_t senderPID, std::int64_t totalProcessCount,
    std::int64_t unresponsiveCount, std::int64_t problematicCount, std::vector<std::string> unresponsiveAppNames,
    std::int64_t memoryLeakCount, std::vector<std::int32_t> autoFrozenPIDs,
    std::optional<std::string> activeFocusProfileName, std::int64_t reclaimedFocusBytes,
    std::int64_t listeningPortCount)
    : m_timestamp(timestamp)
    , m_senderPID(senderPID)
    , m_totalProcessCount(totalProcessCount)
    , m_unresponsiveCount(unresponsiveCount)
    , m_problematicCount(problematicCount)
    , m_unresponsiveAppNames(std::move(unresponsiveAppNames))
    , m_memoryLeakCount(memoryLeakCount)
    , m_autoFrozenPIDs(std::move(autoFrozenPIDs))
    , m_activeFocusProfileName(std::move(activeFocusProfileName))
    , m_reclaimedFocusBytes(reclaimedFocusBytes)
    , m_listeningPortCount(listeningPortCount)
{
}

constexpr auto TarnReaperLiveStatus::fields()
{
    using S = TarnReaperLiveStatus;
    return std::tuple {
        SuiteField {"timestamp", &S::m_timestamp},
        SuiteField {"senderPID", &S::m_senderPID},
        SuiteField {"totalProcessCount", &S::m_totalProcessCount},
        SuiteField {"unresponsiveCount", &S::m_unresponsiveCount},
        SuiteField {"problematicCount", &S::m_problematicCount},
        SuiteField {"unresponsiveAppNames", &S::m_unresponsiveAppNames},
        SuiteField {"memoryLeakCount", &S::m_memoryLeakCount},
        SuiteField {"autoFrozenPIDs", &S::m_autoFrozenPIDs},
        SuiteField {"activeFocusProfileName", &S::m_activeFocusProfileName},
        SuiteField {"reclaimedFocusBytes", &S::m_reclaimedFocusBytes},
        SuiteField {"listeningPortCount", &S::m_listeningPortCount},
    };
}

bool TarnReaperLiveStatus::isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const
{
    return SuiteFreshness::isFresh(m_timestamp, m_senderPID, now, maxAgeSeconds, probe);
}

std::optional<SuiteJson> TarnReaperLiveStatus::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnReaperLiveStatus> TarnReaperLiveStatus::fromJson(const nlohmann::json& value)
{
    return decodeSuiteFields(value, TarnReaperLiveStatus {}, fields());
}

bool TarnReaperLiveStatus::operator==(const TarnReaperLiveStatus& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
