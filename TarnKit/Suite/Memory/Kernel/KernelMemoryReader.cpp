#include "TarnKit/Suite/Memory/Kernel/KernelMemoryReader.h"

#include <algorithm>

#include "TarnKit/Foundation/Basics/SaturatingArithmetic.h"
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

} // namespace

KernelMemoryReader::KernelMemoryReader(KernelMemorySources sources, const FileSystemProbe& fileSystem)
    : m_sources(std::move(sources))
    , m_fileSystem(fileSystem)
{
}

KernelMemoryFigures KernelMemoryReader::read() const
{
    const auto meminfo = ProcMeminfo::parse(ProcText::read(m_sources.procRoot / "meminfo").value_or(""));
    KernelMemoryFigures figures;
    figures.physicalTotalBytes = std::max<std::int64_t>(
        0, meminfo.bytes("MemTotal").value_or(saturatingMultiply(m_sources.physicalPageCount, m_sources.pageSize)));
    if (const auto available = meminfo.bytes("MemAvailable")) {
        figures.physicalUsedBytes = usedPart(figures.physicalTotalBytes, *available);
    }
    figures.compressedBytes = saturatingAdd(zramBytes(), meminfo.bytes("Zswap").value_or(0));
    figures.swapTotalBytes = meminfo.bytes("SwapTotal").value_or(0);
    figures.swapUsedBytes
        = usedPart(figures.swapTotalBytes, meminfo.bytes("SwapFree").value_or(figures.swapTotalBytes));
    figures.swapEncrypted = swapEncrypted();
    figures.pressureLevel
        = MemoryPressureStall::level(ProcText::read(m_sources.procRoot / "pressure" / "memory").value_or(""));
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

bool KernelMemoryReader::swapEncrypted() const
{
    const auto swaps = ProcText::read(m_sources.procRoot / "swaps");
    if (!swaps) {
        return false;
    }
    return SwapEncryptionCheck(m_sources.sysRoot, m_fileSystem).allEncrypted(SwapEncryptionCheck::swapAreas(*swaps));
}

} // namespace tarn
