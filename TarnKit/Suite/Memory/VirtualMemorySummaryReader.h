#pragma once

// Builds the virtual-memory summary from the kernel's figures and, without a fresh status of the
// memory application, the sparse disks found mounted. Keeps nothing between calls; may run on
// any thread.

#include "TarnKit/Suite/Memory/FileSystemProbe.h"
#include "TarnKit/Suite/Memory/KernelMemoryFigures.h"
#include "TarnKit/Suite/Memory/KernelMemoryReader.h"
#include "TarnKit/Suite/Memory/SparseDiskScanner.h"
#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"

namespace tarn {

class VirtualMemorySummaryReader {
public:
    VirtualMemorySummaryReader(
        KernelMemorySources kernelSources, SparseDiskLocations sparseDisks, const FileSystemProbe& fileSystem);

    TarnVirtualMemorySummary read() const;

    // The summary of a machine whose memory application is not running: no pools, RAM disks or
    // frozen applications, only the sparse disks found mounted.
    static TarnVirtualMemorySummary fromKernel(const KernelMemoryFigures& kernel, const SparseDiskScan& sparseDisks);

private:
    KernelMemoryReader m_kernel;
    SparseDiskScanner m_sparseDisks;
};

} // namespace tarn
