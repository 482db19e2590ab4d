#include "TarnKit/Suite/Memory/Kernel/SwapEncryptionCheck.h"

#include <optional>

#include <fmt/format.h>

#include "TarnKit/Suite/Memory/Kernel/ProcText.h"

namespace tarn {
namespace {

// Device stacks are a few levels deep (crypt, LVM, RAID); a loop in a test tree or a corrupt
// sysfs must still end.
constexpr int kMaxDepth = 8;
constexpr std::size_t kMaxSlaves = 64;

bool isDeviceName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

} // namespace

SwapEncryptionCheck::SwapEncryptionCheck(std::filesystem::path sysRoot, const FileSystemProbe& fileSystem)
    : m_sysRoot(std::move(sysRoot))
    , m_fileSystem(fileSystem)
{
}

std::vector<std::filesystem::path> SwapEncryptionCheck::swapAreas(std::string_view procSwapsText)
{
    std::vector<std::filesystem::path> areas;
    for (const auto line : ProcText::lines(procSwapsText)) {
        const auto fields = ProcText::fields(line);
        // The first line is the header "Filename Type Size Used Priority".
        if (fields.size() < 2 || fields[0] == "Filename") {
            continue;
        }
        areas.emplace_back(ProcText::unescaped(fields[0]));
    }
    return areas;
}

bool SwapEncryptionCheck::allEncrypted(const std::vector<std::filesystem::path>& swapAreas) const
{
    if (swapAreas.empty()) {
        return false;
    }
    for (const auto& area : swapAreas) {
        if (!isEncrypted(area)) {
            return false;
        }
    }
    return true;
}

bool SwapEncryptionCheck::isEncrypted(const std::filesystem::path& swapArea) const
{
    const auto device = m_fileSystem.blockDevice(swapArea);
    if (!device) {
        return false;
    }
    const auto uevent
        = ProcText::read(m_sysRoot / "dev" / "block" / fmt::format("{}:{}", device->major, device->minor) / "uevent");
    if (!uevent) {
        return false;
    }
    constexpr std::string_view kKey = "DEVNAME=";
    for (const auto line : ProcText::lines(*uevent)) {
        if (line.starts_with(kKey) && isDeviceName(line.substr(kKey.size()))) {
            return isEncryptedDevice(std::string(line.substr(kKey.size())), 0);
        }
    }
    return false;
}

bool SwapEncryptionCheck::isEncryptedDevice(const std::string& name, int depth) const
{
    if (depth > kMaxDepth) {
        return false;
    }
    const auto device = m_sysRoot / "class" / "block" / name;
    const auto uuid = ProcText::read(device / "dm" / "uuid");
    if (uuid && uuid->starts_with("CRYPT-")) {
        return true;
    }
    // A mapped device that is not itself dm-crypt (an LVM volume, a RAID set) is encrypted when
    // everything it is built on is.
    const auto slaves = ProcText::folderEntries(device / "slaves", kMaxSlaves + 1);
    if (!slaves || slaves->empty() || slaves->size() > kMaxSlaves) {
        return false;
    }
    for (const auto& slave : *slaves) {
        if (!isDeviceName(slave) || !isEncryptedDevice(slave, depth + 1)) {
            return false;
        }
    }
    return true;
}

} // namespace tarn
