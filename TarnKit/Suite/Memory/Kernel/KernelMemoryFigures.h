#pragma once

// What the kernel says about the machine's memory, swap and memory pressure, in bytes.

#include <cstdint>
#include <string>

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
    // "normal", "warning" or "critical".
    std::string pressureLevel = "normal";

    bool operator==(const KernelMemoryFigures&) const = default;
};

} // namespace tarn
