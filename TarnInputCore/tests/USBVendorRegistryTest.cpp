#include "TarnInputCore/Devices/USBVendorRegistry.h"

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

TEST(USBVendorRegistry, ResolvesBrandFromNameThenVendorThenManufacturer)
{
    struct Row {
        std::int64_t vendor;
        std::optional<std::string> manufacturer;
        const char* product;
        const char* brand;
    };
    const Row rows[] = {
        // Needles, in order: the first one the lower-cased name contains wins over the vendor table.
        {0, std::nullopt, "Logi Pad Mouse", "Logitech"},
        {0, std::nullopt, "Logitech", "Logitech"},
        {0x1532, std::nullopt, "MX Ergo", "Logitech"},
        {0x046D, std::nullopt, "G502 HERO", "Logitech G"},
        {0, std::nullopt, "HP Wireless Mouse", "HP"},
        {0, std::nullopt, "DeathAdder Two", "Razer"},
        {0, std::nullopt, "Apple Internal Keyboard / Trackpad", "Apple"},
        // The trailing blank of a needle is required.
        {0, std::nullopt, "Blogi", "Generic HID"},
        {0, std::nullopt, "Rival", "Generic HID"},
        // Vendor table.
        {0x1532, std::nullopt, "Mouse", "Razer"},
        {0x248A, std::string("Acme"), "Mouse", "Maxxter / Trust"},
        {0x05AC, std::nullopt, "Keyboard", "Apple"},
        // Manufacturer text, trimmed, unless it says nothing.
        {0x1A2C, std::string("  Acme \n"), "Optical Mouse", "Acme"},
        {0x1A2C, std::string("Unknown"), "Optical Mouse", "HID Vendor 0x1A2C"},
        {0x1A2C, std::string("GENERIC"), "Optical Mouse", "HID Vendor 0x1A2C"},
        {0x1A2C, std::string("   "), "Optical Mouse", "HID Vendor 0x1A2C"},
        {0x1A2C, std::nullopt, "Optical Mouse", "HID Vendor 0x1A2C"},
        {0x00AB, std::nullopt, "Optical Mouse", "HID Vendor 0x00AB"},
        {0, std::string("Unknown"), "Optical Mouse", "Generic HID"},
        {-3, std::nullopt, "Optical Mouse", "Generic HID"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.product);
        EXPECT_EQ(USBVendorRegistry::resolveBrand(row.vendor, row.manufacturer, row.product), row.brand);
    }
}

TEST(USBVendorRegistry, VendorTableHoldsEveryEntry)
{
    EXPECT_EQ(USBVendorRegistry::vendorName(0x004C), "Apple");
    EXPECT_EQ(USBVendorRegistry::vendorName(0x258A), "Glorious / SINO WEALTH");
    EXPECT_EQ(USBVendorRegistry::vendorName(0x3367), "Endgame Gear");
    EXPECT_EQ(USBVendorRegistry::vendorName(0x248A), "Maxxter / Trust");
    EXPECT_EQ(USBVendorRegistry::vendorName(0x1A2C), std::nullopt);
    int known = 0;
    for (std::int64_t id = 0; id <= 0xFFFF; ++id) {
        known += USBVendorRegistry::vendorName(id) ? 1 : 0;
    }
    EXPECT_EQ(known, 46);
}

TEST(USBVendorRegistry, ClassifiesByTheFirstRuleThatApplies)
{
    using C = PointerDeviceCategory;
    struct Row {
        const char* brand;
        const char* product;
        bool builtIn;
        std::optional<std::int64_t> buttons;
        C category;
    };
    const Row rows[] = {
        {"Apple", "Magic Mouse", true, std::nullopt, C::magicMouse},
        {"Apple", "Magic Mouse 2", false, 2, C::magicMouse},
        {"Razer", "Viper Gaming Mouse", true, 8, C::trackpad},
        {"ELAN", "ELAN0676:00 04F3:3195", true, 1, C::trackpad},
        {"Apple", "Magic Trackpad", false, std::nullopt, C::trackpad},
        {"Synaptics", "Synaptics TouchPad", false, std::nullopt, C::trackpad},
        {"Logitech", "MX Ergo", false, 8, C::trackball},
        {"Acme", "Ergonomic Vertical Mouse", false, std::nullopt, C::trackball},
        {"Kensington", "Orbit Fusion", false, 4, C::trackball},
        {"Wacom", "Wacom Intuos S", false, std::nullopt, C::penTablet},
        {"Acme", "Open Mouse", false, std::nullopt, C::penTablet},
        {"Razer", "DeathAdder Two", false, 5, C::gamingMouse},
        {"Acme", "Gaming Mouse", false, 3, C::gamingMouse},
        {"Razer", "Mouse", false, 3, C::gamingMouse},
        {"razer", "Mouse", false, 3, C::externalMouse},
        {"Logitech", "MX Master 3", false, 8, C::ergonomicMouse},
        {"Logitech", "Lift", false, 3, C::ergonomicMouse},
        {"Acme", "Mouse", false, 7, C::ergonomicMouse},
        {"Acme", "Mouse", false, 6, C::ergonomicMouse},
        {"Acme", "Mouse", false, 5, C::externalMouse},
        {"Acme", "Mouse", false, std::nullopt, C::externalMouse},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.product);
        EXPECT_EQ(USBVendorRegistry::classifyCategory(row.brand, row.product, row.builtIn, row.buttons), row.category);
    }
}

TEST(USBVendorRegistry, EmptyReportIsTheHeaderAlone)
{
    EXPECT_EQ(USBVendorRegistry::formatHardwareReport({}), "=== TarnInput Hardware Report (0 devices) ===");
}

TEST(USBVendorRegistry, ReportLinesCarryOnlyWhatIsKnown)
{
    ConnectedPointerDevice bare;
    bare.brandName = "Generic HID";
    bare.productName = "HID Pointing Device";
    bare.transport = "USB / Wireless";
    bare.serialNumber = "";

    ConnectedPointerDevice full;
    full.brandName = "Razer";
    full.productName = "DeathAdder V2";
    full.vendorID = 0x1532;
    full.productID = 0x0084;
    full.transport = "Bluetooth Low Energy";
    full.category = PointerDeviceCategory::gamingMouse;
    full.physicalButtonCount = 5;
    full.nominalPollingRateHz = 1000;
    full.batteryPercent = 0;
    full.firmwareVersion = "2.0 (0x0200)";
    full.serialNumber = "AB1";
    full.locationID = 7;
    full.rawManufacturer = "Razer Inc.";

    EXPECT_EQ(USBVendorRegistry::formatHardwareReport({bare, full}),
        "=== TarnInput Hardware Report (2 devices) ===\n"
        "- Brand: Generic HID | Model: HID Pointing Device | Type: External Mouse | Connection: USB / 2.4GHz"
        " | VID:PID: Built-in\n"
        "- Brand: Razer | Model: DeathAdder V2 | Type: Performance / Gaming Mouse | Connection: Bluetooth LE"
        " | VID:PID: 0x1532 : 0x0084 | Buttons: 5 | Nominal Rate: 1000 Hz | Battery: 0% | Firmware: 2.0 (0x0200)"
        " | Serial: AB1");
    EXPECT_EQ(
        USBVendorRegistry::formatHardwareReport({bare}).substr(0, 45), "=== TarnInput Hardware Report (1 devices) ===");
}

} // namespace
} // namespace tarn::input
