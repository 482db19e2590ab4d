#pragma once

// How much memory the machine has and how much virtual memory is in play beside it: the system's
// swap and the disk pools, sparse disks and RAM disks of the memory application. An immutable
// value; every derived figure is computed on each call. Sums saturate at the 64-bit limits, since
// only a corrupt status file can carry counts that large and the figures must stay meaningful.

#include <cstdint>
#include <string>
#include <vector>

namespace tarn {

struct TarnVirtualMemorySummary {
    std::int64_t physicalTotalBytes = 0;
    std::int64_t physicalUsedBytes = 0;
    std::int64_t compressedBytes = 0;
    std::int64_t swapTotalBytes = 0;
    std::int64_t swapUsedBytes = 0;
    // Known only from the memory application's status.
    std::int64_t swapFileCount = 0;
    bool swapEncrypted = false;
    // "normal", "warning", "critical" or "unknown" (the kernel gives no figures), or the memory
    // application's own text when merged.
    std::string pressureLevel;
    bool isTarnMemoryRunning = false;
    std::int64_t activeDiskPoolCount = 0;
    std::int64_t diskPoolVirtualBytes = 0;
    std::int64_t diskPoolActualDiskBytes = 0;
    std::vector<std::string> diskPoolNames;
    std::int64_t mountedSparseDiskCount = 0;
    std::int64_t sparseDiskVirtualBytes = 0;
    std::int64_t sparseDiskActualBytes = 0;
    std::vector<std::string> sparseDiskNames;
    std::int64_t mountedRAMDiskCount = 0;
    std::int64_t ramDiskTotalBytes = 0;
    std::vector<std::string> ramDiskNames;
    std::int64_t frozenAppCount = 0;
    std::vector<std::int32_t> frozenPIDs;
    std::int64_t reclaimedFromFrozenBytes = 0;

    bool operator==(const TarnVirtualMemorySummary&) const = default;

    bool isTarnMemoryVirtualExpansionActive() const;
    bool isAnyVirtualMemoryActive() const;
    bool isSwapActive() const;
    std::int64_t totalTarnMemoryVirtualCapacityBytes() const;
    // Swap counts by the larger of its size and its use; a RAM disk counts in full.
    std::int64_t totalVirtualAllocatedBytes() const;
    std::int64_t totalVirtualUsedBytes() const;
    std::int64_t totalEffectiveMemoryCapacityBytes() const;
    std::int64_t totalEffectiveUsedBytes() const;
    // Percentages within 0…100; 0 when the whole is not positive.
    double physicalUsedPercent() const;
    double swapUsedPercent() const;
    double virtualUsedPercent() const;
    // "1.50 GB / 20.00 GB", or "0 B" when nothing is allocated.
    std::string virtualSpaceUsageText() const;
    // A short decimal figure such as "250M", "1.5G", "150G", "5.0G" or "0G".
    std::string compactVirtualUsedToken() const;
    // "Pool 10.00 GB + vDisk 5.00 GB + RAMDisk 2.00 GB + Swap 1.00 GB"; empty when nothing is active.
    std::string compactBadgeText() const;
};

} // namespace tarn
