#include "TarnInputCore/Devices/USBVendorRegistry.h"

#include <algorithm>
#include <array>
#include <utility>

#include <fmt/format.h>

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {
namespace {

using VendorEntry = std::pair<std::int64_t, std::string_view>;

constexpr std::array<VendorEntry, 46> kVendorNames {{
    {0x05AC, "Apple"},
    {0x004C, "Apple"},
    {0x046D, "Logitech"},
    {0x1532, "Razer"},
    {0x1038, "SteelSeries"},
    {0x1B1C, "Corsair"},
    {0x3434, "Keychron"},
    {0x258A, "Glorious / SINO WEALTH"},
    {0x0B05, "ASUS ROG"},
    {0x0951, "HyperX / Kingston"},
    {0x045E, "Microsoft"},
    {0x047D, "Kensington"},
    {0x056A, "Wacom"},
    {0x046E, "Behavior Tech"},
    {0x04D9, "Holtek / Gaming OEM"},
    {0x093A, "PixArt Sensor OEM"},
    {0x1BCF, "Sunplus OEM"},
    {0x24AE, "Rapoo"},
    {0x09DA, "A4Tech / Bloody"},
    {0x056E, "Elecom"},
    {0x256F, "3Dconnexion"},
    {0x04F2, "Chicony"},
    {0x413C, "Dell"},
    {0x03F0, "HP / HyperX"},
    {0x17EF, "Lenovo"},
    {0x291A, "Anker"},
    {0x2B89, "Ugreen"},
    {0x320F, "Pulsar / Lamzu OEM"},
    {0x3554, "Compx / 2.4G Wireless"},
    {0x1EA7, "SHARKOON / 2.4G"},
    {0x25A7, "Areson / Wireless Mouse"},
    {0x1E7D, "ROCCAT / Turtle Beach"},
    {0x0458, "Genius / KYE"},
    {0x12CF, "BenQ ZOWIE"},
    {0x1AF3, "ZOWIE Gear"},
    {0x260D, "Endgame Gear"},
    {0x3367, "Endgame Gear"},
    {0x18F8, "Maxxter / Gaming Mouse"},
    {0x0C45, "Microdia / Redragon"},
    {0x2516, "Cooler Master"},
    {0x04B4, "Cypress / Wireless"},
    {0x2DC8, "8BitDo"},
    {0x275D, "Satechi / Generic"},
    {0x04E8, "Samsung"},
    {0x1050, "Yubico"},
    {0x248A, "Maxxter / Trust"},
}};

using BrandNeedle = std::pair<std::string_view, std::string_view>;

// Looked for in the lower-cased product name, in this order. The trailing blank of "logi ",
// "rival ", "rog " and "hp " is part of the needle: it keeps "blogi" or "hpx" from matching.
constexpr std::array<BrandNeedle, 49> kBrandNeedles {{
    {"mx master", "Logitech"},
    {"mx anywhere", "Logitech"},
    {"mx vertical", "Logitech"},
    {"mx ergo", "Logitech"},
    {"logi ", "Logitech"},
    {"logitech", "Logitech"},
    {"g pro", "Logitech G"},
    {"g502", "Logitech G"},
    {"g305", "Logitech G"},
    {"superlight", "Logitech G"},
    {"razer", "Razer"},
    {"deathadder", "Razer"},
    {"viper", "Razer"},
    {"basilisk", "Razer"},
    {"steelseries", "SteelSeries"},
    {"aerox", "SteelSeries"},
    {"rival ", "SteelSeries"},
    {"keychron", "Keychron"},
    {"lemokey", "Keychron"},
    {"corsair", "Corsair"},
    {"dark core", "Corsair"},
    {"scimitar", "Corsair"},
    {"glorious", "Glorious"},
    {"model o", "Glorious"},
    {"model d", "Glorious"},
    {"pulsar", "Pulsar"},
    {"lamzu", "Lamzu"},
    {"zowie", "BenQ ZOWIE"},
    {"finalmouse", "Finalmouse"},
    {"endgame", "Endgame Gear"},
    {"wlmouse", "WLMOUSE"},
    {"asus", "ASUS ROG"},
    {"rog ", "ASUS ROG"},
    {"hyperx", "HyperX"},
    {"magic mouse", "Apple"},
    {"magic trackpad", "Apple"},
    {"apple internal", "Apple"},
    {"kensington", "Kensington"},
    {"wacom", "Wacom"},
    {"3dconnexion", "3Dconnexion"},
    {"anker", "Anker"},
    {"ugreen", "Ugreen"},
    {"satechi", "Satechi"},
    {"rapoo", "Rapoo"},
    {"microsoft", "Microsoft"},
    {"surface", "Microsoft"},
    {"dell", "Dell"},
    {"lenovo", "Lenovo"},
    {"hp ", "HP"},
}};

constexpr std::array<std::string_view, 17> kGamingWords {
    "g pro",
    "superlight",
    "g502",
    "g305",
    "viper",
    "deathadder",
    "basilisk",
    "aerox",
    "rival",
    "model o",
    "model d",
    "pulsar",
    "lamzu",
    "zowie",
    "rog",
    "gaming",
    "finalmouse",
};

constexpr std::array<std::string_view, 3> kGamingBrands {"Razer", "Logitech G", "SteelSeries"};

constexpr std::array<std::string_view, 7> kErgonomicWords {
    "mx master",
    "mx vertical",
    "mx anywhere",
    "vertical",
    "lift",
    "sculpt",
    "cadmouse",
};

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

template <typename Words> bool containsAny(std::string_view text, const Words& words)
{
    return std::any_of(words.begin(), words.end(), [&](std::string_view word) { return contains(text, word); });
}

} // namespace

std::optional<std::string_view> USBVendorRegistry::vendorName(std::int64_t vendorID)
{
    for (const auto& [id, name] : kVendorNames) {
        if (id == vendorID) {
            return name;
        }
    }
    return std::nullopt;
}

std::string USBVendorRegistry::resolveBrand(
    std::int64_t vendorID, const std::optional<std::string>& rawManufacturer, std::string_view productName)
{
    const std::string lowerName = UnicodeText::lowercased(productName);
    for (const auto& [needle, brand] : kBrandNeedles) {
        if (contains(lowerName, needle)) {
            return std::string(brand);
        }
    }
    if (const auto name = vendorName(vendorID)) {
        return std::string(*name);
    }
    if (rawManufacturer) {
        std::string manufacturer = UnicodeText::trimmed(*rawManufacturer);
        const std::string lower = UnicodeText::lowercased(manufacturer);
        if (!manufacturer.empty() && lower != "unknown" && lower != "generic") {
            return manufacturer;
        }
    }
    if (vendorID < 1) {
        return "Generic HID";
    }
    return fmt::format("HID Vendor 0x{:04X}", vendorID);
}

PointerDeviceCategory USBVendorRegistry::classifyCategory(
    std::string_view brand, std::string_view productName, bool isBuiltIn, std::optional<std::int64_t> buttonCount)
{
    const std::string name = UnicodeText::lowercased(productName);
    if (contains(name, "magic mouse")) {
        return PointerDeviceCategory::magicMouse;
    }
    // Every other built-in pointing device is a laptop's own touchpad.
    if (isBuiltIn) {
        return PointerDeviceCategory::trackpad;
    }
    if (contains(name, "trackpad") || contains(name, "touchpad")) {
        return PointerDeviceCategory::trackpad;
    }
    if (contains(name, "trackball") || contains(name, "ergo") || contains(name, "orbit")
        || contains(name, "expert mouse")) {
        return PointerDeviceCategory::trackball;
    }
    if (contains(name, "wacom") || contains(name, "tablet") || contains(name, "intuos") || contains(name, "pen")) {
        return PointerDeviceCategory::penTablet;
    }
    if (containsAny(name, kGamingWords)) {
        return PointerDeviceCategory::gamingMouse;
    }
    if (std::find(kGamingBrands.begin(), kGamingBrands.end(), brand) != kGamingBrands.end()) {
        return PointerDeviceCategory::gamingMouse;
    }
    if (containsAny(name, kErgonomicWords)) {
        return PointerDeviceCategory::ergonomicMouse;
    }
    if (buttonCount && *buttonCount >= 6) {
        return PointerDeviceCategory::ergonomicMouse;
    }
    return PointerDeviceCategory::externalMouse;
}

std::string USBVendorRegistry::formatHardwareReport(const std::vector<ConnectedPointerDevice>& devices)
{
    std::string report = fmt::format("=== TarnInput Hardware Report ({} devices) ===", devices.size());
    for (const auto& device : devices) {
        std::vector<std::string> parts;
        parts.push_back("Brand: " + device.brandName);
        parts.push_back("Model: " + device.productName);
        parts.push_back("Type: " + std::string(labelEN(device.category)));
        parts.push_back("Connection: " + device.connectionBadge());
        if (device.vendorID > 0 || device.productID > 0) {
            parts.push_back(fmt::format("VID:PID: 0x{:04X} : 0x{:04X}", static_cast<std::uint32_t>(device.vendorID),
                static_cast<std::uint32_t>(device.productID)));
        } else {
            parts.emplace_back("VID:PID: Built-in");
        }
        if (device.physicalButtonCount) {
            parts.push_back(fmt::format("Buttons: {}", *device.physicalButtonCount));
        }
        if (device.nominalPollingRateHz) {
            parts.push_back(fmt::format("Nominal Rate: {} Hz", *device.nominalPollingRateHz));
        }
        if (device.batteryPercent) {
            parts.push_back(fmt::format("Battery: {}%", *device.batteryPercent));
        }
        if (device.firmwareVersion) {
            parts.push_back("Firmware: " + *device.firmwareVersion);
        }
        if (device.serialNumber && !device.serialNumber->empty()) {
            parts.push_back("Serial: " + *device.serialNumber);
        }
        report += "\n- ";
        for (std::size_t index = 0; index < parts.size(); ++index) {
            report += (index == 0 ? "" : " | ") + parts[index];
        }
    }
    return report;
}

} // namespace tarn::input
