#pragma once

// The mount points of /proc/self/mountinfo (the fifth field of each line), so that a folder left
// behind where a volume used to be mounted is not taken for the volume.

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace tarn {

class MountTable {
public:
    static MountTable parse(std::string_view mountinfoText);

    bool isMountPoint(const std::filesystem::path& path) const;

private:
    std::set<std::string> m_mountPoints;
};

} // namespace tarn
