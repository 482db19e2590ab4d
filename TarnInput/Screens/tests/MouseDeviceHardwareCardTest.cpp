#include "TarnInput/Screens/Hardware/MouseDeviceHardwareCard.h"

#include <gtest/gtest.h>

#include "TarnInput/Screens/tests/ScreenFixture.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn::input::testing {
namespace {

ConnectedPointerDevice externalMouse()
{
    ConnectedPointerDevice device;
    device.id = "mouse";
    device.brandName = "Logitech";
    device.productName = "MX Master 3S";
    device.rawManufacturer = "Logitech";
    device.vendorID = 0x046D;
    device.productID = 0xB034;
    device.transport = "USB";
    device.category = PointerDeviceCategory::ergonomicMouse;
    device.physicalButtonCount = 5;
    device.nominalPollingRateHz = 1000;
    device.firmwareVersion = "18.04";
    device.serialNumber = "ABCDEFGHIJKL";
    return device;
}

TEST(MouseDeviceHardwareCard, ShowsTheDevicesFactsAndLabelsInTheCardsLanguage)
{
    auto device = externalMouse();
    device.brandName = "razer";
    const MouseDeviceHardwareCard english(device, TarnLanguage::en, ScreenFixture::accent());
    EXPECT_EQ(english.brandChipText(), "RAZER");
    EXPECT_EQ(english.connectionChipText(), "USB / 2.4GHz");
    EXPECT_EQ(english.productText(), "MX Master 3S");
    EXPECT_EQ(english.categoryText(), "Ergonomic / Pro Mouse");
    EXPECT_EQ(MouseDeviceHardwareCard::specLabels(TarnLanguage::en),
        (QStringList {"VID : PID", "Manufacturer", "Buttons", "HID Rate", "Firmware", "Serial"}));
    EXPECT_EQ(MouseDeviceHardwareCard::specValues(device),
        (QStringList {"0x046D : 0xB034", "Logitech", "5", "1000 Hz", "18.04", "ABCDEFGHIJKL"}));
    QColor border = ScreenFixture::accent();
    border.setAlphaF(0.45F);
    EXPECT_EQ(english.borderColor(), border);

    const MouseDeviceHardwareCard turkish(device, TarnLanguage::tr, ScreenFixture::accent());
    EXPECT_EQ(turkish.categoryText(), "Ergonomik / Pro Fare");
    EXPECT_EQ(MouseDeviceHardwareCard::specLabels(TarnLanguage::tr),
        (QStringList {"VID : PID", "Üretici (HID)", "Fiziksel Tuş", "Nominal Hız", "Firmware", "Seri No"}));
}

TEST(MouseDeviceHardwareCard, ABuiltInDeviceReadsBuiltInWithASubtleBorder)
{
    ConnectedPointerDevice device;
    device.brandName = "Generic HID";
    device.productName = "Touchpad";
    device.transport = "I2C";
    device.isBuiltIn = true;
    device.category = PointerDeviceCategory::trackpad;
    const MouseDeviceHardwareCard card(device, TarnLanguage::en, ScreenFixture::accent());
    EXPECT_EQ(card.connectionChipText(), "Built-in (I2C)");
    EXPECT_EQ(card.borderColor(), TarnGlassTokens::borderSubtle());
    EXPECT_EQ(MouseDeviceHardwareCard::specValues(device), (QStringList {"Built-in", "", "—", "—", "—", "—"}))
        << "missing facts read as an em dash, an empty manufacturer as empty";
    EXPECT_TRUE(card.batteryText().isEmpty());
    EXPECT_TRUE(card.batterySymbol().empty());
}

TEST(MouseDeviceHardwareCard, IdentifiersNeedBothBelowOneToReadBuiltIn)
{
    auto device = externalMouse();
    device.vendorID = 4660;
    device.productID = 171;
    EXPECT_EQ(MouseDeviceHardwareCard::specValues(device)[0], "0x1234 : 0x00AB");
    device.productID = 0;
    EXPECT_EQ(MouseDeviceHardwareCard::specValues(device)[0], "0x1234 : 0x0000");
}

TEST(MouseDeviceHardwareCard, BatteryChipTurnsAmberAtTwentyPercent)
{
    struct Row {
        std::int64_t percent;
        const char* text;
        const char* symbol;
        QColor color;
    };
    for (const auto& row : {Row {20, "20%", "battery.25percent", TarnGlassTokens::warning()},
             Row {21, "21%", "battery.75percent", TarnGlassTokens::success()},
             Row {0, "0%", "battery.25percent", TarnGlassTokens::warning()},
             Row {100, "100%", "battery.75percent", TarnGlassTokens::success()}}) {
        auto device = externalMouse();
        device.batteryPercent = row.percent;
        const MouseDeviceHardwareCard card(device, TarnLanguage::en, ScreenFixture::accent());
        EXPECT_EQ(card.batteryText(), row.text);
        EXPECT_EQ(card.batterySymbol(), row.symbol);
        EXPECT_EQ(card.batterySymbolColor(), row.color) << row.percent;
    }
}

TEST(MouseDeviceHardwareCard, SerialIsCutAfterTwelveCharactersAsTheUserSeesThem)
{
    const std::vector<std::pair<std::string, QString>> rows {
        {"ABCDEFGHIJKL", "ABCDEFGHIJKL"},
        {"ABCDEFGHIJKLM", "ABCDEFGHIJKL…"},
        // "e" with a combining acute accent counts once.
        {"e\u0301BCDEFGHIJKL", QString::fromUtf8("e\u0301BCDEFGHIJKL")},
        {"e\u0301BCDEFGHIJKLM", QString::fromUtf8("e\u0301BCDEFGHIJKL…")},
        {"", ""},
    };
    for (const auto& [serial, shown] : rows) {
        EXPECT_EQ(MouseDeviceHardwareCard::shownSerial(serial), shown) << serial;
    }
}

} // namespace
} // namespace tarn::input::testing
