#pragma once

// Turns what a HID device reports into what the user sees: a brand name, a device category and a
// plain-text hardware report. Matching uses fixed word lists only; nothing is looked up online.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TarnInputCore/Model/Pointer/ConnectedPointerDevice.h"
#include "TarnInputCore/Model/Pointer/PointerDeviceCategory.h"

namespace tarn::input {

class USBVendorRegistry {
public:
    USBVendorRegistry() = delete;

    // The brand of a known vendor identifier, if the table has one.
    static std::optional<std::string_view> vendorName(std::int64_t vendorID);

    // Brand from the product name's words first, then the vendor table, then the manufacturer text,
    // else "Generic HID" or "HID Vendor 0x…".
    static std::string resolveBrand(
        std::int64_t vendorID, const std::optional<std::string>& rawManufacturer, std::string_view productName);

    // The first matching rule decides; see the rule list in the implementation.
    static PointerDeviceCategory classifyCategory(
        std::string_view brand, std::string_view productName, bool isBuiltIn, std::optional<std::int64_t> buttonCount);

    // A header line and one line per device, joined by line feeds, with no line feed at the end.
    static std::string formatHardwareReport(const std::vector<ConnectedPointerDevice>& devices);
};

} // namespace tarn::input
