#include "TarnKit/Foundation/Basics/Uuid.h"

#include <set>
#include <unordered_set>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(UuidTest, RandomIsVersionFourVariantOneAndDistinct)
{
    std::set<Uuid> seen;
    for (int i = 0; i < 200; ++i) {
        const Uuid uuid = Uuid::random();
        EXPECT_EQ(uuid.bytes[6] >> 4, 4);
        EXPECT_EQ(uuid.bytes[8] >> 6, 2);
        const std::string text = uuid.toString();
        EXPECT_EQ(text[14], '4');
        seen.insert(uuid);
    }
    EXPECT_EQ(seen.size(), 200u);
}

TEST(UuidTest, TextRoundTripsUpperCase)
{
    const auto parsed = Uuid::parse("0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->toString(), "0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D");
    EXPECT_EQ(parsed->bytes[0], 0x0A);
    EXPECT_EQ(parsed->bytes[15], 0x4D);
    EXPECT_EQ(Uuid::parse(parsed->toString()), parsed);
    const Uuid random = Uuid::random();
    EXPECT_EQ(Uuid::parse(random.toString()), random);
}

TEST(UuidTest, RejectsAnythingButTheCanonicalForm)
{
    for (const char* text : {
             "",
             "0A1B2C3D4E5F4A6B8C7D9E0F1A2B3C4D", // no hyphens
             "{0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D}", // braces
             "0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4", // short
             "0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D0", // long
             "0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4G", // not hex
             "0A1B2C3-D4E5F-4A6B-8C7D-9E0F1A2B3C4D", // hyphen moved
             " 0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4", // leading space
             "0A1B2C3D_4E5F_4A6B_8C7D_9E0F1A2B3C4D",
             "+A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D",
         }) {
        EXPECT_FALSE(Uuid::parse(text).has_value()) << text;
    }
}

TEST(UuidTest, OrdersAndHashesByBytes)
{
    const auto low = Uuid::parse("00000000-0000-0000-0000-000000000001");
    const auto high = Uuid::parse("00000000-0000-0000-0000-000000000002");
    ASSERT_TRUE(low && high);
    EXPECT_LT(*low, *high);
    EXPECT_NE(*low, *high);
    std::unordered_set<Uuid> set {*low, *high, *low};
    EXPECT_EQ(set.size(), 2u);
}

} // namespace
} // namespace tarn
