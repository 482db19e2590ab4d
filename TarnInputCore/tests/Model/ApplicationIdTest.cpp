#include "TarnInputCore/Model/Profiles/ApplicationId.h"

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn::input {
namespace {

// The ASCII path must give exactly what the ICU path gives, on either side of a comparison.
TEST(ApplicationIdTest, AsciiPathAgreesWithUnicodeText)
{
    for (int byte = 0; byte < 0x80; ++byte) {
        const std::string text
            = std::string(1, static_cast<char>(byte)) + "Ab" + std::string(1, static_cast<char>(byte));
        const std::string lowered = UnicodeText::lowercased(text);
        const std::string trimmedLowered = UnicodeText::lowercased(UnicodeText::trimmed(text));
        const ApplicationId id(text);
        EXPECT_EQ(id.lowercased(), lowered) << byte;
        EXPECT_EQ(id.trimmedLowercased(), trimmedLowered) << byte;
        EXPECT_TRUE(ApplicationId(lowered).isNamedBy(text)) << byte;
        EXPECT_TRUE(ApplicationId(trimmedLowered).isNamedByTrimmedEntry(text)) << byte;
        EXPECT_TRUE(ApplicationId(trimmedLowered).isNamedByTrimmed(text)) << byte;
    }
}

TEST(ApplicationIdTest, OtherTextGoesThroughUnicodeRules)
{
    EXPECT_EQ(ApplicationId("İSTANBUL.App").lowercased(), UnicodeText::lowercased("İSTANBUL.App"));
    EXPECT_EQ(ApplicationId("\u00A0Çay.APP\u2028").trimmedLowercased(), "çay.app");
    EXPECT_TRUE(ApplicationId("çay.app").isNamedByTrimmedEntry("\u3000ÇAY.app "));
    EXPECT_FALSE(ApplicationId("çay.app").isNamedBy(" çay.app"));
    EXPECT_FALSE(ApplicationId("com.ab").isNamedBy("com.a"));
}

// Rules trim nothing, exclusion entries trim only themselves, profiles trim both sides.
TEST(ApplicationIdTest, EachKindOfStoredEntryTrimsWhatItAlwaysDid)
{
    const ApplicationId padded(" Com.Example.App\n");
    EXPECT_TRUE(padded.isNamedBy(" COM.example.app\n"));
    EXPECT_FALSE(padded.isNamedBy("com.example.app"));
    EXPECT_FALSE(padded.isNamedByTrimmedEntry("com.example.app"));
    EXPECT_TRUE(padded.isNamedByTrimmed("\tcom.example.APP "));

    const ApplicationId bare("com.example.App");
    EXPECT_TRUE(bare.isNamedByTrimmedEntry("  COM.EXAMPLE.APP \n"));
    EXPECT_FALSE(bare.isNamedBy(" com.example.app"));
}

// The engine tells applications apart by what the workspace reported, so a window whose
// identifier differs only in case or padding still counts as a switch (and is shown as reported).
TEST(ApplicationIdTest, KeepsAndComparesTheReportedText)
{
    const ApplicationId padded(" Com.Example.App\n");
    EXPECT_EQ(padded.text(), " Com.Example.App\n");
    EXPECT_EQ(padded, ApplicationId(" Com.Example.App\n"));
    EXPECT_NE(padded, ApplicationId("com.example.app"));
    EXPECT_EQ(padded, " Com.Example.App\n");
    EXPECT_NE(padded, "Com.Example.App");
}

} // namespace
} // namespace tarn::input
