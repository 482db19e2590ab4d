#include "TarnInputCore/Model/Pointer/PointerDeviceCategory.h"

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

TEST(PointerDeviceCategory, RawValuesRoundTripAndLabelsMatchTheirCase)
{
    struct Row {
        PointerDeviceCategory category;
        const char* raw;
        const char* english;
        const char* turkish;
        const char* symbol;
    };
    const Row rows[] = {
        {PointerDeviceCategory::externalMouse, "externalMouse", "External Mouse", "Harici Fare", "computermouse.fill"},
        {PointerDeviceCategory::gamingMouse, "gamingMouse", "Performance / Gaming Mouse", "Performans / Oyuncu Faresi",
            "computermouse.fill"},
        {PointerDeviceCategory::ergonomicMouse, "ergonomicMouse", "Ergonomic / Pro Mouse", "Ergonomik / Pro Fare",
            "computermouse.fill"},
        {PointerDeviceCategory::magicMouse, "magicMouse", "Apple Magic Mouse", "Apple Magic Mouse", "magicmouse.fill"},
        {PointerDeviceCategory::trackpad, "trackpad", "Trackpad", "Trackpad", "trackpad"},
        {PointerDeviceCategory::trackball, "trackball", "Trackball", "Trackball", "circle.circle.fill"},
        {PointerDeviceCategory::penTablet, "penTablet", "Pen Tablet", "Grafik Tablet", "pencil.and.outline"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.raw);
        EXPECT_EQ(rawValue(row.category), row.raw);
        EXPECT_EQ(pointerDeviceCategoryFromRawValue(row.raw), row.category);
        EXPECT_EQ(labelEN(row.category), row.english);
        EXPECT_EQ(labelTR(row.category), row.turkish);
        EXPECT_EQ(symbolName(row.category), row.symbol);
    }
}

TEST(PointerDeviceCategory, UnknownOrMiscasedRawValuesAreRejected)
{
    EXPECT_EQ(pointerDeviceCategoryFromRawValue("GamingMouse"), std::nullopt);
    EXPECT_EQ(pointerDeviceCategoryFromRawValue(""), std::nullopt);
    EXPECT_EQ(pointerDeviceCategoryFromRawValue("mouse"), std::nullopt);
}

} // namespace
} // namespace tarn::input
