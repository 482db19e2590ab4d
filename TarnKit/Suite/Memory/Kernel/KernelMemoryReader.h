#pragma once

// The kernel's figures for the memory summary, read afresh on every call:
// - physical total from MemTotal of /proc/meminfo (sysconf's page count when that is missing),
//   in use MemTotal - MemAvailable, held within 0 and the total (0 without MemAvailable);
// - compressed: what every zram device holds (mem_used_total, the third figure of
//   /sys/block/zram*/mm_stat) plus the zswap pool ("Zswap:" in /proc/meminfo);
// - swap size SwapTotal, swap in use SwapTotal - SwapFree, 0 of 0 when meminfo has neither;
// - swap encrypted as SwapEncryptionCheck decides for the areas of /proc/swaps;
// - pressure from /proc/pressure/memory as MemoryPressureStall classifies it, "unknown" without
//   one (kernels without pressure-stall information have no such file).
// Whatever cannot be read counts as 0, not encrypted and "unknown", and a source that is there but
// cannot be read (not a regular file, refused, too large, or without the figures it always holds)
// is named among the figures' problems: /proc/meminfo missing too, since every Linux kernel has it.

#include <string>
#include <vector>

#include "TarnKit/Suite/Memory/Disks/FileSystemProbe.h"
#include "TarnKit/Suite/Memory/Kernel/KernelMemoryFigures.h"
#include "TarnKit/Suite/Memory/Kernel/KernelMemorySources.h"

namespace tarn {

class KernelMemoryReader {
public:
    KernelMemoryReader(KernelMemorySources sources, const FileSystemProbe& fileSystem);

    KernelMemoryFigures read() const;

private:
    std::int64_t zramBytes() const;
    bool swapEncrypted(std::vector<std::string>& problems) const;

    KernelMemorySources m_sources;
    const FileSystemProbe& m_fileSystem;
};

} // namespace tarn
