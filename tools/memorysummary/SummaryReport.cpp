#include "tools/memorysummary/SummaryReport.h"

#include <cstdint>
#include <iterator>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "TarnKit/Foundation/Text/NumberText.h"
#include "TarnKit/Foundation/Text/TarnByteFormatter.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {
namespace {

std::string bytes(std::int64_t count)
{
    return TarnByteFormatter::format(count);
}

std::string percent(double value)
{
    return NumberText::roundedWhole(value) + " %";
}

std::string names(const std::vector<std::string>& list)
{
    if (list.empty()) {
        return {};
    }
    std::vector<std::string> shown;
    for (const auto& name : list) {
        shown.push_back(SummaryReport::printable(name));
    }
    return fmt::format(" ({})", fmt::join(shown, ", "));
}

bool isControl(char32_t scalar)
{
    return scalar < 0x20 || (scalar >= 0x7F && scalar <= 0x9F);
}

} // namespace

std::string SummaryReport::text(const TarnVirtualMemorySummary& s)
{
    std::string out;
    auto line = std::back_inserter(out);
    fmt::format_to(line, "Physical memory   {} used of {} ({})\n", bytes(s.physicalUsedBytes),
        bytes(s.physicalTotalBytes), percent(s.physicalUsedPercent()));
    fmt::format_to(line, "Compressed        {}\n", bytes(s.compressedBytes));
    fmt::format_to(line, "Swap              {} used of {} ({}), {}\n", bytes(s.swapUsedBytes), bytes(s.swapTotalBytes),
        percent(s.swapUsedPercent()), s.swapEncrypted ? "encrypted" : "not encrypted");
    fmt::format_to(line, "Swap files        {}\n", s.swapFileCount);
    fmt::format_to(line, "Pressure          {}\n", printable(s.pressureLevel));
    fmt::format_to(line, "TarnMemory        {}\n", s.isTarnMemoryRunning ? "running" : "not running");
    fmt::format_to(line, "Disk pools        {}: {} offered, {} on disk{}\n", s.activeDiskPoolCount,
        bytes(s.diskPoolVirtualBytes), bytes(s.diskPoolActualDiskBytes), names(s.diskPoolNames));
    fmt::format_to(line, "Sparse disks      {}: {} capacity, {} used{}\n", s.mountedSparseDiskCount,
        bytes(s.sparseDiskVirtualBytes), bytes(s.sparseDiskActualBytes), names(s.sparseDiskNames));
    fmt::format_to(
        line, "RAM disks         {}: {}{}\n", s.mountedRAMDiskCount, bytes(s.ramDiskTotalBytes), names(s.ramDiskNames));
    fmt::format_to(line, "Frozen apps       {}: {} reclaimed{}\n", s.frozenAppCount, bytes(s.reclaimedFromFrozenBytes),
        s.frozenPIDs.empty() ? std::string() : fmt::format(" (PIDs {})", fmt::join(s.frozenPIDs, ", ")));
    fmt::format_to(line, "Virtual space     {} ({})\n", s.virtualSpaceUsageText(), percent(s.virtualUsedPercent()));
    fmt::format_to(line, "Effective memory  {} used of {}\n", bytes(s.totalEffectiveUsedBytes()),
        bytes(s.totalEffectiveMemoryCapacityBytes()));
    fmt::format_to(line, "Token             {}\n", s.compactVirtualUsedToken());
    // The badge names no text of another program: only fixed words and byte counts.
    fmt::format_to(line, "Badge             {}\n", s.compactBadgeText().empty() ? "(none)" : s.compactBadgeText());
    return out;
}

std::string SummaryReport::printable(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char32_t scalar : UnicodeText::toScalars(text)) {
        if (scalar == U'\\') {
            result += "\\\\";
        } else if (!isControl(scalar)) {
            result += UnicodeText::fromScalars(std::u32string_view(&scalar, 1));
        } else if (scalar < 0x80) {
            result += fmt::format("\\x{:02x}", static_cast<std::uint32_t>(scalar));
        } else {
            result += fmt::format("\\u{:04x}", static_cast<std::uint32_t>(scalar));
        }
    }
    return result;
}

} // namespace tarn
