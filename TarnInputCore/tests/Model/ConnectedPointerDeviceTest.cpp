#include "TarnInputCore/Model/Pointer/ConnectedPointerDevice.h"

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

ConnectedPointerDevice deviceWith(std::string transport, bool builtIn)
{
    ConnectedPointerDevice device;
    device.transport = std::move(transport);
    device.isBuiltIn = builtIn;
    return device;
}

TEST(ConnectedPointerDevice, ConnectionBadgeFollowsTheTransport)
{
    struct Row {
        const char* transport;
        bool builtIn;
        const char* badge;
    };
    const Row rows[] = {
        {"Bluetooth Low Energy", false, "Bluetooth LE"},
        {"Bluetooth", false, "Bluetooth"},
        {"BLUETOOTH", false, "Bluetooth"},
        {"USB", false, "USB / 2.4GHz"},
        {"SPI", false, "SPI"},
        {"SPI", true, "Built-in (SPI)"},
        // Built in wins over every transport word, and the transport keeps its own case.
        {"Bluetooth", true, "Built-in (Bluetooth)"},
        {"", false, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.transport);
        EXPECT_EQ(deviceWith(row.transport, row.builtIn).connectionBadge(), row.badge);
    }
}

TEST(ConnectedPointerDevice, VendorProductHexIsBuiltInOnlyWhenNeitherIdentifierIsSet)
{
    struct Row {
        std::int64_t vendor;
        std::int64_t product;
        const char* text;
    };
    const Row rows[] = {
        {1133, 49271, "0x046D : 0xC077"},
        {0, 0, "Built-in"},
        {0, 5, "0x0000 : 0x0005"},
        {0x12345, 1, "0x12345 : 0x0001"},
    };
    for (const auto& row : rows) {
        ConnectedPointerDevice device;
        device.vendorID = row.vendor;
        device.productID = row.product;
        EXPECT_EQ(device.vendorProductHex(), row.text);
    }
}

} // namespace
} // namespace tarn::input
