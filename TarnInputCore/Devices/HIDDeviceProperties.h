#pragma once

// What a device source reads about one HID pointing device, before any fall-back is applied.
// A property that is missing, or unreadable as its kind, is left empty; the inventory decides what
// an empty property means.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarn::input {

struct HIDDeviceProperties {
    // Where the source found the device (a sysfs path on Linux). Only used to order devices that
    // otherwise compare equal, so that repeated scans list them the same way.
    std::string devicePath;

    std::optional<std::string> product;
    std::optional<std::string> manufacturer;
    std::optional<std::int64_t> vendorID;
    std::optional<std::int64_t> productID;
    // "USB", "Bluetooth", "Bluetooth Low Energy", "I2C", "SPI", "PS/2" …, as the source names it.
    std::optional<std::string> transport;
    std::optional<bool> builtIn;
    std::optional<std::string> serialNumber;
    // Binary-coded version, e.g. 0x0123 (the USB device release number).
    std::optional<std::int64_t> versionNumber;
    std::optional<std::uint32_t> locationID;
    std::optional<std::int64_t> reportIntervalMicroseconds;
    // Usages of every element on the button page, repeats included; empty optional when the
    // device's elements could not be read at all.
    std::optional<std::vector<std::int64_t>> buttonUsages;

    bool operator==(const HIDDeviceProperties&) const = default;
};

} // namespace tarn::input
