#include "TarnInputCore/Model/Keys/KeyHUDPosition.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn::input {

namespace {

struct PositionText {
    KeyHUDPosition value;
    std::string_view raw;
    std::string_view en;
    std::string_view tr;
};

constexpr EnumTable kTexts {std::to_array<PositionText>({
    {KeyHUDPosition::bottomCenter, "bottomCenter", "Bottom Center", "Alt Orta"},
    {KeyHUDPosition::bottomLeft, "bottomLeft", "Bottom Left", "Alt Sol"},
    {KeyHUDPosition::bottomRight, "bottomRight", "Bottom Right", "Alt Sağ"},
    {KeyHUDPosition::topRight, "topRight", "Top Right", "Üst Sağ"},
})};
static_assert(kTexts.covers(kAllKeyHUDPositions));

} // namespace

std::string_view rawValue(KeyHUDPosition position)
{
    return kTexts[position].raw;
}

std::optional<KeyHUDPosition> keyHUDPositionFromRawValue(std::string_view raw)
{
    return kTexts.fromRaw(raw);
}

std::string_view labelEN(KeyHUDPosition position)
{
    return kTexts[position].en;
}

std::string_view labelTR(KeyHUDPosition position)
{
    return kTexts[position].tr;
}

} // namespace tarn::input
