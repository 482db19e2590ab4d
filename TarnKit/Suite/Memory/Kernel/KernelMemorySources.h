#pragma once

// Where the kernel memory reader looks: the roots of the proc and sys file systems (a fixture
// tree in tests) and the page figures that sysconf reports.

#include <cstdint>
#include <filesystem>

namespace tarn {

struct KernelMemorySources {
    std::filesystem::path procRoot = "/proc";
    std::filesystem::path sysRoot = "/sys";
    std::int64_t pageSize = 4096;
    // The machine's physical pages; the physical total when /proc/meminfo gives none.
    std::int64_t physicalPageCount = 0;

    // The real roots, with the page size and count of this machine.
    static KernelMemorySources thisMachine();
};

} // namespace tarn
