#include "TarnInputCore/Model/Pointer/GestureDirection.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn::input {

namespace {

struct DirectionText {
    GestureDirection value;
    std::string_view raw;
    std::string_view en;
    std::string_view tr;
    std::string_view symbol;
};

constexpr EnumTable kTexts {std::to_array<DirectionText>({
    {GestureDirection::up, "up", "Drag Up", "Yukarı Sürükle", "arrow.up.circle.fill"},
    {GestureDirection::down, "down", "Drag Down", "Aşağı Sürükle", "arrow.down.circle.fill"},
    {GestureDirection::left, "left", "Drag Left", "Sola Sürükle", "arrow.left.circle.fill"},
    {GestureDirection::right, "right", "Drag Right", "Sağa Sürükle", "arrow.right.circle.fill"},
})};
static_assert(kTexts.covers(kAllGestureDirections));

} // namespace

std::string_view rawValue(GestureDirection direction)
{
    return kTexts[direction].raw;
}

std::optional<GestureDirection> gestureDirectionFromRawValue(std::string_view raw)
{
    return kTexts.fromRaw(raw);
}

std::string_view labelEN(GestureDirection direction)
{
    return kTexts[direction].en;
}

std::string_view labelTR(GestureDirection direction)
{
    return kTexts[direction].tr;
}

std::string_view symbolName(GestureDirection direction)
{
    return kTexts[direction].symbol;
}

} // namespace tarn::input
