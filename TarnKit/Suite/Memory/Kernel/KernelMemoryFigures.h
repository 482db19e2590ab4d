#pragma once

// What the kernel says about the machine's memory, swap and memory pressure, in bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace tarn {

struct KernelMemoryFigures {
    std::int64_t physicalTotalBytes = 0;
    std::int64_t physicalUsedBytes = 0;
    // Memory that in-kernel compressors (zram devices, the zswap pool) hold.
    std::int64_t compressedBytes = 0;
    std::int64_t swapTotalBytes = 0;
    std::int64_t swapUsedBytes = 0;
    // True only when swap is active and every swap area is known to lie on dm-crypt.
    bool swapEncrypted = false;
    // "normal", "warning" or "critical"; "unknown" when the kernel gives no pressure figures.
    std::string pressureLevel = "unknown";
    // Each source that is there but could not be read, or that lacks figures it always holds, as
    // one English sentence ("/proc/meminfo is not a regular file."). The figures it would have
    // given are 0, "not encrypted" or "unknown" and must not be taken for the machine's.
    std::vector<std::string> problems;

    bool operator==(const KernelMemoryFigures&) const = default;
};

} // namespace tarn
