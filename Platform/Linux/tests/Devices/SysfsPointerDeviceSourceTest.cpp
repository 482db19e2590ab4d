#include "Platform/Linux/Devices/SysfsPointerDeviceSource.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "TarnInputCore/Devices/HIDDeviceInventoryService.h"
#include "TarnInputCore/Devices/USBVendorRegistry.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;
using input::HIDBatteryProperties;
using input::HIDDeviceProperties;

const fs::path kFixtureRoot = fs::path(TARN_TEST_DATA_DIR) / "sysfs-three-devices";

std::string readWholeFile(const fs::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

// Builds a small sysfs-shaped tree in a temporary folder.
class SysfsTree {
public:
    const fs::path& root() const { return m_folder.path(); }

    void write(const std::string& relative, std::string_view content)
    {
        const fs::path path = root() / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

    // A HID device at `folder` listed on the hid bus, with the given uevent lines and descriptor.
    void addHidDevice(const std::string& folder, std::string_view uevent, std::string_view descriptor)
    {
        write(folder + "/uevent", uevent);
        write(folder + "/report_descriptor", descriptor);
        fs::create_directories(root() / "bus/hid/devices");
        fs::create_directory_symlink(root() / folder, root() / "bus/hid/devices" / fs::path(folder).filename());
    }

    void addPowerSupply(const std::string& folder, std::string_view capacity, std::string_view status)
    {
        write(folder + "/capacity", capacity);
        write(folder + "/status", status);
        fs::create_directories(root() / "class/power_supply");
        fs::create_directory_symlink(root() / folder, root() / "class/power_supply" / fs::path(folder).filename());
    }

private:
    TemporaryFolder m_folder;
};

constexpr std::string_view kMouseDescriptor {"\x05\x01\x09\x02\xA1\x01\x05\x09\x19\x01\x29\x03\x81\x02\xC0", 15};

TEST(SysfsPointerDeviceSource, ListsTheFixtureDevicesExactly)
{
    SysfsPointerDeviceSource source(kFixtureRoot);
    const auto devices = source.pointerDevices();
    ASSERT_TRUE(devices.has_value());

    const fs::path root = kFixtureRoot.lexically_normal();
    const std::string usb = (root / "devices/pci0000:00/0000:00:14.0/usb1/1-2").string();

    HIDDeviceProperties razer;
    razer.devicePath = usb + "/1-2:1.0/0003:1532:00B2.0001";
    razer.product = "Razer DeathAdder V3";
    razer.manufacturer = "Razer";
    razer.vendorID = 0x1532;
    razer.productID = 0x00B2;
    razer.transport = "USB";
    razer.builtIn = false;
    razer.versionNumber = 0x0203;
    razer.reportIntervalMicroseconds = 125;
    razer.buttonUsages = std::vector<std::int64_t> {1, 2, 3, 4, 5};
    // The second mouse interface of the same mouse (the keyboard interface is not listed).
    HIDDeviceProperties razerSecond = razer;
    razerSecond.devicePath = usb + "/1-2:1.2/0003:1532:00B2.0003";

    HIDDeviceProperties touchpad;
    touchpad.devicePath
        = (root / "devices/pci0000:00/0000:00:15.0/i2c_designware.0/i2c-1/i2c-ELAN0676:00/0018:04F3:3195.0005")
              .string();
    touchpad.product = "ELAN0676:00 04F3:3195";
    touchpad.vendorID = 0x04F3;
    touchpad.productID = 0x3195;
    touchpad.transport = "I2C";
    touchpad.builtIn = true;
    touchpad.buttonUsages = std::vector<std::int64_t> {1, 1, 2};

    HIDDeviceProperties bluetooth;
    bluetooth.devicePath = (root / "devices/virtual/misc/uhid/0005:046D:B025.0004").string();
    bluetooth.product = "MX Anywhere 3";
    bluetooth.vendorID = 0x046D;
    bluetooth.productID = 0xB025;
    bluetooth.transport = "Bluetooth";
    bluetooth.builtIn = false;
    bluetooth.serialNumber = "d4:91:0f:aa:bb:cc";
    bluetooth.buttonUsages = std::vector<std::int64_t>(16);
    for (std::int64_t usage = 1; usage <= 16; ++usage) {
        (*bluetooth.buttonUsages)[usage - 1] = usage;
    }

    EXPECT_EQ(*devices, (std::vector<HIDDeviceProperties> {razer, razerSecond, touchpad, bluetooth}));

    // Only the mouse's battery: the laptop's own battery is no HID battery.
    EXPECT_EQ(source.hidBatteries(),
        (std::vector<HIDBatteryProperties> {
            {85, std::string("d4:91:0f:aa:bb:cc"), std::string("MX Anywhere 3"), 0x046D, 0xB025}}));
}

TEST(SysfsPointerDeviceSource, FixtureReportMatchesTheExpectedText)
{
    SysfsPointerDeviceSource source(kFixtureRoot);
    const auto devices = input::HIDDeviceInventoryService::discoverPointerDevices(source);
    EXPECT_EQ(input::USBVendorRegistry::formatHardwareReport(devices),
        readWholeFile(fs::path(TARN_TEST_DATA_DIR) / "sysfs-three-devices.report.txt"));
    EXPECT_EQ(input::HIDDeviceInventoryService::discoverPointerDevices(source), devices);
}

TEST(SysfsPointerDeviceSource, MissingTreeListsNothing)
{
    SysfsPointerDeviceSource source(fs::path(TARN_TEST_DATA_DIR) / "no-such-tree");
    EXPECT_EQ(source.pointerDevices(), std::nullopt);
    EXPECT_TRUE(source.hidBatteries().empty());
    EXPECT_TRUE(input::HIDDeviceInventoryService::discoverPointerDevices(source).empty());
}

TEST(SysfsPointerDeviceSource, ReportIntervalFollowsTheDeviceSpeed)
{
    struct Row {
        const char* speed;
        const char* bInterval;
        std::optional<std::int64_t> micros;
    };
    // bInterval is hexadecimal; full and low speed count milliseconds, high and super speed an
    // exponent of 125 µs micro-frames.
    const Row rows[] = {
        {"12", "0a", 10000},
        {"1.5", "0a", 10000},
        {"12", "01", 1000},
        {"480", "04", 1000},
        {"480", "01", 125},
        {"5000", "02", 250},
        {"480", "11", std::nullopt},
        {"12", "00", std::nullopt},
        {"480", "zz", std::nullopt},
        {"53.3-480", "01", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.speed) + " " + row.bInterval);
        SysfsTree tree;
        const std::string usb = "devices/pci0000:00/usb1/1-1";
        tree.write(usb + "/speed", std::string(row.speed) + "\n");
        tree.write(usb + "/1-1:1.0/bInterfaceNumber", "00\n");
        tree.write(usb + "/1-1:1.0/ep_01/type", "Interrupt\n");
        tree.write(usb + "/1-1:1.0/ep_01/direction", "out\n");
        tree.write(usb + "/1-1:1.0/ep_01/bInterval", "08\n");
        tree.write(usb + "/1-1:1.0/ep_81/type", "Interrupt\n");
        tree.write(usb + "/1-1:1.0/ep_81/direction", "in\n");
        tree.write(usb + "/1-1:1.0/ep_81/bInterval", std::string(row.bInterval) + "\n");
        tree.addHidDevice(usb + "/1-1:1.0/0003:1A2C:0001.0001", "HID_ID=0003:00001A2C:00000001\n", kMouseDescriptor);
        SysfsPointerDeviceSource source(tree.root());
        const auto devices = source.pointerDevices();
        ASSERT_TRUE(devices && devices->size() == 1);
        EXPECT_EQ(devices->front().reportIntervalMicroseconds, row.micros);
    }
}

TEST(SysfsPointerDeviceSource, OddAttributesNeverStopTheScan)
{
    SysfsTree tree;
    // A USB mouse whose strings are binary junk, whose numbers are not numbers, and whose port is
    // hard-wired into the machine.
    const std::string usb = "devices/pci0000:00/usb1/1-3";
    constexpr char kProduct[] = "Mo\xC3use\xFF\x01Pro\0tail\n";
    tree.write(usb + "/product", std::string_view(kProduct, sizeof kProduct - 1));
    tree.write(usb + "/manufacturer", "\xFE\xFE\n");
    tree.write(usb + "/bcdDevice", "\x01\x02garbage");
    tree.write(usb + "/speed", "fast\n");
    tree.write(usb + "/removable", "fixed\n");
    tree.write(usb + "/1-3:1.0/bInterfaceNumber", "00\n");
    tree.addHidDevice(usb + "/1-3:1.0/0003:1A2C:0002.0001", "HID_ID=zz\nHID_UNIQ=\nHID_NAME\n", kMouseDescriptor);
    // A device behind a receiver: its USB parent strings belong to the receiver, not to it.
    tree.addHidDevice(usb + "/1-3:1.0/0003:1A2C:0002.0001/0003:046D:4082.0002",
        "HID_ID=0003:0000046D:00004082\nHID_NAME=Wireless Mouse MX\nHID_UNIQ=4082-ab-cd\n", kMouseDescriptor);
    // No descriptor at all: nothing says it is a pointing device.
    tree.write("devices/virtual/misc/uhid/0005:0001:0001.0003/uevent", "HID_ID=0005:00000001:00000001\n");
    fs::create_directory_symlink(tree.root() / "devices/virtual/misc/uhid/0005:0001:0001.0003",
        tree.root() / "bus/hid/devices/0005:0001:0001.0003");
    // A link that leads nowhere.
    fs::create_directory_symlink(tree.root() / "devices/gone", tree.root() / "bus/hid/devices/0003:0000:0000.0009");
    // A junk descriptor on an unknown bus.
    tree.addHidDevice("devices/platform/0042:1234:5678.0004", "HID_ID=0042:00001234:00005678\nHID_NAME=Pad\n",
        std::string_view("\x05\x01\x09\x01\xA1\x01\xFF\xFF\xFF", 9));

    // Batteries: one not reported yet, one unreadable, one with its owner's identity.
    const std::string receiverChild = usb + "/1-3:1.0/0003:1A2C:0002.0001/0003:046D:4082.0002";
    tree.addPowerSupply(receiverChild + "/power_supply/hidpp_battery_0", "55\n", "Discharging\n");
    tree.addPowerSupply("devices/virtual/misc/uhid/0005:0001:0001.0003/power_supply/hid-x-battery", "0\n", "Unknown\n");
    tree.addPowerSupply("devices/virtual/misc/uhid/0005:0001:0001.0003/power_supply/hid-y-battery", "n/a\n", "Full\n");

    SysfsPointerDeviceSource source(tree.root());
    const auto devices = source.pointerDevices();
    ASSERT_TRUE(devices.has_value());
    ASSERT_EQ(devices->size(), 3u);

    const auto& junk = (*devices)[0];
    // Each broken sequence became U+FFFD, the control character a blank, and the text ends at the NUL.
    EXPECT_EQ(junk.product, "Mo\xEF\xBF\xBDuse\xEF\xBF\xBD Pro");
    EXPECT_EQ(junk.manufacturer, "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(junk.vendorID, 0x1A2C); // from the folder name when HID_ID is junk
    EXPECT_EQ(junk.productID, 0x0002);
    EXPECT_EQ(junk.transport, "USB");
    EXPECT_EQ(junk.builtIn, true);
    EXPECT_EQ(junk.versionNumber, std::nullopt);
    EXPECT_EQ(junk.reportIntervalMicroseconds, std::nullopt);
    EXPECT_EQ(junk.serialNumber, std::nullopt);

    const auto& child = (*devices)[1];
    EXPECT_EQ(child.product, "Wireless Mouse MX");
    EXPECT_EQ(child.manufacturer, std::nullopt);
    EXPECT_EQ(child.serialNumber, "4082-ab-cd");
    EXPECT_EQ(child.versionNumber, std::nullopt);

    const auto& unknownBus = (*devices)[2];
    EXPECT_EQ(unknownBus.product, "Pad");
    EXPECT_EQ(unknownBus.transport, std::nullopt);
    EXPECT_EQ(unknownBus.builtIn, std::nullopt);

    EXPECT_EQ(source.hidBatteries(),
        (std::vector<HIDBatteryProperties> {
            {55, std::string("4082-ab-cd"), std::string("Wireless Mouse MX"), 0x046D, 0x4082}}));

    // The inventory and its report are made from what could be read.
    const auto listed = input::HIDDeviceInventoryService::discoverPointerDevices(source);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[1].batteryPercent, 55);
    EXPECT_EQ(input::USBVendorRegistry::formatHardwareReport(listed).find('\x01'), std::string::npos);
}

TEST(SysfsPointerDeviceSource, ListsPointingInputDevicesThatAreNoHidDevices)
{
    SysfsTree tree;
    auto addInput = [&](const std::string& folder, std::string_view bus, std::string_view name, std::string_view rel,
                        std::string_view abs, std::string_view key, std::string_view props) {
        tree.write(folder + "/name", std::string(name) + "\n");
        tree.write(folder + "/id/bustype", std::string(bus) + "\n");
        tree.write(folder + "/id/vendor", "0002\n");
        tree.write(folder + "/id/product", "0007\n");
        tree.write(folder + "/uniq", "\n");
        tree.write(folder + "/capabilities/rel", std::string(rel) + "\n");
        tree.write(folder + "/capabilities/abs", std::string(abs) + "\n");
        tree.write(folder + "/capabilities/key", std::string(key) + "\n");
        tree.write(folder + "/properties", std::string(props) + "\n");
        tree.write(folder + "/uevent", "PRODUCT=11/2/7/1b1\n");
        fs::create_directories(tree.root() / "class/input");
        fs::create_directory_symlink(tree.root() / folder, tree.root() / "class/input" / fs::path(folder).filename());
    };
    // A PS/2 clickpad (left button only) and a pointing stick with three buttons.
    addInput("devices/platform/i8042/serio1/input/input5", "0011", "SynPS/2 Synaptics TouchPad", "0", "660800011000003",
        "6420 10000 0 0 0 0", "5");
    addInput("devices/platform/i8042/serio1/serio2/input/input7", "0011", "TPPS/2 IBM TrackPoint", "3", "0",
        "70000 0 0 0 0", "21");
    // Not listed: a keyboard, a touchscreen, our own virtual pointer, and a HID mouse's input device.
    addInput("devices/platform/i8042/serio0/input/input3", "0011", "AT Translated Set 2 keyboard", "0", "0",
        "402000000 3803078f800d001 feffffdfffefffff fffffffffffffffe", "0");
    addInput("devices/platform/i2c/input/input9", "0018", "Touchscreen", "0", "3", "20 0 0 0 0 0 400", "2");
    addInput("devices/virtual/input/input20", "0003", "Virtual Pointer", "3", "0", "1f0000 0 0 0 0", "0");
    tree.addHidDevice(
        "devices/pci0000:00/usb1/1-1/1-1:1.0/0003:1A2C:0001.0001", "HID_ID=0003:00001A2C:00000001\n", kMouseDescriptor);
    addInput("devices/pci0000:00/usb1/1-1/1-1:1.0/0003:1A2C:0001.0001/input/input12", "0003", "HID mouse", "3", "0",
        "70000 0 0 0 0", "0");
    // Junk capabilities read as none.
    addInput("devices/platform/i8042/serio3/input/input8", "0011", "Junk", "zz", "\xFF", "", "");

    SysfsPointerDeviceSource source(tree.root());
    const auto devices = source.pointerDevices();
    ASSERT_TRUE(devices.has_value());
    std::vector<std::string> names;
    for (const auto& device : *devices) {
        names.push_back(device.product.value_or("-"));
    }
    EXPECT_EQ(names, (std::vector<std::string> {"-", "SynPS/2 Synaptics TouchPad", "TPPS/2 IBM TrackPoint"}));

    const auto& touchpad = (*devices)[1];
    EXPECT_EQ(touchpad.transport, "PS/2");
    EXPECT_EQ(touchpad.builtIn, true);
    EXPECT_EQ(touchpad.vendorID, 2);
    EXPECT_EQ(touchpad.productID, 7);
    EXPECT_EQ(touchpad.serialNumber, std::nullopt);
    EXPECT_EQ(touchpad.buttonUsages, (std::vector<std::int64_t> {1}));
    EXPECT_EQ((*devices)[2].buttonUsages, (std::vector<std::int64_t> {1, 2, 3}));

    const auto listed = input::HIDDeviceInventoryService::discoverPointerDevices(source);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[1].category, input::PointerDeviceCategory::trackpad);
    EXPECT_EQ(listed[1].connectionBadge(), "Built-in (PS/2)");
}

} // namespace
} // namespace tarn
