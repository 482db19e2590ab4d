#pragma once

// Builds the virtual-memory summary from the kernel's figures and either a fresh status of the
// memory application (which knows its own pools, disks and frozen applications) or, without one,
// the sparse disks found mounted. Which status is fresh is the caller's to decide (the telemetry
// bus reads it). Keeps nothing between calls; may run on any thread.

#include <optional>
#include <string>
#include <vector>

#include "TarnKit/Suite/Memory/Disks/FileSystemProbe.h"
#include "TarnKit/Suite/Memory/Disks/SparseDiskScanner.h"
#include "TarnKit/Suite/Memory/Kernel/KernelMemoryFigures.h"
#include "TarnKit/Suite/Memory/Kernel/KernelMemoryReader.h"
#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"
#include "TarnKit/Suite/Records/TarnMemoryLiveStatus.h"

namespace tarn {

class VirtualMemorySummaryReader {
public:
    VirtualMemorySummaryReader(
        KernelMemorySources kernelSources, SparseDiskLocations sparseDisks, const FileSystemProbe& fileSystem);

    // A summary, and the kernel's sources that could not be read for it (KernelMemoryFigures'
    // problems): with any, the summary is not the machine's.
    struct Reading {
        TarnVirtualMemorySummary summary;
        std::vector<std::string> problems;
    };

    // The sparse-disk scan runs only without a fresh status.
    TarnVirtualMemorySummary read(const std::optional<TarnMemoryLiveStatus>& freshStatus) const;
    Reading readChecked(const std::optional<TarnMemoryLiveStatus>& freshStatus) const;

    // The summary while the memory application runs: its own figures where it has them (memory
    // when above 0, swap by the larger of its and the kernel's), the kernel's otherwise.
    static TarnVirtualMemorySummary merged(const KernelMemoryFigures& kernel, const TarnMemoryLiveStatus& status);

    // The summary of a machine whose memory application is not running: no pools, RAM disks or
    // frozen applications, only the sparse disks found mounted.
    static TarnVirtualMemorySummary fromKernel(const KernelMemoryFigures& kernel, const SparseDiskScan& sparseDisks);

private:
    KernelMemoryReader m_kernel;
    SparseDiskScanner m_sparseDisks;
};

} // namespace tarn
