#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"

#include <algorithm>

#include <fmt/format.h>

#include "TarnKit/Foundation/Basics/SaturatingArithmetic.h"
#include "TarnKit/Foundation/Text/TarnByteFormatter.h"

namespace tarn {
namespace {

double percentOf(std::int64_t part, std::int64_t whole)
{
    if (whole <= 0) {
        return 0;
    }
    return std::clamp(static_cast<double>(part) / static_cast<double>(whole) * 100, 0.0, 100.0);
}

} // namespace

bool TarnVirtualMemorySummary::isTarnMemoryVirtualExpansionActive() const
{
    return activeDiskPoolCount > 0 || mountedSparseDiskCount > 0 || mountedRAMDiskCount > 0;
}

bool TarnVirtualMemorySummary::isAnyVirtualMemoryActive() const
{
    return isTarnMemoryVirtualExpansionActive() || swapUsedBytes > 0;
}

bool TarnVirtualMemorySummary::isSwapActive() const
{
    return swapUsedBytes > 0 || swapTotalBytes > 0;
}

std::int64_t TarnVirtualMemorySummary::totalTarnMemoryVirtualCapacityBytes() const
{
    return saturatingAdd(saturatingAdd(diskPoolVirtualBytes, sparseDiskVirtualBytes), ramDiskTotalBytes);
}

std::int64_t TarnVirtualMemorySummary::totalVirtualAllocatedBytes() const
{
    return saturatingAdd(std::max(swapTotalBytes, swapUsedBytes), totalTarnMemoryVirtualCapacityBytes());
}

std::int64_t TarnVirtualMemorySummary::totalVirtualUsedBytes() const
{
    const std::int64_t disks = saturatingAdd(diskPoolActualDiskBytes, sparseDiskActualBytes);
    return saturatingAdd(saturatingAdd(swapUsedBytes, disks), ramDiskTotalBytes);
}

std::int64_t TarnVirtualMemorySummary::totalEffectiveMemoryCapacityBytes() const
{
    return saturatingAdd(physicalTotalBytes, totalVirtualAllocatedBytes());
}

std::int64_t TarnVirtualMemorySummary::totalEffectiveUsedBytes() const
{
    return saturatingAdd(physicalUsedBytes, totalVirtualUsedBytes());
}

double TarnVirtualMemorySummary::physicalUsedPercent() const
{
    return percentOf(physicalUsedBytes, physicalTotalBytes);
}

double TarnVirtualMemorySummary::swapUsedPercent() const
{
    return percentOf(swapUsedBytes, swapTotalBytes);
}

double TarnVirtualMemorySummary::virtualUsedPercent() const
{
    return percentOf(totalVirtualUsedBytes(), totalVirtualAllocatedBytes());
}

std::string TarnVirtualMemorySummary::virtualSpaceUsageText() const
{
    const std::int64_t allocated = totalVirtualAllocatedBytes();
    if (allocated < 1) {
        return "0 B";
    }
    return TarnByteFormatter::format(totalVirtualUsedBytes()) + " / " + TarnByteFormatter::format(allocated);
}

std::string TarnVirtualMemorySummary::compactVirtualUsedToken() const
{
    const std::int64_t used = totalVirtualUsedBytes();
    if (used > 0) {
        const double gigabytes = static_cast<double>(used) / 1e9;
        if (gigabytes >= 100) {
            return fmt::format("{:.0f}G", gigabytes);
        }
        if (gigabytes >= 1) {
            return fmt::format("{:.1f}G", gigabytes);
        }
        return fmt::format("{:.0f}M", static_cast<double>(used) / 1e6);
    }
    const std::int64_t allocated = totalVirtualAllocatedBytes();
    if (allocated <= 0) {
        return "0G";
    }
    const double gigabytes = static_cast<double>(allocated) / 1e9;
    return gigabytes >= 10 ? fmt::format("{:.0f}G", gigabytes) : fmt::format("{:.1f}G", gigabytes);
}

std::string TarnVirtualMemorySummary::compactBadgeText() const
{
    std::vector<std::string> parts;
    if (activeDiskPoolCount >= 1) {
        parts.push_back("Pool " + TarnByteFormatter::format(diskPoolVirtualBytes));
    }
    if (mountedSparseDiskCount >= 1) {
        parts.push_back("vDisk " + TarnByteFormatter::format(sparseDiskVirtualBytes));
    }
    if (mountedRAMDiskCount >= 1) {
        parts.push_back("RAMDisk " + TarnByteFormatter::format(ramDiskTotalBytes));
    }
    if (swapUsedBytes >= 1) {
        parts.push_back("Swap " + TarnByteFormatter::format(swapUsedBytes));
    } else if (swapTotalBytes >= 1 && parts.empty()) {
        parts.push_back("Swap 0 B / " + TarnByteFormatter::format(swapTotalBytes));
    }
    return fmt::format("{}", fmt::join(parts, " + "));
}

} // namespace tarn
