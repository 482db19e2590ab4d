#pragma once

// One connected HID pointing device as the device inventory lists it for the interface: what the
// device reports, with its brand and category already resolved. An immutable value.

#include <cstdint>
#include <optional>
#include <string>

#include "TarnInputCore/Model/Pointer/PointerDeviceCategory.h"

namespace tarn::input {

struct ConnectedPointerDevice {
    // Stable key of the device within one listing.
    std::string id;
    std::string brandName;
    std::string productName;
    // The manufacturer text the device reports (the brand when it reports none).
    std::string rawManufacturer;
    std::int64_t vendorID = 0;
    std::int64_t productID = 0;
    // The transport text as reported, e.g. "USB", "Bluetooth", "I2C".
    std::string transport;
    PointerDeviceCategory category = PointerDeviceCategory::externalMouse;
    bool isBuiltIn = false;
    std::optional<std::int64_t> batteryPercent;
    std::optional<std::int64_t> physicalButtonCount;
    std::optional<std::int64_t> nominalPollingRateHz;
    std::optional<std::string> firmwareVersion;
    std::optional<std::string> serialNumber;
    std::optional<std::uint32_t> locationID;

    // "Built-in (<transport>)", "Bluetooth LE", "Bluetooth", "USB / 2.4GHz", or the transport as it is.
    std::string connectionBadge() const;
    // "0x046D : 0xC077", or "Built-in" when neither identifier is above 0.
    std::string vendorProductHex() const;

    bool operator==(const ConnectedPointerDevice&) const = default;
};

} // namespace tarn::input
