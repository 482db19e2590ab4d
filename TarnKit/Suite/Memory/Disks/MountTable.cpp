#include "TarnKit/Suite/Memory/Disks/MountTable.h"

#include "TarnKit/Suite/Memory/Kernel/ProcText.h"

namespace tarn {

MountTable MountTable::parse(std::string_view mountinfoText)
{
    // mount-id parent-id major:minor root mount-point options ... - type source super-options
    constexpr std::size_t kMountPointField = 4;
    MountTable table;
    for (const auto line : ProcText::lines(mountinfoText)) {
        const auto fields = ProcText::fields(line);
        if (fields.size() > kMountPointField) {
            table.m_mountPoints.insert(ProcText::unescaped(fields[kMountPointField]));
        }
    }
    return table;
}

bool MountTable::isMountPoint(const std::filesystem::path& path) const
{
    auto normal = path.lexically_normal();
    if (normal.has_relative_path() && !normal.has_filename()) {
        normal = normal.parent_path();
    }
    return m_mountPoints.contains(normal.string());
}

} // namespace tarn
