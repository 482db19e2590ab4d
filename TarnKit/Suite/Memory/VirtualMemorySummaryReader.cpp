#include "TarnKit/Suite/Memory/VirtualMemorySummaryReader.h"

namespace tarn {

VirtualMemorySummaryReader::VirtualMemorySummaryReader(
    KernelMemorySources kernelSources, SparseDiskLocations sparseDisks, const FileSystemProbe& fileSystem)
    : m_kernel(kernelSources, fileSystem)
    , m_sparseDisks(std::move(sparseDisks), kernelSources.procRoot, fileSystem)
{
}

TarnVirtualMemorySummary VirtualMemorySummaryReader::read() const
{
    return fromKernel(m_kernel.read(), m_sparseDisks.scan());
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
