#include "TarnInputCore/Model/Pointer/MouseButtonKind.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn::input {

namespace {

struct KindText {
    MouseButtonKind value;
    std::int64_t raw;
    std::string_view en;
    std::string_view tr;
};

constexpr EnumTable kTexts {std::to_array<KindText>({
    {MouseButtonKind::middle, 2, "Middle Click (Wheel)", "Orta Tık (Tekerlek)"},
    {MouseButtonKind::sideBack, 3, "Side Button 4 (Back)", "Yan Tuş 4 (Geri)"},
    {MouseButtonKind::sideForward, 4, "Side Button 5 (Forward)", "Yan Tuş 5 (İleri)"},
})};
static_assert(kTexts.covers(kAllMouseButtonKinds));

} // namespace

std::optional<MouseButtonKind> mouseButtonKindFromRawValue(std::int64_t raw)
{
    return kTexts.fromRaw(raw);
}

std::string_view labelEN(MouseButtonKind kind)
{
    return kTexts[kind].en;
}

std::string_view labelTR(MouseButtonKind kind)
{
    return kTexts[kind].tr;
}

} // namespace tarn::input
