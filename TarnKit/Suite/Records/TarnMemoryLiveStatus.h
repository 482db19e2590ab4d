#pragma once

// What the memory application publishes about itself in "tarnmemory-live.json": its picture of
// physical memory and swap, its disk pools, sparse disks and RAM disks, the applications it
// holds frozen, and the current or last offload run.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Foundation/Ports/Clock.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"
#include "TarnKit/Suite/Records/Rules/ProcessProbe.h"
#include "TarnKit/Suite/Records/TarnMemoryOffloadLiveProgress.h"

namespace tarn {

class TarnMemoryLiveStatus {
public:
    // Stores every field as given. Byte counts are signed 64-bit; counts and scores too.
    TarnMemoryLiveStatus(WallTime timestamp, std::int32_t senderPID, std::int64_t physicalTotalBytes,
        std::int64_t physicalUsedBytes, std::int64_t compressedBytes, double usedPercent, std::int64_t swapTotalBytes,
        std::int64_t swapUsedBytes, std::int64_t swapFileCount, bool swapEncrypted, std::string pressureLevel,
        std::int64_t healthScore, std::int64_t activeDiskPoolCount, std::int64_t diskPoolVirtualBytes,
        std::int64_t diskPoolActualDiskBytes, std::vector<std::string> diskPoolNames,
        std::int64_t mountedSparseDiskCount, std::int64_t sparseDiskVirtualBytes, std::int64_t sparseDiskActualBytes,
        std::vector<std::string> sparseDiskNames, std::int64_t mountedRAMDiskCount, std::int64_t ramDiskTotalBytes,
        std::vector<std::string> ramDiskNames, std::int64_t frozenAppCount, std::vector<std::int32_t> frozenPIDs,
        std::int64_t reclaimedFromFrozenBytes, std::optional<TarnMemoryOffloadLiveProgress> offloadProgress);

    WallTime timestamp() const { return m_timestamp; }
    std::int32_t senderPID() const { return m_senderPID; }
    std::int64_t physicalTotalBytes() const { return m_physicalTotalBytes; }
    std::int64_t physicalUsedBytes() const { return m_physicalUsedBytes; }
    // Memory held by the compressor.
    std::int64_t compressedBytes() const { return m_compressedBytes; }
    double usedPercent() const { return m_usedPercent; }
    std::int64_t swapTotalBytes() const { return m_swapTotalBytes; }
    std::int64_t swapUsedBytes() const { return m_swapUsedBytes; }
    std::int64_t swapFileCount() const { return m_swapFileCount; }
    bool swapEncrypted() const { return m_swapEncrypted; }
    // The kit's readers know "normal", "warning" and "critical".
    const std::string& pressureLevel() const { return m_pressureLevel; }
    std::int64_t healthScore() const { return m_healthScore; }
    std::int64_t activeDiskPoolCount() const { return m_activeDiskPoolCount; }
    // Capacity the pools offer, and disk space they occupy.
    std::int64_t diskPoolVirtualBytes() const { return m_diskPoolVirtualBytes; }
    std::int64_t diskPoolActualDiskBytes() const { return m_diskPoolActualDiskBytes; }
    const std::vector<std::string>& diskPoolNames() const { return m_diskPoolNames; }
    std::int64_t mountedSparseDiskCount() const { return m_mountedSparseDiskCount; }
    std::int64_t sparseDiskVirtualBytes() const { return m_sparseDiskVirtualBytes; }
    std::int64_t sparseDiskActualBytes() const { return m_sparseDiskActualBytes; }
    const std::vector<std::string>& sparseDiskNames() const { return m_sparseDiskNames; }
    std::int64_t mountedRAMDiskCount() const { return m_mountedRAMDiskCount; }
    std::int64_t ramDiskTotalBytes() const { return m_ramDiskTotalBytes; }
    const std::vector<std::string>& ramDiskNames() const { return m_ramDiskNames; }
    std::int64_t frozenAppCount() const { return m_frozenAppCount; }
    const std::vector<std::int32_t>& frozenPIDs() const { return m_frozenPIDs; }
    std::int64_t reclaimedFromFrozenBytes() const { return m_reclaimedFromFrozenBytes; }
    // The current or last offload run; absent when there is none.
    const std::optional<TarnMemoryOffloadLiveProgress>& offloadProgress() const { return m_offloadProgress; }

    // Any disk pool, sparse disk or RAM disk is in use.
    bool hasVirtualDiskExpansion() const;
    // Pools and sparse disks, without the RAM disks; sums stop at the 64-bit limits (only a
    // corrupt file comes near them).
    std::int64_t totalVirtualPoolCapacityBytes() const;
    std::int64_t totalVirtualDiskActualBytes() const;

    // The suite freshness rule applied to timestamp and senderPID.
    bool isFresh(WallTime now, double maxAgeSeconds, const ProcessProbe& probe) const;

    // The keys in field order, "offloadProgress" left out when absent; none when usedPercent or
    // the progress's fraction cannot be written.
    std::optional<SuiteJson> toJson() const;
    // Every key required but "offloadProgress", which may be missing or null; a present one
    // must be a complete progress record. Values taken as they stand.
    static DecodeResult<TarnMemoryLiveStatus> fromJson(const nlohmann::json& value);

    bool operator==(const TarnMemoryLiveStatus& other) const;

private:
    TarnMemoryLiveStatus() = default;
    static constexpr auto fields();

    WallTime m_timestamp {};
    std::int32_t m_senderPID = 0;
    std::int64_t m_physicalTotalBytes = 0;
    std::int64_t m_physicalUsedBytes = 0;
    std::int64_t m_compressedBytes = 0;
    double m_usedPercent = 0;
    std::int64_t m_swapTotalBytes = 0;
    std::int64_t m_swapUsedBytes = 0;
    std::int64_t m_swapFileCount = 0;
    bool m_swapEncrypted = false;
    std::string m_pressureLevel;
    std::int64_t m_healthScore = 0;
    std::int64_t m_activeDiskPoolCount = 0;
    std::int64_t m_diskPoolVirtualBytes = 0;
    std::int64_t m_diskPoolActualDiskBytes = 0;
    std::vector<std::string> m_diskPoolNames;
    std::int64_t m_mountedSparseDiskCount = 0;
    std::int64_t m_sparseDiskVirtualBytes = 0;
    std::int64_t m_sparseDiskActualBytes = 0;
    std::vector<std::string> m_sparseDiskNames;
    std::int64_t m_mountedRAMDiskCount = 0;
    std::int64_t m_ramDiskTotalBytes = 0;
    std::vector<std::string> m_ramDiskNames;
    std::int64_t m_frozenAppCount = 0;
    std::vector<std::int32_t> m_frozenPIDs;
    std::int64_t m_reclaimedFromFrozenBytes = 0;
    std::optional<TarnMemoryOffloadLiveProgress> m_offloadProgress;
};

} // namespace tarn
