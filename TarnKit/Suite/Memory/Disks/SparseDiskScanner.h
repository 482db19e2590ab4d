#pragma once

// Finds the memory application's sparse disks that are mounted, for when the application itself
// has not published a fresh status. Pool folders are listed in order (the caches pool, then the
// configured custom one), without descending and without hidden entries; each entry whose
// extension is "sparsebundle" (in any letter case) names a disk. A name is looked at once, in
// the first folder that has it. A disk counts when its mount point is in the mount table and its
// volume reports at least one byte of capacity.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "TarnKit/Suite/Memory/Disks/FileSystemProbe.h"
#include "TarnKit/Suite/Memory/Disks/SparseDiskLocations.h"

namespace tarn {

struct SparseDiskScan {
    std::int64_t count = 0;
    std::int64_t capacityBytes = 0;
    std::int64_t usedBytes = 0;
    std::vector<std::string> names;

    bool operator==(const SparseDiskScan&) const = default;
};

class SparseDiskScanner {
public:
    // A pool folder holds a handful of bundles; more entries than this are not looked at.
    static constexpr std::size_t kMaxEntriesPerFolder = 10'000;
    static constexpr std::uintmax_t kMaxConfigSize = 1024 * 1024;

    SparseDiskScanner(SparseDiskLocations locations, std::filesystem::path procRoot, const FileSystemProbe& fileSystem);

    SparseDiskScan scan() const;

private:
    std::optional<std::filesystem::path> customPoolFolder() const;

    SparseDiskLocations m_locations;
    std::filesystem::path m_procRoot;
    const FileSystemProbe& m_fileSystem;
};

} // namespace tarn
