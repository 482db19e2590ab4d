#include "TarnInputCore/Devices/HIDDeviceInventoryService.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>

#include <fmt/format.h>
#include <unicode/ucol.h>

#include "TarnInputCore/Devices/USBVendorRegistry.h"
#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {
namespace {

constexpr const char* kFallbackProductName = "HID Pointing Device";
constexpr const char* kFallbackTransport = "USB / Wireless";
constexpr std::int64_t kShortestReportInterval = 125; // 8000 Hz
constexpr std::int64_t kLongestReportInterval = 50000; // 20 Hz
constexpr std::int64_t kHighestButtonUsage = 32;

using BatteryMap = std::map<std::string, std::int64_t, std::less<>>;

// Every battery level under each key that names its device; later services win for equal keys.
BatteryMap batteryPercentages(const std::vector<HIDBatteryProperties>& batteries)
{
    BatteryMap map;
    for (const auto& battery : batteries) {
        if (!battery.batteryPercent || *battery.batteryPercent < 0 || *battery.batteryPercent > 100) {
            continue;
        }
        const std::int64_t percent = *battery.batteryPercent;
        if (battery.serialNumber && !battery.serialNumber->empty()) {
            map["serial:" + UnicodeText::lowercased(*battery.serialNumber)] = percent;
        }
        if (battery.product && !battery.product->empty()) {
            map["product:" + UnicodeText::lowercased(*battery.product)] = percent;
        }
        if (battery.vendorID && battery.productID && *battery.vendorID > 0 && *battery.productID > 0) {
            map[fmt::format("vidpid:{}:{}", *battery.vendorID, *battery.productID)] = percent;
        }
    }
    return map;
}

std::optional<std::int64_t> lookupBattery(const BatteryMap& map, const std::optional<std::string>& serial,
    const std::string& productName, std::int64_t vendorID, std::int64_t productID)
{
    auto find = [&](const std::string& key) -> std::optional<std::int64_t> {
        const auto found = map.find(key);
        return found == map.end() ? std::nullopt : std::optional<std::int64_t>(found->second);
    };
    if (serial && !serial->empty()) {
        if (auto percent = find("serial:" + UnicodeText::lowercased(*serial))) {
            return percent;
        }
    }
    if (auto percent = find("product:" + UnicodeText::lowercased(productName))) {
        return percent;
    }
    if (vendorID > 0 && productID > 0) {
        return find(fmt::format("vidpid:{}:{}", vendorID, productID));
    }
    return std::nullopt;
}

// Distinct button-page usages from 1 to 32: a report may repeat a usage, and high usages are
// vendor buttons that no hand presses.
std::optional<std::int64_t> countPhysicalButtons(const std::optional<std::vector<std::int64_t>>& usages)
{
    if (!usages) {
        return std::nullopt;
    }
    std::set<std::int64_t> distinct;
    for (const auto usage : *usages) {
        if (usage >= 1 && usage <= kHighestButtonUsage) {
            distinct.insert(usage);
        }
    }
    if (distinct.empty()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(distinct.size());
}

std::optional<std::int64_t> nominalPollingRate(const std::optional<std::int64_t>& intervalMicroseconds)
{
    if (!intervalMicroseconds || *intervalMicroseconds < kShortestReportInterval
        || *intervalMicroseconds > kLongestReportInterval) {
        return std::nullopt;
    }
    // 1e6 / interval rounded half away from zero, in integers so that 1000 gives exactly 1000.
    const std::int64_t interval = *intervalMicroseconds;
    return (2 * 1000000 + interval) / (2 * interval);
}

std::optional<std::string> firmwareText(const std::optional<std::int64_t>& version)
{
    if (!version || *version <= 0) {
        return std::nullopt;
    }
    const std::int64_t value = *version;
    return fmt::format("{}.{:02} (0x{:04X})", (value >> 8) & 0xFF, value & 0xFF, value);
}

bool isBuiltInDevice(
    const HIDDeviceProperties& properties, const std::string& lowerProductName, const std::string& transport)
{
    if (properties.builtIn.value_or(false)) {
        return true;
    }
    return lowerProductName.find("apple internal") != std::string::npos || transport == "FIFO";
}

struct ListedDevice {
    ConnectedPointerDevice device;
    std::string devicePath;
};

// Case-insensitive, locale-aware order of brand names (root collation at secondary strength,
// so "razer" and "Razer" compare equal and accented letters sort beside their base letters).
class BrandCollator {
public:
    BrandCollator()
    {
        UErrorCode status = U_ZERO_ERROR;
        m_collator.reset(ucol_open("", &status));
        if (U_FAILURE(status)) {
            m_collator.reset();
            return;
        }
        ucol_setStrength(m_collator.get(), UCOL_SECONDARY);
    }

    int compare(const std::string& left, const std::string& right) const
    {
        if (!m_collator) {
            const std::string a = UnicodeText::lowercased(left);
            const std::string b = UnicodeText::lowercased(right);
            return a < b ? -1 : (b < a ? 1 : 0);
        }
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult result = ucol_strcollUTF8(m_collator.get(), left.data(),
            static_cast<int32_t>(left.size()), right.data(), static_cast<int32_t>(right.size()), &status);
        if (U_FAILURE(status)) {
            return 0;
        }
        return result == UCOL_LESS ? -1 : (result == UCOL_GREATER ? 1 : 0);
    }

private:
    struct Closer {
        void operator()(UCollator* collator) const { ucol_close(collator); }
    };
    std::unique_ptr<UCollator, Closer> m_collator;
};

} // namespace

std::vector<ConnectedPointerDevice> HIDDeviceInventoryService::discoverPointerDevices(PointerDeviceSource& source)
{
    const BatteryMap batteries = batteryPercentages(source.hidBatteries());
    const auto listed = source.pointerDevices();
    if (!listed) {
        return {};
    }

    std::vector<ListedDevice> devices;
    std::unordered_set<std::string> seenKeys;
    for (const auto& properties : *listed) {
        const std::string productName
            = properties.product ? UnicodeText::trimmed(*properties.product) : std::string(kFallbackProductName);
        const std::string manufacturer = properties.manufacturer ? UnicodeText::trimmed(*properties.manufacturer) : "";
        const std::int64_t vendorID = properties.vendorID.value_or(0);
        const std::int64_t productID = properties.productID.value_or(0);
        const std::string transport = properties.transport.value_or(kFallbackTransport);
        const std::optional<std::string> serial = properties.serialNumber
            ? std::optional<std::string>(UnicodeText::trimmed(*properties.serialNumber))
            : std::nullopt;
        const std::string lowerProductName = UnicodeText::lowercased(productName);

        // Receivers and multi-interface mice list the same device more than once.
        std::string identityKey
            = fmt::format("{}-{}-{}-{}", vendorID, productID, lowerProductName, serial ? *serial : transport);
        if (!seenKeys.insert(identityKey).second) {
            continue;
        }

        const bool builtIn = isBuiltInDevice(properties, lowerProductName, transport);
        const auto buttonCount = countPhysicalButtons(properties.buttonUsages);
        std::string brand = USBVendorRegistry::resolveBrand(vendorID, manufacturer, productName);

        ConnectedPointerDevice device;
        device.id = std::move(identityKey);
        device.category = USBVendorRegistry::classifyCategory(brand, productName, builtIn, buttonCount);
        device.rawManufacturer = manufacturer.empty() ? brand : manufacturer;
        device.brandName = std::move(brand);
        device.productName = productName;
        device.vendorID = vendorID;
        device.productID = productID;
        device.transport = transport;
        device.isBuiltIn = builtIn;
        device.batteryPercent = lookupBattery(batteries, serial, productName, vendorID, productID);
        device.physicalButtonCount = buttonCount;
        device.nominalPollingRateHz = nominalPollingRate(properties.reportIntervalMicroseconds);
        device.firmwareVersion = firmwareText(properties.versionNumber);
        device.serialNumber = serial && !serial->empty() ? serial : std::nullopt;
        device.locationID = properties.locationID;
        devices.push_back({std::move(device), properties.devicePath});
    }

    // External devices first, then by brand; equal brands by where the device sits, so that every
    // scan of the same hardware lists it in the same order.
    const BrandCollator collator;
    std::stable_sort(devices.begin(), devices.end(), [&](const ListedDevice& left, const ListedDevice& right) {
        if (left.device.isBuiltIn != right.device.isBuiltIn) {
            return !left.device.isBuiltIn;
        }
        const int byBrand = collator.compare(left.device.brandName, right.device.brandName);
        if (byBrand != 0) {
            return byBrand < 0;
        }
        return left.devicePath < right.devicePath;
    });

    std::vector<ConnectedPointerDevice> result;
    result.reserve(devices.size());
    for (auto& listedDevice : devices) {
        result.push_back(std::move(listedDevice.device));
    }
    return result;
}

} // namespace tarn::input
