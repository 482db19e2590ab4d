#pragma once

// A file-system probe that answers from tables: volume capacities by path (a fake statvfs) and
// block devices by path (a fake stat). Paths it was not told about cannot be queried.

#include <map>
#include <string>

#include "TarnKit/Suite/Memory/Disks/FileSystemProbe.h"

namespace tarn {

class FakeFileSystemProbe final : public FileSystemProbe {
public:
    void setVolumeCapacity(const std::filesystem::path& path, VolumeCapacity capacity)
    {
        m_capacities.insert_or_assign(path.string(), capacity);
    }
    void setBlockDevice(const std::filesystem::path& path, BlockDeviceNumber device)
    {
        m_devices.insert_or_assign(path.string(), device);
    }

    std::optional<VolumeCapacity> volumeCapacity(const std::filesystem::path& path) const override
    {
        return find(m_capacities, path);
    }
    std::optional<BlockDeviceNumber> blockDevice(const std::filesystem::path& path) const override
    {
        return find(m_devices, path);
    }

private:
    template <typename T>
    static std::optional<T> find(const std::map<std::string, T>& table, const std::filesystem::path& path)
    {
        const auto found = table.find(path.string());
        if (found == table.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    std::map<std::string, VolumeCapacity> m_capacities;
    std::map<std::string, BlockDeviceNumber> m_devices;
};

} // namespace tarn
