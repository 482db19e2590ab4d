#include "TarnInputCore/Model/Pointer/ConnectedPointerDevice.h"

#include <fmt/format.h>

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {

std::string ConnectedPointerDevice::connectionBadge() const
{
    if (isBuiltIn) {
        return "Built-in (" + transport + ")";
    }
    const std::string lower = UnicodeText::lowercased(transport);
    const bool bluetooth = lower.find("bluetooth") != std::string::npos;
    if (bluetooth && lower.find("low") != std::string::npos) {
        return "Bluetooth LE";
    }
    if (bluetooth) {
        return "Bluetooth";
    }
    if (lower.find("usb") != std::string::npos) {
        return "USB / 2.4GHz";
    }
    return transport;
}

std::string ConnectedPointerDevice::vendorProductHex() const
{
    if (vendorID < 1 && productID < 1) {
        return "Built-in";
    }
    // Printed as the unsigned 32-bit pattern, as a C "%04X" would print the value.
    return fmt::format(
        "0x{:04X} : 0x{:04X}", static_cast<std::uint32_t>(vendorID), static_cast<std::uint32_t>(productID));
}

} // namespace tarn::input
