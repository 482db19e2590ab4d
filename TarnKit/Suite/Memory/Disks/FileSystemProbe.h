#pragma once

// What the memory summary asks the file system about volumes and devices: the capacity of a
// mounted volume (statvfs) and the block device a swap area lives on (stat). A port, so that
// tests can answer for volumes and devices that do not exist on the machine running them.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace tarn {

struct VolumeCapacity {
    std::int64_t totalBytes = 0;
    // What an unprivileged user may still write.
    std::int64_t availableBytes = 0;
};

struct BlockDeviceNumber {
    unsigned int major = 0;
    unsigned int minor = 0;

    bool operator==(const BlockDeviceNumber&) const = default;
};

class FileSystemProbe {
public:
    virtual ~FileSystemProbe() = default;

    // The capacity of the file system that holds `path`; none when it cannot be queried.
    virtual std::optional<VolumeCapacity> volumeCapacity(const std::filesystem::path& path) const = 0;
    // For a block device node, that device; for any other file, the device of the file system
    // that holds it; none when the path cannot be examined.
    virtual std::optional<BlockDeviceNumber> blockDevice(const std::filesystem::path& path) const = 0;
};

} // namespace tarn
