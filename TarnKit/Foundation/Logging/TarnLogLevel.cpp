#include "TarnKit/Foundation/Logging/TarnLogLevel.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn {
namespace {

struct LevelText {
    TarnLogLevel value;
    std::string_view raw;
    std::string_view label;
};

constexpr EnumTable kTexts {std::to_array<LevelText>({
    {TarnLogLevel::debug, "debug", "DEBUG"},
    {TarnLogLevel::info, "info", "INFO"},
    {TarnLogLevel::warn, "warn", "WARN"},
    {TarnLogLevel::error, "error", "ERROR"},
})};
static_assert(kTexts.covers(kAllTarnLogLevels));

} // namespace

std::string_view rawValue(TarnLogLevel level)
{
    return kTexts[level].raw;
}

std::string_view label(TarnLogLevel level)
{
    return kTexts[level].label;
}

std::optional<TarnLogLevel> tarnLogLevelFromRawValue(std::string_view raw)
{
    return kTexts.fromRaw(raw);
}

} // namespace tarn
