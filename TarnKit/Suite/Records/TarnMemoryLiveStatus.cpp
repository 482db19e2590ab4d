#include "TarnKit/Suite/Records/TarnMemoryLiveStatus.h"

#include <tuple>

#include "TarnKit/Foundation/Basics/SaturatingArithmetic.h"
#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteFreshness.h"

namespace tarn {

TarnMemoryLiveStatus::TarnMemoryLiveStatus(WallTime timestamp, std::int32_t senderPID, std::int64_t physicalTotalBytes,
    std::int64_t physicalUsedBytes, std::int64_t compressedBytes, double usedPercent, std::int64_t swapTotalBytes,
    std::int64_t swapUsedBytes, std::int64_t swapFileCount, bool swapEncrypted, std::string pressureLevel,
    std::int64_t healthScore, std::int64_t activeDiskPoolCount, std::int64_t diskPoolVirtualBytes,
    std::int64_t diskPoolActualDiskBytes, std::vector<std::string> diskPoolNames, std::int64_t mountedSparseDiskCount,
    std::int64_t sparseDiskVirtualBytes, std::int64_t sparseDiskActualBytes, std::vector<std::string> sparseDiskNames,
    std::int64_t mountedRAMDiskCount, std::int64_t ramDiskTotalBytes, std::vector<std::string> ramDiskNames,
    std::int64_t frozenAppCount, std::vector<std::int32_t> frozenPIDs, std::int64_t reclaimedFromFrozenBytes,
    std::optional<TarnMemoryOffloadLiveProgress> offloadProgress)
    : m_timestamp(timestamp)
    , m_senderPID(senderPID)
    , m_physicalTotalBytes(physicalTotalBytes)
    , m_physicalUsedBytes(physicalUsedBytes)
    , m_compressedBytes(compressedBytes)
    , m_usedPercent(usedPercent)
    , m_swapTotalBytes(swapTotalBytes)
    , m_swapUsedBytes(swapUsedBytes)
    , m_swapFileCount(swapFileCount)
    , m_swapEncrypted(swapEncrypted)
    , m_pressureLevel(std::move(pressureLevel))
    , m_healthScore(healthScore)
    , m_activeDiskPoolCount(activeDiskPoolCount)
    , m_diskPoolVirtualBytes(diskPoolVirtualBytes)
    , m_diskPoolActualDiskBytes(diskPoolActualDiskBytes)
    , m_diskPoolNames(std::move(diskPoolNames))
    , m_mountedSparseDiskCount(mountedSparseDiskCount)
    , m_sparseDiskVirtualBytes(sparseDiskVirtualBytes)
    , m_sparseDiskActualBytes(sparseDiskActualBytes)
    , m_sparseDiskNames(std::move(sparseDiskNames))
    , m_mountedRAMDiskCount(mountedRAMDiskCount)
    , m_ramDiskTotalBytes(ramDiskTotalBytes)
    , m_ramDiskNames(std::move(ramDiskNames))
    , m_frozenAppCount(frozenAppCount)
    , m_frozenPIDs(std::move(frozenPIDs))
    , m_reclaimedFromFrozenBytes(reclaimedFromFrozenBytes)
    , m_offloadProgress(std::move(offloadProgress))
{
}

constexpr auto TarnMemoryLiveStatus::fields()
{
    using S = TarnMemoryLiveStatus;
    return std::tuple {
        SuiteField {"timestamp", &S::m_timestamp},
        SuiteField {"senderPID", &S::m_senderPID},
        SuiteField {"physicalTotalBytes", &S::m_physicalTotalBytes},
        SuiteField {"physicalUsedBytes", &S::m_physicalUsedBytes},
        SuiteField {"compressedBytes", &S::m_compressedBytes},
        SuiteField {"usedPercent", &S::m_usedPercent},
        SuiteField {"swapTotalBytes", &S::m_swapTotalBytes},
        SuiteField {"swapUsedBytes", &S::m_swapUsedBytes},
        SuiteField {"swapFileCount", &S::m_swapFileCount},
        SuiteField {"swapEncrypted", &S::m_swapEncrypted},
        SuiteField {"pressureLevel", &S::m_pressureLevel},
        SuiteField {"healthScore", &S::m_healthScore},
        SuiteField {"activeDiskPoolCount", &S::m_activeDiskPoolCount},
        SuiteField {"diskPoolVirtualBytes", &S::m_diskPoolVirtualBytes},
        SuiteField {"diskPoolActualDiskBytes", &S::m_diskPoolActualDiskBytes},
        SuiteField {"diskPoolNames", &S::m_diskPoolNames},
        SuiteField {"mountedSparseDiskCount", &S::m_mountedSparseDiskCount},
        SuiteField {"sparseDiskVirtualBytes", &S::m_sparseDiskVirtualBytes},
        SuiteField {"sparseDiskActualBytes", &S::m_sparseDiskActualBytes},
        SuiteField {"sparseDiskNames", &S::m_sparseDiskNames},
        SuiteField {"mountedRAMDiskCount", &S::m_mountedRAMDiskCount},
        SuiteField {"ramDiskTotalBytes", &S::m_ramDiskTotalBytes},
        SuiteField {"ramDiskNames", &S::m_ramDiskNames},
        SuiteField {"frozenAppCount", &S::m_frozenAppCount},
        SuiteField {"frozenPIDs", &S::m_frozenPIDs},
        SuiteField {"reclaimedFromFrozenBytes", &S::m_reclaimedFromFrozenBytes},
        SuiteField {"offloadProgress", &S::m_offloadProgress},
    };
}

bool TarnMemoryLiveStatus::hasVirtualDiskExpansion() const
{
    return m_activeDiskPoolCount > 0 || m_mountedSparseDiskCount > 0 || m_mountedRAMDiskCount > 0;
}

std::int64_t TarnMemoryLiveStatus::totalVirtualPoolCapacityBytes() const
{
    return saturatingAdd(m_diskPoolVirtualBytes, m_sparseDiskVirtualBytes);
}

std::int64_t TarnMemoryLiveStatus::totalVirtualDiskActualBytes() const
{
    return saturatingAdd(m_diskPoolActualDiskBytes, m_sparseDiskActualBytes);
}

bool TarnMemoryLiveStatus::isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const
{
    return SuiteFreshness::isFresh(m_timestamp, m_senderPID, now, maxAgeSeconds, probe);
}

std::optional<SuiteJson> TarnMemoryLiveStatus::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnMemoryLiveStatus> TarnMemoryLiveStatus::fromJson(const nlohmann::json& value)
{
    return decodeSuiteFields(value, TarnMemoryLiveStatus {}, fields());
}

bool TarnMemoryLiveStatus::operator==(const TarnMemoryLiveStatus& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
