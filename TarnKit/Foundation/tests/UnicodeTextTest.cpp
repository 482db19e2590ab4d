#include "TarnKit/Foundation/Text/UnicodeText.h"

#include <clocale>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(UnicodeText, LowercasingIgnoresTheProcessLocale)
{
    std::setlocale(LC_ALL, "tr_TR.UTF-8");
    EXPECT_EQ(UnicodeText::lowercased("COM.EXAMPLE.IDE"), "com.example.ide");
    // Root-locale rules: the dotless ı appears only under Turkish rules, which must not apply here.
    EXPECT_EQ(UnicodeText::lowercased("ÇAĞRI"), "çağri");
    std::setlocale(LC_ALL, "C");
}

TEST(UnicodeText, TrimsUnicodeWhiteSpaceAndLineBreaks)
{
    EXPECT_EQ(UnicodeText::trimmed("\u00A0\t com.app \r\n\u2028"), "com.app");
    EXPECT_EQ(UnicodeText::trimmed("  a b  "), "a b");
    EXPECT_EQ(UnicodeText::trimmed(" \n "), "");
}

TEST(UnicodeText, CountsUserPerceivedCharacters)
{
    EXPECT_EQ(UnicodeText::graphemeCount(""), 0u);
    EXPECT_EQ(UnicodeText::graphemeCount("e\u0301"), 1u);
    EXPECT_EQ(UnicodeText::graphemeCount("🇹🇷👍🏽a"), 3u);
    EXPECT_EQ(UnicodeText::graphemePrefix("🇹🇷👍🏽a", 2), "🇹🇷👍🏽");
    EXPECT_EQ(UnicodeText::graphemePrefix("ab", 5), "ab");
}

TEST(UnicodeText, CharacterClasses)
{
    EXPECT_TRUE(UnicodeText::isLetter(U'ğ'));
    EXPECT_FALSE(UnicodeText::isLetter(U'7'));
    EXPECT_TRUE(UnicodeText::isDecimalDigit(U'٣'));
    EXPECT_TRUE(UnicodeText::isAlphanumeric(U'²'));
    EXPECT_FALSE(UnicodeText::isAlphanumeric(U'-'));
}

TEST(UnicodeText, CanonicallyEquivalentTextsAreOneText)
{
    EXPECT_TRUE(UnicodeText::canonicallyEquivalent("caf\u00E9", "cafe\u0301"));
    EXPECT_TRUE(UnicodeText::canonicallyEquivalent("\u1E69", "s\u0323\u0307")); // ṩ, marks reordered
    EXPECT_TRUE(UnicodeText::canonicallyEquivalent("s\u0307\u0323", "s\u0323\u0307"));
    EXPECT_TRUE(UnicodeText::canonicallyEquivalent("", ""));
    // Compatibility forms and letter case are different texts.
    EXPECT_FALSE(UnicodeText::canonicallyEquivalent("\uFB01", "fi"));
    EXPECT_FALSE(UnicodeText::canonicallyEquivalent("Cafe", "cafe"));
    EXPECT_FALSE(UnicodeText::canonicallyEquivalent("cafe", "cafe "));
}

TEST(UnicodeText, InvalidUtf8IsReplacedNotThrown)
{
    EXPECT_TRUE(UnicodeText::isValidUtf8("Mouse ✓"));
    EXPECT_FALSE(UnicodeText::isValidUtf8("Mouse \xC3"));
    EXPECT_EQ(UnicodeText::sanitizedUtf8("A\xFF"
                                         "B"),
        "A\uFFFDB");
    EXPECT_EQ(UnicodeText::lowercased("X\xFE"), "x\uFFFD");
}

} // namespace
} // namespace tarn
