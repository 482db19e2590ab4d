#include "TarnInputCore/Model/Pointer/PointerDeviceCategory.h"

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace tarn::input {
namespace {

struct CategoryTexts {
    PointerDeviceCategory value;
    std::string_view raw;
    std::string_view english;
    std::string_view turkish;
    std::string_view symbol;
};

constexpr EnumTable kTexts {std::to_array<CategoryTexts>({
    {PointerDeviceCategory::externalMouse, "externalMouse", "External Mouse", "Harici Fare", "computermouse.fill"},
    {PointerDeviceCategory::gamingMouse, "gamingMouse", "Performance / Gaming Mouse", "Performans / Oyuncu Faresi",
        "computermouse.fill"},
    {PointerDeviceCategory::ergonomicMouse, "ergonomicMouse", "Ergonomic / Pro Mouse", "Ergonomik / Pro Fare",
        "computermouse.fill"},
    {PointerDeviceCategory::magicMouse, "magicMouse", "Apple Magic Mouse", "Apple Magic Mouse", "magicmouse.fill"},
    {PointerDeviceCategory::trackpad, "trackpad", "Trackpad", "Trackpad", "trackpad"},
    {PointerDeviceCategory::trackball, "trackball", "Trackball", "Trackball", "circle.circle.fill"},
    {PointerDeviceCategory::penTablet, "penTablet", "Pen Tablet", "Grafik Tablet", "pencil.and.outline"},
})};

} // namespace

std::string_view rawValue(PointerDeviceCategory category)
{
    return kTexts[category].raw;
}

std::optional<PointerDeviceCategory> pointerDeviceCategoryFromRawValue(std::string_view raw)
{
    return kTexts.fromRaw(raw);
}

std::string_view labelEN(PointerDeviceCategory category)
{
    return kTexts[category].english;
}

std::string_view labelTR(PointerDeviceCategory category)
{
    return kTexts[category].turkish;
}

std::string_view symbolName(PointerDeviceCategory category)
{
    return kTexts[category].symbol;
}

} // namespace tarn::input
