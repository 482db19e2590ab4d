// End to end through libudev: the default device source enumerates umockdev's testbed (the preload
// redirects /sys), and the inventory turns what it reads into the listed device and its battery.

#include <gtest/gtest.h>

#include "Platform/Linux/Devices/SysfsPointerDeviceSource.h"
#include "TarnInputCore/Devices/HIDDeviceInventoryService.h"
#include "TarnInputCore/Devices/USBVendorRegistry.h"
#include "TarnKit/Foundation/Files/CHandle.h"

#include <umockdev.h>

namespace tarn {
namespace {

using Testbed = CHandle<UMockdevTestbed, g_object_unref>;

// A full-speed USB mouse polled every 2 ms with three buttons, a keyboard that must not be
// listed, and a Bluetooth mouse with buttons 1 to 8 and 32 (40 is past the last counted button)
// whose HID battery reads 42 %.
constexpr const char* kDevices
    = "P: /devices/pci0000:00/0000:00:14.0/usb1/1-4\n"
      "E: SUBSYSTEM=usb\n"
      "E: DEVTYPE=usb_device\n"
      "A: product=Office Mouse\\n\n"
      "A: manufacturer=Acme\\n\n"
      "A: bcdDevice=0123\\n\n"
      "A: speed=12\\n\n"
      "A: removable=removable\\n\n"
      "\n"
      "P: /devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0\n"
      "E: SUBSYSTEM=usb\n"
      "E: DEVTYPE=usb_interface\n"
      "A: bInterfaceNumber=00\\n\n"
      "A: ep_81/type=Interrupt\\n\n"
      "A: ep_81/direction=in\\n\n"
      "A: ep_81/bInterval=02\\n\n"
      "\n"
      "P: /devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0/0003:1A2C:0042.0001\n"
      "E: SUBSYSTEM=hid\n"
      "E: HID_ID=0003:00001A2C:00000042\n"
      "E: HID_NAME=Acme Office Mouse\n"
      "E: HID_UNIQ=\n"
      "H: report_descriptor=05010902A1010509190129038102C0\n"
      "\n"
      "P: /devices/pci0000:00/0000:00:14.0/usb1/1-5/1-5:1.0/0003:1A2C:0043.0002\n"
      "E: SUBSYSTEM=hid\n"
      "E: HID_ID=0003:00001A2C:00000043\n"
      "E: HID_NAME=Acme Keyboard\n"
      "H: report_descriptor=05010906A101050719E029E78102C0\n"
      "\n"
      "P: /devices/virtual/misc/uhid/0005:046D:B023.0003\n"
      "E: SUBSYSTEM=hid\n"
      "E: HID_ID=0005:0000046D:0000B023\n"
      "E: HID_NAME=MX Master 3\n"
      "E: HID_UNIQ=aa:bb:cc:dd:ee:ff\n"
      "H: report_descriptor=05010902A10105091901290881020509092081020509092881024F\n"
      "\n"
      "P: /devices/virtual/misc/uhid/0005:046D:B023.0003/power_supply/hid-aa:bb:cc:dd:ee:ff-battery\n"
      "E: SUBSYSTEM=power_supply\n"
      "E: POWER_SUPPLY_NAME=hid-aa:bb:cc:dd:ee:ff-battery\n"
      "A: capacity=42\\n\n"
      "A: status=Discharging\\n\n"
      "A: scope=Device\\n\n";

TEST(SysfsPointerDeviceSourceUmockdev, ListsTheTestbedDevicesThroughLibudev)
{
    Testbed testbed(umockdev_testbed_new());
    ASSERT_TRUE(testbed);
    GError* error = nullptr;
    ASSERT_TRUE(umockdev_testbed_add_from_string(testbed.get(), kDevices, &error)) << (error ? error->message : "");

    SysfsPointerDeviceSource source;
    const auto devices = input::HIDDeviceInventoryService::discoverPointerDevices(source);
    EXPECT_EQ(input::USBVendorRegistry::formatHardwareReport(devices),
        "=== TarnInput Hardware Report (2 devices) ===\n"
        "- Brand: Acme | Model: Office Mouse | Type: External Mouse | Connection: USB / 2.4GHz"
        " | VID:PID: 0x1A2C : 0x0042 | Buttons: 3 | Nominal Rate: 500 Hz | Firmware: 1.35 (0x0123)\n"
        "- Brand: Logitech | Model: MX Master 3 | Type: Ergonomic / Pro Mouse | Connection: Bluetooth"
        " | VID:PID: 0x046D : 0xB023 | Buttons: 9 | Battery: 42% | Serial: aa:bb:cc:dd:ee:ff");
}

} // namespace
} // namespace tarn
