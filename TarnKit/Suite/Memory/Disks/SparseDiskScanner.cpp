#include "TarnKit/Suite/Memory/Disks/SparseDiskScanner.h"

#include <algorithm>
#include <set>

#include "TarnKit/Foundation/Basics/SaturatingArithmetic.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Foundation/Json/StrictJson.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"
#include "TarnKit/Suite/Memory/Disks/MountTable.h"
#include "TarnKit/Suite/Memory/Kernel/ProcText.h"

namespace tarn {

SparseDiskScanner::SparseDiskScanner(
    SparseDiskLocations locations, std::filesystem::path procRoot, const FileSystemProbe& fileSystem)
    : m_locations(std::move(locations))
    , m_procRoot(std::move(procRoot))
    , m_fileSystem(fileSystem)
{
}

SparseDiskScan SparseDiskScanner::scan() const
{
    std::vector<std::filesystem::path> folders {m_locations.cachesPoolFolder};
    if (auto custom = customPoolFolder()) {
        folders.push_back(std::move(*custom));
    }
    const auto mounts = MountTable::parse(ProcText::read(m_procRoot / "self" / "mountinfo").value_or(""));
    SparseDiskScan result;
    std::set<std::string> seen;
    for (const auto& folder : folders) {
        const auto entries = ProcText::folderEntries(folder, kMaxEntriesPerFolder);
        for (const auto& entry : entries.value_or(std::vector<std::string> {})) {
            const std::filesystem::path path(entry);
            if (entry.starts_with('.') || UnicodeText::lowercased(path.extension().string()) != ".sparsebundle") {
                continue;
            }
            // Marked as seen before the mount is looked at, so that a bundle of the same name in a
            // later folder is never counted in place of this one.
            const auto name = path.stem().string();
            if (!seen.insert(name).second) {
                continue;
            }
            const auto mountPoint = m_locations.mountRoot / name;
            if (!mounts.isMountPoint(mountPoint)) {
                continue;
            }
            const auto capacity = m_fileSystem.volumeCapacity(mountPoint);
            if (!capacity || capacity->totalBytes < 1) {
                continue;
            }
            ++result.count;
            result.capacityBytes = saturatingAdd(result.capacityBytes, capacity->totalBytes);
            result.usedBytes = saturatingAdd(result.usedBytes,
                std::max<std::int64_t>(0, capacity->totalBytes - std::max<std::int64_t>(0, capacity->availableBytes)));
            result.names.push_back(name);
        }
    }
    return result;
}

std::optional<std::filesystem::path> SparseDiskScanner::customPoolFolder() const
{
    const auto text = WholeFile::read(m_locations.memoryConfigFile, kMaxConfigSize);
    if (!text) {
        return std::nullopt;
    }
    const auto config = StrictJson::parse(*text);
    if (!config || !config->is_object() || !config->contains("customPoolDirectory")) {
        return std::nullopt;
    }
    const auto folder = StrictJson::string(config->at("customPoolDirectory"));
    if (!folder) {
        return std::nullopt;
    }
    auto trimmed = UnicodeText::trimmed(*folder);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    return std::filesystem::path(std::move(trimmed));
}

} // namespace tarn
