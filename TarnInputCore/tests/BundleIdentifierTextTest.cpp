#include "TarnInputCore/Model/BundleIdentifierText.h"

#include <gtest/gtest.h>

#include "TarnKit/Foundation/UnicodeText.h"

namespace tarn::input {
namespace {

// The ASCII path must give exactly what the ICU path gives.
TEST(BundleIdentifierTextTest, AsciiPathAgreesWithUnicodeText)
{
    for (int byte = 0; byte < 0x80; ++byte) {
        const std::string text
            = std::string(1, static_cast<char>(byte)) + "Ab" + std::string(1, static_cast<char>(byte));
        const std::string lowered = UnicodeText::lowercased(text);
        const std::string trimmedLowered = UnicodeText::lowercased(UnicodeText::trimmed(text));
        EXPECT_EQ(BundleIdentifierText::lowercased(text), lowered) << byte;
        EXPECT_EQ(BundleIdentifierText::trimmedLowercased(text), trimmedLowered) << byte;
        EXPECT_TRUE(BundleIdentifierText::lowercasedEquals(text, lowered)) << byte;
        EXPECT_TRUE(BundleIdentifierText::trimmedLowercasedEquals(text, trimmedLowered)) << byte;
    }
}

TEST(BundleIdentifierTextTest, OtherTextGoesThroughUnicodeRules)
{
    EXPECT_EQ(BundleIdentifierText::lowercased("İSTANBUL.App"), UnicodeText::lowercased("İSTANBUL.App"));
    EXPECT_EQ(BundleIdentifierText::trimmedLowercased("\u00A0Çay.APP\u2028"), "çay.app");
    EXPECT_TRUE(BundleIdentifierText::trimmedLowercasedEquals("\u3000ÇAY.app ", "çay.app"));
    EXPECT_FALSE(BundleIdentifierText::lowercasedEquals(" çay.app", "çay.app"));
    EXPECT_FALSE(BundleIdentifierText::lowercasedEquals("com.a", "com.ab"));
}

} // namespace
} // namespace tarn::input
