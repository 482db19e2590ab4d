#include "TarnKit/Suite/Memory/Kernel/MemoryPressureStall.h"

#include "TarnKit/Suite/Memory/Kernel/ProcText.h"

namespace tarn {
namespace {

// The avg10 figure of the line that begins with `kind`, if the text has one.
std::optional<double> tenSecondAverage(std::string_view text, std::string_view kind)
{
    constexpr std::string_view kKey = "avg10=";
    for (const auto line : ProcText::lines(text)) {
        const auto fields = ProcText::fields(line);
        if (fields.size() < 2 || fields[0] != kind) {
            continue;
        }
        for (const auto field : fields) {
            if (field.starts_with(kKey)) {
                return ProcText::decimal(field.substr(kKey.size()));
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> MemoryPressureStall::level(std::string_view text)
{
    const auto some = tenSecondAverage(text, "some");
    if (!some) {
        return std::nullopt;
    }
    if (tenSecondAverage(text, "full").value_or(0) >= kCriticalFullPercent) {
        return "critical";
    }
    if (*some >= kWarningSomePercent) {
        return "warning";
    }
    return "normal";
}

} // namespace tarn
