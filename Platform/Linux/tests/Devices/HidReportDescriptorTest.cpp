#include "Platform/Linux/Devices/HidReportDescriptor.h"

#include <initializer_list>

#include <gtest/gtest.h>

namespace tarn {
namespace {

HidReportDescriptor parse(std::initializer_list<std::uint8_t> bytes)
{
    const std::vector<std::uint8_t> data(bytes);
    return HidReportDescriptor::parse(data);
}

using Usages = std::vector<std::int64_t>;

TEST(HidReportDescriptor, MouseWithButtonRange)
{
    const auto mouse = parse({0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01, 0x29,
        0x05, 0x15, 0x00, 0x25, 0x01, 0x95, 0x05, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x03, 0x81, 0x01, 0x05,
        0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0});
    EXPECT_TRUE(mouse.isPointingDevice());
    EXPECT_EQ(mouse.buttonUsages(), (Usages {1, 2, 3, 4, 5}));
}

TEST(HidReportDescriptor, OnlyTopLevelApplicationCollectionsDecide)
{
    // Keyboard.
    EXPECT_FALSE(parse({0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x81, 0x02, 0xC0})
                     .isPointingDevice());
    // Pointer as a physical collection inside a vendor application collection.
    EXPECT_FALSE(parse({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x05, 0x01, 0x09, 0x01, 0xA1, 0x01, 0xC0, 0xC0})
                     .isPointingDevice());
    // Mouse usage on a physical, not application, collection.
    EXPECT_FALSE(parse({0x05, 0x01, 0x09, 0x02, 0xA1, 0x00, 0xC0}).isPointingDevice());
    // Pointer.
    EXPECT_TRUE(parse({0x05, 0x01, 0x09, 0x01, 0xA1, 0x01, 0xC0}).isPointingDevice());
    // A precision touchpad without a mouse collection, and its one button.
    const auto touchpad
        = parse({0x05, 0x0D, 0x09, 0x05, 0xA1, 0x01, 0x05, 0x09, 0x09, 0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0xC0});
    EXPECT_TRUE(touchpad.isPointingDevice());
    EXPECT_EQ(touchpad.buttonUsages(), (Usages {1}));
    // A 4-byte usage carries its own page: generic desktop mouse while the page says button.
    EXPECT_TRUE(parse({0x05, 0x09, 0x0B, 0x02, 0x00, 0x01, 0x00, 0xA1, 0x01, 0xC0}).isPointingDevice());
    // A second mouse after a keyboard still counts.
    EXPECT_TRUE(parse({0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0xC0, 0x09, 0x02, 0xA1, 0x01, 0xC0}).isPointingDevice());
}

TEST(HidReportDescriptor, ButtonUsagesOfEveryMainItemWithTheirPage)
{
    // Button usages on input, feature and output items; consumer usages are not buttons; push and
    // pop restore the page; a local block is spent by its main item.
    const auto device = parse({
        0x05,
        0x01,
        0x09,
        0x02,
        0xA1,
        0x01, // mouse application
        0x05,
        0x09,
        0x09,
        0x03,
        0x09,
        0x03,
        0x81,
        0x02, // button 3 twice, input
        0xA4,
        0x05,
        0x0C,
        0x09,
        0xE9,
        0x81,
        0x02,
        0xB4, // push, consumer volume up, pop
        0x09,
        0x28,
        0xB1,
        0x02, // button 40, feature
        0x81,
        0x01, // padding: no usages left
        0x0B,
        0x07,
        0x00,
        0x09,
        0x00,
        0x91,
        0x02, // extended button 7, output
        0xC0,
    });
    EXPECT_EQ(device.buttonUsages(), (Usages {3, 3, 40, 7}));
}

TEST(HidReportDescriptor, MalformedInputIsReadAsFarAsItGoes)
{
    EXPECT_FALSE(parse({}).isPointingDevice());
    // Truncated in the middle of a two-byte item: what came before still counts.
    const auto truncated = parse({0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x05, 0x09, 0x09, 0x01, 0x81, 0x02, 0x26, 0xFF});
    EXPECT_TRUE(truncated.isPointingDevice());
    EXPECT_EQ(truncated.buttonUsages(), (Usages {1}));
    // A long item is skipped by its declared length.
    EXPECT_TRUE(parse({0xFE, 0x02, 0x10, 0xAA, 0xBB, 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0}).isPointingDevice());
    // An end collection too many, and a pop without a push, do no harm.
    EXPECT_TRUE(parse({0xC0, 0xB4, 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0, 0xC0}).isPointingDevice());
    // A huge usage range is capped rather than expanded in full.
    const auto huge = parse({0x05, 0x09, 0x19, 0x01, 0x2A, 0xFF, 0xFF, 0x81, 0x02});
    EXPECT_LE(huge.buttonUsages().size(), 1024u);
    EXPECT_EQ(huge.buttonUsages().front(), 1);
    // A range whose maximum lies below its minimum is empty.
    EXPECT_TRUE(parse({0x05, 0x09, 0x19, 0x05, 0x29, 0x01, 0x81, 0x02}).buttonUsages().empty());

    // Random junk never crashes.
    std::vector<std::uint8_t> junk(4096);
    std::uint32_t state = 12345;
    for (auto& byte : junk) {
        state = state * 1103515245 + 12345;
        byte = static_cast<std::uint8_t>(state >> 16);
    }
    (void)HidReportDescriptor::parse(junk);
}

} // namespace
} // namespace tarn
