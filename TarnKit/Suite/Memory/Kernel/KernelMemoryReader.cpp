#include "TarnKit/Suite/Memory/Kernel/KernelMemoryReader.h"

#include <algorithm>

#include <fmt/format.h>

#include "TarnKit/Foundation/Basics/SaturatingArithmetic.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Suite/Memory/Kernel/MemoryPressureStall.h"
#include "TarnKit/Suite/Memory/Kernel/ProcMeminfo.h"
#include "TarnKit/Suite/Memory/Kernel/ProcText.h"
#include "TarnKit/Suite/Memory/Kernel/SwapEncryptionCheck.h"

namespace tarn {
namespace {

// Far more zram devices than the kernel module creates by default (one) or allows (a few).
constexpr std::size_t kMaxBlockDevices = 4096;

// Both figures are counts, never negative, so the difference cannot overflow.
std::int64_t usedPart(std::int64_t total, std::int64_t free)
{
    return std::clamp<std::int64_t>(total - free, 0, total);
}

// Whether a source the kernel may lack counts as a problem when it is missing.
enum class Presence { required, optional };

// The text of one source, or none; why not is added to `problems`, except for a missing source
// that is optional.
std::optional<std::string> source(
    const std::filesystem::path& path, Presence presence, std::vector<std::string>& problems)
{
    auto text = WholeFile::read(path, ProcText::kMaxFileSize);
    if (text) {
        return std::move(text).value();
    }
    switch (text.error()) {
    case WholeFile::Failure::missing:
        if (presence == Presence::required) {
            problems.push_back(fmt::format("{} is missing.", path.string()));
        }
        break;
    case WholeFile::Failure::tooLarge:
        problems.push_back(fmt::format("{} is larger than {} bytes.", path.string(), ProcText::kMaxFileSize));
        break;
    case WholeFile::Failure::unusable:
        problems.push_back(
            fmt::format("{} cannot be read (it is not a regular file, or reading it failed).", path.string()));
        break;
    }
    return std::nullopt;
}

} // namespace

KernelMemoryReader::KernelMemoryReader(KernelMemorySources sources, const FileSystemProbe& fileSystem)
    : m_sources(std::move(sources))
    , m_fileSystem(fileSystem)
{
}

KernelMemoryFigures KernelMemoryReader::read() const
{
    KernelMemoryFigures figures;
    const auto meminfoPath = m_sources.procRoot / "meminfo";
    const auto meminfoText = source(meminfoPath, Presence::required, figures.problems);
    const auto meminfo = ProcMeminfo::parse(meminfoText.value_or(""));
    if (meminfoText) {
        for (const char* name : {"MemTotal", "MemAvailable"}) {
            if (!meminfo.bytes(name)) {
                figures.problems.push_back(fmt::format("{} has no {} figure.", meminfoPath.string(), name));
            }
        }
    }
    figures.physicalTotalBytes = std::max<std::int64_t>(
        0, meminfo.bytes("MemTotal").value_or(saturatingMultiply(m_sources.physicalPageCount, m_sources.pageSize)));
    if (const auto available = meminfo.bytes("MemAvailable")) {
        figures.physicalUsedBytes = usedPart(figures.physicalTotalBytes, *available);
    }
    figures.compressedBytes = saturatingAdd(zramBytes(), meminfo.bytes("Zswap").value_or(0));
    figures.swapTotalBytes = meminfo.bytes("SwapTotal").value_or(0);
    figures.swapUsedBytes
        = usedPart(figures.swapTotalBytes, meminfo.bytes("SwapFree").value_or(figures.swapTotalBytes));
    figures.swapEncrypted = swapEncrypted(figures.problems);
    const auto pressurePath = m_sources.procRoot / "pressure" / "memory";
    if (const auto pressure = source(pressurePath, Presence::optional, figures.problems)) {
        if (auto level = MemoryPressureStall::level(*pressure)) {
            figures.pressureLevel = std::move(*level);
        } else {
            figures.problems.push_back(fmt::format("{} has no memory pressure figures.", pressurePath.string()));
        }
    }
    return figures;
}

std::int64_t KernelMemoryReader::zramBytes() const
{
    const auto blockFolder = m_sources.sysRoot / "block";
    std::int64_t total = 0;
    for (const auto& name :
        ProcText::folderEntries(blockFolder, kMaxBlockDevices).value_or(std::vector<std::string> {})) {
        if (!name.starts_with("zram")) {
            continue;
        }
        // orig_data_size compr_data_size mem_used_total mem_limit mem_used_max same_pages ...
        const auto stat = ProcText::read(blockFolder / name / "mm_stat").value_or("");
        const auto fields = ProcText::fields(stat);
        if (fields.size() >= 3) {
            total = saturatingAdd(total, ProcText::count(fields[2]).value_or(0));
        }
    }
    return total;
}

bool KernelMemoryReader::swapEncrypted(std::vector<std::string>& problems) const
{
    // A kernel without swap support has no /proc/swaps.
    const auto swaps = source(m_sources.procRoot / "swaps", Presence::optional, problems);
    if (!swaps) {
        return false;
    }
    return SwapEncryptionCheck(m_sources.sysRoot, m_fileSystem).allEncrypted(SwapEncryptionCheck::swapAreas(*swaps));
}

} // namespace tarn
