#include "TarnInputCore/Devices/HIDDeviceInventoryService.h"

#include <gtest/gtest.h>

#include "Platform/Fake/Core/FakePointerDeviceSource.h"

namespace tarn::input {
namespace {

HIDDeviceProperties mouse(std::string product, std::int64_t vendor = 0x1A2C, std::int64_t productID = 0x0001)
{
    HIDDeviceProperties properties;
    properties.devicePath = "/devices/" + product;
    properties.product = std::move(product);
    properties.vendorID = vendor;
    properties.productID = productID;
    properties.transport = "USB";
    return properties;
}

std::vector<ConnectedPointerDevice> discover(
    std::vector<HIDDeviceProperties> devices, std::vector<HIDBatteryProperties> batteries = {})
{
    FakePointerDeviceSource source;
    source.setDevices(std::move(devices));
    source.setBatteries(std::move(batteries));
    return HIDDeviceInventoryService::discoverPointerDevices(source);
}

ConnectedPointerDevice discoverOne(HIDDeviceProperties properties, std::vector<HIDBatteryProperties> batteries = {})
{
    auto devices = discover({std::move(properties)}, std::move(batteries));
    EXPECT_EQ(devices.size(), 1u);
    return devices.empty() ? ConnectedPointerDevice {} : devices.front();
}

TEST(HIDDeviceInventoryService, NothingListedGivesAnEmptyList)
{
    FakePointerDeviceSource source;
    EXPECT_TRUE(HIDDeviceInventoryService::discoverPointerDevices(source).empty());
    source.setUnavailable();
    EXPECT_TRUE(HIDDeviceInventoryService::discoverPointerDevices(source).empty());
}

TEST(HIDDeviceInventoryService, MissingPropertiesTakeTheirFallBacks)
{
    HIDDeviceProperties nothing;
    const auto device = discoverOne(nothing);
    EXPECT_EQ(device.productName, "HID Pointing Device");
    EXPECT_EQ(device.transport, "USB / Wireless");
    EXPECT_EQ(device.vendorID, 0);
    EXPECT_EQ(device.productID, 0);
    EXPECT_EQ(device.brandName, "Generic HID");
    EXPECT_EQ(device.rawManufacturer, "Generic HID");
    EXPECT_FALSE(device.isBuiltIn);
    EXPECT_EQ(device.id, "0-0-hid pointing device-USB / Wireless");
    EXPECT_EQ(device.serialNumber, std::nullopt);
    EXPECT_EQ(device.physicalButtonCount, std::nullopt);
    EXPECT_EQ(device.nominalPollingRateHz, std::nullopt);
    EXPECT_EQ(device.firmwareVersion, std::nullopt);
    EXPECT_EQ(device.batteryPercent, std::nullopt);
    EXPECT_EQ(device.category, PointerDeviceCategory::externalMouse);

    HIDDeviceProperties blank = mouse(" \n");
    blank.manufacturer = "  Acme Corp ";
    blank.transport = " USB ";
    const auto blankDevice = discoverOne(blank);
    EXPECT_EQ(blankDevice.productName, "");
    EXPECT_EQ(blankDevice.rawManufacturer, "Acme Corp");
    EXPECT_EQ(blankDevice.transport, " USB ");
}

TEST(HIDDeviceInventoryService, BuiltInFromFlagNameOrFifoTransport)
{
    struct Row {
        std::optional<bool> builtIn;
        const char* product;
        const char* transport;
        bool expected;
    };
    const Row rows[] = {
        {true, "Touchpad", "I2C", true},
        {false, "Touchpad", "FIFO", true},
        {false, "Touchpad", "fifo", false},
        {std::nullopt, "Apple Internal Keyboard / Trackpad", "USB", true},
        {false, "Touchpad", "I2C", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.product);
        HIDDeviceProperties properties = mouse(row.product);
        properties.builtIn = row.builtIn;
        properties.transport = row.transport;
        const auto device = discoverOne(properties);
        EXPECT_EQ(device.isBuiltIn, row.expected);
    }
}

TEST(HIDDeviceInventoryService, PollingRateComesFromReportIntervalsInRange)
{
    const std::pair<std::optional<std::int64_t>, std::optional<std::int64_t>> rows[] = {
        {125, 8000}, {124, std::nullopt}, {1000, 1000}, {3000, 333}, {50000, 20}, {50001, std::nullopt},
        {0, std::nullopt}, {-1000, std::nullopt}, {std::nullopt, std::nullopt}, {1333, 750}, // 750.19 rounds down
        {2666, 375}, // 375.09
        {2667, 375}, // 374.95 rounds up
    };
    for (const auto& [interval, rate] : rows) {
        HIDDeviceProperties properties = mouse("Mouse");
        properties.reportIntervalMicroseconds = interval;
        EXPECT_EQ(discoverOne(properties).nominalPollingRateHz, rate) << interval.value_or(-1);
    }
}

TEST(HIDDeviceInventoryService, FirmwarePrintsBothBytesInDecimal)
{
    const std::pair<std::optional<std::int64_t>, std::optional<std::string>> rows[] = {
        {0x0123, "1.35 (0x0123)"},
        {0x0200, "2.00 (0x0200)"},
        {0x12345, "35.69 (0x12345)"},
        {0, std::nullopt},
        {-5, std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& [version, text] : rows) {
        HIDDeviceProperties properties = mouse("Mouse");
        properties.versionNumber = version;
        EXPECT_EQ(discoverOne(properties).firmwareVersion, text);
    }
}

TEST(HIDDeviceInventoryService, ButtonsAreDistinctButtonUsagesUpTo32)
{
    const std::pair<std::optional<std::vector<std::int64_t>>, std::optional<std::int64_t>> rows[] = {
        {std::vector<std::int64_t> {1, 2, 3, 3, 40}, 3},
        {std::vector<std::int64_t> {}, std::nullopt},
        {std::vector<std::int64_t> {0, 33}, std::nullopt},
        {std::vector<std::int64_t> {32, 1}, 2},
        {std::nullopt, std::nullopt},
    };
    for (const auto& [usages, count] : rows) {
        HIDDeviceProperties properties = mouse("Mouse");
        properties.buttonUsages = usages;
        EXPECT_EQ(discoverOne(properties).physicalButtonCount, count);
    }
}

TEST(HIDDeviceInventoryService, IdentityKeyCollapsesDuplicatesFirstOneWins)
{
    HIDDeviceProperties first = mouse("Mouse One", 1133, 4);
    first.serialNumber = " AB1 ";
    first.devicePath = "/devices/b";
    HIDDeviceProperties sameReceiver = first;
    sameReceiver.devicePath = "/devices/a";
    sameReceiver.transport = "Bluetooth";
    HIDDeviceProperties otherSerial = first;
    otherSerial.serialNumber = "AB2";
    HIDDeviceProperties blankSerial = first;
    blankSerial.serialNumber = "  ";

    const auto devices = discover({first, sameReceiver, otherSerial, blankSerial});
    ASSERT_EQ(devices.size(), 3u);
    std::vector<std::string> ids;
    for (const auto& device : devices) {
        ids.push_back(device.id);
    }
    EXPECT_EQ(ids, (std::vector<std::string> {"1133-4-mouse one-AB1", "1133-4-mouse one-AB2", "1133-4-mouse one-"}));
    EXPECT_EQ(devices[0].transport, "USB");
    EXPECT_EQ(devices[0].serialNumber, "AB1");
    EXPECT_EQ(devices[2].serialNumber, std::nullopt);

    // Twin mice without serial numbers on the same transport read as one device.
    HIDDeviceProperties twin = mouse("Optical Mouse");
    HIDDeviceProperties otherTwin = twin;
    otherTwin.devicePath = "/devices/other";
    HIDDeviceProperties wirelessTwin = twin;
    wirelessTwin.transport = "Bluetooth";
    EXPECT_EQ(discover({twin, otherTwin, wirelessTwin}).size(), 2u);
}

TEST(HIDDeviceInventoryService, BatteryFromSerialThenProductThenIdentifiers)
{
    HIDDeviceProperties properties = mouse("MX Master 3", 1133, 0x4082);
    properties.serialNumber = "AA:BB";

    // Out-of-range levels are ignored; later services replace earlier ones under the same key.
    const std::vector<HIDBatteryProperties> batteries = {
        {101, std::string("aa:bb"), std::nullopt, std::nullopt, std::nullopt},
        {-1, std::string("AA:BB"), std::nullopt, std::nullopt, std::nullopt},
        {10, std::nullopt, std::string("MX MASTER 3"), std::nullopt, std::nullopt},
        {40, std::nullopt, std::string("mx master 3"), std::nullopt, std::nullopt},
        {70, std::nullopt, std::nullopt, 1133, 0x4082},
    };
    EXPECT_EQ(discoverOne(properties, batteries).batteryPercent, 40);

    EXPECT_EQ(discoverOne(properties,
                  {{55, std::string("aa:bb"), std::string("mx master 3"), 1133, 0x4082},
                      {66, std::nullopt, std::string("MX Master 3"), std::nullopt, std::nullopt}})
                  .batteryPercent,
        55);
    EXPECT_EQ(discoverOne(properties, {{70, std::nullopt, std::nullopt, 1133, 0x4082}}).batteryPercent, 70);
    EXPECT_EQ(discoverOne(properties, {{70, std::nullopt, std::nullopt, 1133, 0}}).batteryPercent, std::nullopt);
    EXPECT_EQ(discoverOne(properties, {{100, std::string(""), std::string(""), 0, 0}}).batteryPercent, std::nullopt);
    EXPECT_EQ(
        discoverOne(properties, {{0, std::string("aa:bb"), std::nullopt, std::nullopt, std::nullopt}}).batteryPercent,
        0);
}

TEST(HIDDeviceInventoryService, BrandCategoryAndManufacturerAreResolved)
{
    HIDDeviceProperties properties = mouse("Mouse", 0x1532, 0x0084);
    properties.manufacturer = "";
    const auto device = discoverOne(properties);
    EXPECT_EQ(device.brandName, "Razer");
    EXPECT_EQ(device.rawManufacturer, "Razer");
    EXPECT_EQ(device.category, PointerDeviceCategory::gamingMouse);

    HIDDeviceProperties sixButtons = mouse("Office Mouse");
    sixButtons.manufacturer = "Acme";
    sixButtons.buttonUsages = std::vector<std::int64_t> {1, 2, 3, 4, 5, 6};
    const auto office = discoverOne(sixButtons);
    EXPECT_EQ(office.brandName, "Acme");
    EXPECT_EQ(office.rawManufacturer, "Acme");
    EXPECT_EQ(office.category, PointerDeviceCategory::ergonomicMouse);
}

TEST(HIDDeviceInventoryService, ExternalFirstThenBrandIgnoringCaseThenDevicePath)
{
    HIDDeviceProperties trackpad = mouse("Touchpad", 0x04F3, 0x3195);
    trackpad.builtIn = true;
    trackpad.transport = "I2C";
    trackpad.devicePath = "/devices/0";
    HIDDeviceProperties razer = mouse("Mouse A", 0x1A2C, 1);
    razer.manufacturer = "razer";
    HIDDeviceProperties logitech = mouse("Mouse B", 0x1A2C, 2);
    logitech.manufacturer = "Logitech";
    HIDDeviceProperties secondAcme = mouse("Mouse C", 0x1A2C, 3);
    secondAcme.manufacturer = "Acme";
    secondAcme.devicePath = "/devices/z";
    HIDDeviceProperties firstAcme = mouse("Mouse D", 0x1A2C, 4);
    firstAcme.manufacturer = "ACME";
    firstAcme.devicePath = "/devices/a";

    const auto devices = discover({trackpad, razer, logitech, secondAcme, firstAcme});
    std::vector<std::string> names;
    for (const auto& device : devices) {
        names.push_back(device.productName);
    }
    EXPECT_EQ(names, (std::vector<std::string> {"Mouse D", "Mouse C", "Mouse B", "Mouse A", "Touchpad"}));
    // The same hardware listed in another order gives the same list.
    EXPECT_EQ(discover({firstAcme, secondAcme, logitech, razer, trackpad}), devices);
}

} // namespace
} // namespace tarn::input
