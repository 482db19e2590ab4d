#include "TarnKit/Foundation/Identity/TarnVersionBumpKind.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn {
namespace {

constexpr EnumTable kTexts {std::to_array<EnumRawValue<TarnVersionBumpKind>>({
    {TarnVersionBumpKind::build, "build"},
    {TarnVersionBumpKind::patch, "patch"},
    {TarnVersionBumpKind::minor, "minor"},
    {TarnVersionBumpKind::major, "major"},
})};
static_assert(kTexts.covers(kAllTarnVersionBumpKinds));

} // namespace

std::string_view rawValue(TarnVersionBumpKind kind)
{
    return kTexts[kind].raw;
}

std::optional<TarnVersionBumpKind> tarnVersionBumpKindFromRawValue(std::string_view raw)
{
    return kTexts.fromRaw(raw);
}

} // namespace tarn
