// Proves the umockdev test machinery: libudev enumerates a fake mouse added to the testbed.

#include <string>

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Files/CHandle.h"

#include <libudev.h>
#include <umockdev.h>

namespace {

using Testbed = tarn::CHandle<UMockdevTestbed, g_object_unref>;
using Udev = tarn::CHandle<udev, udev_unref>;
using Enumerate = tarn::CHandle<udev_enumerate, udev_enumerate_unref>;
using Device = tarn::CHandle<udev_device, udev_device_unref>;

constexpr const char* kFakeMouse = "P: /devices/virtual/input/input9\n"
                                   "E: SUBSYSTEM=input\n"
                                   "E: ID_INPUT=1\n"
                                   "E: ID_INPUT_MOUSE=1\n"
                                   "E: NAME=\"Probe Mouse\"\n"
                                   "A: name=Probe Mouse\n";

TEST(UdevEnumeration, FindsFakeMouse)
{
    Testbed testbed(umockdev_testbed_new());
    ASSERT_TRUE(testbed);
    GError* error = nullptr;
    ASSERT_TRUE(umockdev_testbed_add_from_string(testbed.get(), kFakeMouse, &error)) << (error ? error->message : "");

    Udev context(udev_new());
    Enumerate enumerate(udev_enumerate_new(context.get()));
    udev_enumerate_add_match_subsystem(enumerate.get(), "input");
    udev_enumerate_add_match_property(enumerate.get(), "ID_INPUT_MOUSE", "1");
    ASSERT_GE(udev_enumerate_scan_devices(enumerate.get()), 0);

    std::vector<std::string> names;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
    {
        Device device(udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (const char* name = udev_device_get_sysattr_value(device.get(), "name")) {
            names.emplace_back(name);
        }
    }
    EXPECT_EQ(names, std::vector<std::string> {"Probe Mouse"});
}

} // namespace
