// Device selection and hot-plug through libudev, with recorded devices in umockdev's testbed:
// a USB mouse, a receiver with a keyboard and a mouse interface, a touchpad, a keyboard, a mouse
// udev never classified, and one of our own virtual devices.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Linux/Input/InputDeviceDirectory.h"
#include "Platform/Linux/Uinput/VirtualInputDevice.h"
#include "TarnKit/Foundation/Files/CHandle.h"

#include <poll.h>
#include <umockdev.h>

namespace tarn::input {
namespace {

using Testbed = CHandle<UMockdevTestbed, g_object_unref>;

// One input device with its event node, as udev and the kernel describe them.
std::string inputDevice(const std::string& parent, int number, const std::string& name, const std::string& rel,
    const std::string& key, const std::string& abs, const std::string& udevProperties,
    const std::string& phys = "usb-0000:00:14.0-1/input0")
{
    const std::string input = parent + "/input/input" + std::to_string(number);
    const std::string event = "event" + std::to_string(number);
    return "P: " + input + "\nE: SUBSYSTEM=input\nA: name=" + name + "\nA: phys=" + phys
        + "\nA: capabilities/rel=" + rel + "\nA: capabilities/key=" + key + "\nA: capabilities/abs=" + abs
        + "\nA: properties=0\n\n" + "P: " + input + "/" + event + "\nN: input/" + event
        + "\nE: SUBSYSTEM=input\nE: DEVNAME=/dev/input/" + event + "\n" + udevProperties + "\n";
}

constexpr const char* kMouseRel = "903";
constexpr const char* kMouseKeys = "1f0000 0 0 0 0";
constexpr const char* kKeyboardKeys = "1200000003 3ff000000 0 fffffffffffffffe ffffffffffffffff";
constexpr const char* kUsb = "/devices/pci0000:00/0000:00:14.0/usb1";

std::string recordedDevices()
{
    return inputDevice(std::string(kUsb) + "/1-1/1-1:1.0/0003:1A2C:0042.0001", 3, "Acme Office Mouse", kMouseRel,
               kMouseKeys, "0", "E: ID_INPUT=1\nE: ID_INPUT_MOUSE=1\n")
        + inputDevice(std::string(kUsb) + "/1-2/1-2:1.0/0003:046D:C52B.0002", 4, "Logitech USB Receiver", "0",
            kKeyboardKeys, "0", "E: ID_INPUT=1\nE: ID_INPUT_KEY=1\nE: ID_INPUT_KEYBOARD=1\n")
        + inputDevice(std::string(kUsb) + "/1-2/1-2:1.1/0003:046D:C52B.0003", 5, "Logitech USB Receiver Mouse",
            kMouseRel, kMouseKeys, "0", "E: ID_INPUT=1\nE: ID_INPUT_MOUSE=1\n")
        + inputDevice("/devices/platform/i8042/serio1", 6, "SynPS/2 Synaptics TouchPad", "0", "e520 10000 0 0 0 0",
            "260800000003", "E: ID_INPUT=1\nE: ID_INPUT_TOUCHPAD=1\n")
        + inputDevice("/devices/platform/i8042/serio0", 7, "AT Translated Set 2 keyboard", "0", kKeyboardKeys, "0",
            "E: ID_INPUT=1\nE: ID_INPUT_KEY=1\nE: ID_INPUT_KEYBOARD=1\n")
        + inputDevice(
            "/devices/virtual/misc/uhid/0005:1A2C:0044.0004", 8, "Acme Travel Mouse", kMouseRel, kMouseKeys, "0", "")
        + inputDevice("/devices/virtual/input", 9, "Acme Office Mouse (TarnInput)", kMouseRel, kMouseKeys, "0",
            "E: ID_INPUT=1\nE: ID_INPUT_MOUSE=1\n", std::string(VirtualInputDevice::kPhys));
}

struct Selected {
    std::string devnode;
    std::string name;
    InputDeviceRole role;
    bool operator==(const Selected&) const = default;
};

class InputDeviceDirectoryUmockdev : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(testbed); }

    void add(const std::string& description)
    {
        GError* error = nullptr;
        ASSERT_TRUE(umockdev_testbed_add_from_string(testbed.get(), description.c_str(), &error))
            << (error ? error->message : "");
    }

    std::vector<InputDeviceChange> changes(InputDeviceDirectory& directory)
    {
        std::vector<InputDeviceChange> received;
        pollfd descriptor {directory.monitorFd(), POLLIN, 0};
        // A bounded wait for the testbed's notice to arrive on the monitor socket.
        while (::poll(&descriptor, 1, 200) > 0) {
            while (auto change = directory.receive()) {
                received.push_back(*change);
            }
        }
        return received;
    }

    Testbed testbed {umockdev_testbed_new()};
};

TEST_F(InputDeviceDirectoryUmockdev, ScanSelectsMiceToGrabAndKeyboardsToRead)
{
    add(recordedDevices());
    InputDeviceDirectory directory("udev");
    std::vector<Selected> selected;
    for (const auto& device : directory.scan()) {
        selected.push_back({device.devnode, device.name, device.role});
    }
    std::sort(selected.begin(), selected.end(), [](const auto& a, const auto& b) { return a.devnode < b.devnode; });
    const std::vector<Selected> expected {
        {"/dev/input/event3", "Acme Office Mouse", InputDeviceRole::pointer},
        {"/dev/input/event4", "Logitech USB Receiver", InputDeviceRole::keyboard},
        {"/dev/input/event5", "Logitech USB Receiver Mouse", InputDeviceRole::pointer},
        {"/dev/input/event6", "SynPS/2 Synaptics TouchPad", InputDeviceRole::ignored},
        {"/dev/input/event7", "AT Translated Set 2 keyboard", InputDeviceRole::keyboard},
        // No udev properties at all: the capability bits decide.
        {"/dev/input/event8", "Acme Travel Mouse", InputDeviceRole::pointer},
        // Ours, by the marker in its phys string.
        {"/dev/input/event9", "Acme Office Mouse (TarnInput)", InputDeviceRole::ignored},
    };
    EXPECT_EQ(selected, expected);
}

TEST_F(InputDeviceDirectoryUmockdev, HotPlugReportsEventNodesComingAndGoing)
{
    InputDeviceDirectory directory("udev");
    ASSERT_GE(directory.monitorFd(), 0);
    add(inputDevice(std::string(kUsb) + "/1-3/1-3:1.0/0003:1A2C:0045.0005", 12, "Acme Plugged Mouse", kMouseRel,
        kMouseKeys, "0", "E: ID_INPUT=1\nE: ID_INPUT_MOUSE=1\n"));
    const auto added = changes(directory);
    ASSERT_EQ(added.size(), 1U) << "only the event node, not its input device";
    EXPECT_EQ(added[0].action, InputDeviceAction::added);
    EXPECT_EQ(added[0].device.devnode, "/dev/input/event12");
    EXPECT_EQ(added[0].device.role, InputDeviceRole::pointer);

    const std::string node = std::string("/sys") + kUsb + "/1-3/1-3:1.0/0003:1A2C:0045.0005/input/input12/event12";
    umockdev_testbed_uevent(testbed.get(), node.c_str(), "remove");
    const auto removed = changes(directory);
    ASSERT_EQ(removed.size(), 1U);
    EXPECT_EQ(removed[0].action, InputDeviceAction::removed);
    EXPECT_EQ(removed[0].device.devnode, "/dev/input/event12");
}

} // namespace
} // namespace tarn::input
