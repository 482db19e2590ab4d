#include "TarnKit/Suite/Memory/VirtualMemorySummaryReader.h"

#include <algorithm>

namespace tarn {

VirtualMemorySummaryReader::VirtualMemorySummaryReader(
    KernelMemorySources kernelSources, SparseDiskLocations sparseDisks, const FileSystemProbe& fileSystem)
    : m_kernel(kernelSources, fileSystem)
    , m_sparseDisks(std::move(sparseDisks), kernelSources.procRoot, fileSystem)
{
}

TarnVirtualMemorySummary VirtualMemorySummaryReader::read(const std::optional<TarnMemoryLiveStatus>& freshStatus) const
{
    return readChecked(freshStatus).summary;
}

VirtualMemorySummaryReader::Reading VirtualMemorySummaryReader::readChecked(
    const std::optional<TarnMemoryLiveStatus>& freshStatus) const
{
    auto kernel = m_kernel.read();
    auto summary = freshStatus ? merged(kernel, *freshStatus) : fromKernel(kernel, m_sparseDisks.scan());
    return {std::move(summary), std::move(kernel.problems)};
}

TarnVirtualMemorySummary VirtualMemorySummaryReader::merged(
    const KernelMemoryFigures& kernel, const TarnMemoryLiveStatus& status)
{
    const auto positiveOr = [](std::int64_t value, std::int64_t fallback) { return value > 0 ? value : fallback; };
    TarnVirtualMemorySummary summary;
    summary.physicalTotalBytes = positiveOr(status.physicalTotalBytes(), kernel.physicalTotalBytes);
    summary.physicalUsedBytes = positiveOr(status.physicalUsedBytes(), kernel.physicalUsedBytes);
    summary.compressedBytes = positiveOr(status.compressedBytes(), kernel.compressedBytes);
    summary.swapTotalBytes = std::max(kernel.swapTotalBytes, status.swapTotalBytes());
    summary.swapUsedBytes = std::max(kernel.swapUsedBytes, status.swapUsedBytes());
    summary.swapFileCount = status.swapFileCount();
    summary.swapEncrypted = status.swapEncrypted();
    summary.pressureLevel = status.pressureLevel();
    summary.isTarnMemoryRunning = true;
    summary.activeDiskPoolCount = status.activeDiskPoolCount();
    summary.diskPoolVirtualBytes = status.diskPoolVirtualBytes();
    summary.diskPoolActualDiskBytes = status.diskPoolActualDiskBytes();
    summary.diskPoolNames = status.diskPoolNames();
    summary.mountedSparseDiskCount = status.mountedSparseDiskCount();
    summary.sparseDiskVirtualBytes = status.sparseDiskVirtualBytes();
    summary.sparseDiskActualBytes = status.sparseDiskActualBytes();
    summary.sparseDiskNames = status.sparseDiskNames();
    summary.mountedRAMDiskCount = status.mountedRAMDiskCount();
    summary.ramDiskTotalBytes = status.ramDiskTotalBytes();
    summary.ramDiskNames = status.ramDiskNames();
    summary.frozenAppCount = status.frozenAppCount();
    summary.frozenPIDs = status.frozenPIDs();
    summary.reclaimedFromFrozenBytes = status.reclaimedFromFrozenBytes();
    return summary;
}

TarnVirtualMemorySummary VirtualMemorySummaryReader::fromKernel(
    const KernelMemoryFigures& kernel, const SparseDiskScan& sparseDisks)
{
    TarnVirtualMemorySummary summary;
    summary.physicalTotalBytes = kernel.physicalTotalBytes;
    summary.physicalUsedBytes = kernel.physicalUsedBytes;
    summary.compressedBytes = kernel.compressedBytes;
    summary.swapTotalBytes = kernel.swapTotalBytes;
    summary.swapUsedBytes = kernel.swapUsedBytes;
    summary.swapEncrypted = kernel.swapEncrypted;
    summary.pressureLevel = kernel.pressureLevel;
    summary.mountedSparseDiskCount = sparseDisks.count;
    summary.sparseDiskVirtualBytes = sparseDisks.capacityBytes;
    summary.sparseDiskActualBytes = sparseDisks.usedBytes;
    summary.sparseDiskNames = sparseDisks.names;
    return summary;
}

} // namespace tarn
