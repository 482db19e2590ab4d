#include "TarnInputCore/Model/PointerDeviceCategory.h"

#include <array>

namespace tarn::input {
namespace {

struct CategoryTexts {
    PointerDeviceCategory category;
    std::string_view raw;
    std::string_view english;
    std::string_view turkish;
    std::string_view symbol;
};

constexpr std::array<CategoryTexts, 7> kTexts {{
    {PointerDeviceCategory::externalMouse, "externalMouse", "External Mouse", "Harici Fare", "computermouse.fill"},
    {PointerDeviceCategory::gamingMouse, "gamingMouse", "Performance / Gaming Mouse", "Performans / Oyuncu Faresi",
        "computermouse.fill"},
    {PointerDeviceCategory::ergonomicMouse, "ergonomicMouse", "Ergonomic / Pro Mouse", "Ergonomik / Pro Fare",
        "computermouse.fill"},
    {PointerDeviceCategory::magicMouse, "magicMouse", "Apple Magic Mouse", "Apple Magic Mouse", "magicmouse.fill"},
    {PointerDeviceCategory::trackpad, "trackpad", "Trackpad", "Trackpad", "trackpad"},
    {PointerDeviceCategory::trackball, "trackball", "Trackball", "Trackball", "circle.circle.fill"},
    {PointerDeviceCategory::penTablet, "penTablet", "Pen Tablet", "Grafik Tablet", "pencil.and.outline"},
}};

const CategoryTexts& textsOf(PointerDeviceCategory category)
{
    for (const auto& texts : kTexts) {
        if (texts.category == category) {
            return texts;
        }
    }
    return kTexts.front();
}

} // namespace

std::string_view rawValue(PointerDeviceCategory category)
{
    return textsOf(category).raw;
}

std::optional<PointerDeviceCategory> pointerDeviceCategoryFromRawValue(std::string_view raw)
{
    for (const auto& texts : kTexts) {
        if (texts.raw == raw) {
            return texts.category;
        }
    }
    return std::nullopt;
}

std::string_view labelEN(PointerDeviceCategory category)
{
    return textsOf(category).english;
}

std::string_view labelTR(PointerDeviceCategory category)
{
    return textsOf(category).turkish;
}

std::string_view symbolName(PointerDeviceCategory category)
{
    return textsOf(category).symbol;
}

} // namespace tarn::input
