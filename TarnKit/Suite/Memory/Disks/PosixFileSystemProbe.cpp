#include "TarnKit/Suite/Memory/Disks/PosixFileSystemProbe.h"

#include <limits>

#include "TarnKit/Foundation/Basics/SaturatingArithmetic.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

namespace tarn {
namespace {

std::int64_t clampedCount(unsigned long long value)
{
    constexpr auto kLargest = static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(value > kLargest ? kLargest : value);
}

} // namespace

std::optional<VolumeCapacity> PosixFileSystemProbe::volumeCapacity(const std::filesystem::path& path) const
{
    struct statvfs info { };
    if (::statvfs(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    const std::int64_t fragment = clampedCount(info.f_frsize);
    return VolumeCapacity {saturatingMultiply(clampedCount(info.f_blocks), fragment),
        saturatingMultiply(clampedCount(info.f_bavail), fragment)};
}

std::optional<BlockDeviceNumber> PosixFileSystemProbe::blockDevice(const std::filesystem::path& path) const
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    const dev_t device = S_ISBLK(info.st_mode) ? info.st_rdev : info.st_dev;
    return BlockDeviceNumber {::major(device), ::minor(device)};
}

} // namespace tarn
