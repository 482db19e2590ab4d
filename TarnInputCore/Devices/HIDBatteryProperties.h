#pragma once

// One battery-reporting HID service as a device source reads it: the level and the identifying
// properties of the device it belongs to. Missing or unreadable properties are left empty.

#include <cstdint>
#include <optional>
#include <string>

namespace tarn::input {

struct HIDBatteryProperties {
    std::optional<std::int64_t> batteryPercent;
    std::optional<std::string> serialNumber;
    std::optional<std::string> product;
    std::optional<std::int64_t> vendorID;
    std::optional<std::int64_t> productID;

    bool operator==(const HIDBatteryProperties&) const = default;
};

} // namespace tarn::input
