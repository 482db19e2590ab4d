#pragma once

// The Linux device source: HID devices from the hid bus whose report descriptor declares a mouse,
// a pointer or a touchpad, with their names, identifiers, transport, USB firmware release and
// report interval, and the HID batteries from the power_supply class.
//
// Two ways to find the devices, read the same way afterwards (plain file reads relative to each
// device's sysfs path): the default constructor asks libudev (the running system, or umockdev's
// testbed under its preload); the path constructor walks a sysfs tree directly (fixture trees).
// Attributes that are missing, unreadable or malformed never stop a scan: the device is listed
// with what could be read.

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "TarnInputCore/Devices/PointerDeviceSource.h"

namespace tarn {

class SysfsPointerDeviceSource final : public input::PointerDeviceSource {
public:
    // Enumerates through libudev.
    SysfsPointerDeviceSource();
    // Walks `sysfsRoot` (a tree shaped like /sys: bus/hid/devices, class/power_supply, devices/…).
    explicit SysfsPointerDeviceSource(std::filesystem::path sysfsRoot);
    ~SysfsPointerDeviceSource() override;

    SysfsPointerDeviceSource(const SysfsPointerDeviceSource&) = delete;
    SysfsPointerDeviceSource& operator=(const SysfsPointerDeviceSource&) = delete;

    std::optional<std::vector<input::HIDDeviceProperties>> pointerDevices() override;
    std::vector<input::HIDBatteryProperties> hidBatteries() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace tarn
