// udev's side of the device change notices, with devices coming, going and changing in umockdev's
// testbed: what the watcher looks at is told, the rest of the machine is not.

#include <string>

#include <gtest/gtest.h>

#include "Platform/Fake/Foundation/ManualMainThreadExecutor.h"
#include "Platform/Linux/Devices/UdevDeviceChangeNotices.h"
#include "TarnKit/Foundation/Files/CHandle.h"
#include "tests/TemporaryFolder.h"

#include <umockdev.h>

namespace tarn {
namespace {

using namespace std::chrono_literals;
using Testbed = CHandle<UMockdevTestbed, g_object_unref>;

constexpr const char* kHid = "/devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.0/0003:1A2C:0046.0007";

class UdevDeviceChangeNoticesUmockdev : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_testbed); }

    void add(const std::string& description)
    {
        GError* error = nullptr;
        ASSERT_TRUE(umockdev_testbed_add_from_string(m_testbed.get(), description.c_str(), &error))
            << (error ? error->message : "");
    }

    void change(const std::string& devpath)
    {
        umockdev_testbed_uevent(m_testbed.get(), ("/sys" + devpath).c_str(), "change");
    }

    // Runs the notices posted within a bounded wait; answers how many there were. Where none is
    // expected a shorter wait does: a notice comes 50 ms after its change.
    int told(std::chrono::milliseconds wait = 2s)
    {
        const int before = m_told;
        if (m_mainThread.waitForPending(wait)) {
            m_mainThread.runPending();
        }
        return m_told - before;
    }

    Testbed m_testbed {umockdev_testbed_new()};
    TemporaryFolder m_devices;
    ManualMainThreadExecutor m_mainThread;
    UdevDeviceChangeNotices m_notices {m_mainThread, m_devices.path(), "udev"};
    int m_told = 0;
    Subscription m_subscription = m_notices.subscribe([this] { ++m_told; });
};

TEST_F(UdevDeviceChangeNoticesUmockdev, APluggedMouseIsOneNotice)
{
    // A HID device, its input device and event node arrive together: one look is enough.
    add(std::string("P: ") + kHid + "\nE: SUBSYSTEM=hid\nE: HID_NAME=Acme Mouse\n\nP: " + kHid
        + "/input/input20\nE: SUBSYSTEM=input\nA: name=Acme Mouse\n\nP: " + kHid
        + "/input/input20/event20\nN: input/event20\nE: SUBSYSTEM=input\nE: DEVNAME=/dev/input/event20\n");
    EXPECT_EQ(told(), 1);
}

TEST_F(UdevDeviceChangeNoticesUmockdev, AHidBatteryChangeIsToldAndTheMachinesIsNot)
{
    const std::string battery = std::string(kHid) + "/power_supply/hid-acme-battery";
    add(std::string("P: ") + kHid + "\nE: SUBSYSTEM=hid\n\nP: " + battery
        + "\nE: SUBSYSTEM=power_supply\nE: POWER_SUPPLY_SCOPE=Device\nA: capacity=80\n");
    add("P: /devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0\nE: SUBSYSTEM=power_supply\n"
        "A: capacity=55\n");
    told();
    change("/devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0");
    EXPECT_EQ(told(300ms), 0) << "the machine's own battery";
    change(battery);
    EXPECT_EQ(told(), 1);
}

TEST_F(UdevDeviceChangeNoticesUmockdev, OnlyTheUinputNodeOfTheMiscDevicesCounts)
{
    add("P: /devices/virtual/misc/fuse\nN: fuse\nE: SUBSYSTEM=misc\n");
    EXPECT_EQ(told(300ms), 0);
    add("P: /devices/virtual/misc/uinput\nN: uinput\nE: SUBSYSTEM=misc\n");
    EXPECT_EQ(told(), 1);
}

} // namespace
} // namespace tarn
