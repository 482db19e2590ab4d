#pragma once

// The file-system probe of the machine the program runs on, through statvfs and stat.

#include "TarnKit/Suite/Memory/Disks/FileSystemProbe.h"

namespace tarn {

class PosixFileSystemProbe final : public FileSystemProbe {
public:
    std::optional<VolumeCapacity> volumeCapacity(const std::filesystem::path& path) const override;
    std::optional<BlockDeviceNumber> blockDevice(const std::filesystem::path& path) const override;
};

} // namespace tarn
