#include "Platform/Linux/DesktopEntrySyntax.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(DesktopEntrySyntax, EscapesWhatWouldBreakTheLineAndReadsItBack)
{
    struct Case {
        std::string_view text;
        std::string_view written;
    };
    const Case cases[] {
        {"TarnInput", "TarnInput"},
        {" leading space", "\\sleading space"},
        {"two\nlines", "two\\nlines"},
        {"tab\tand\rreturn", "tab\\tand\\rreturn"},
        {"back\\slash", "back\\\\slash"},
        {"Name=x\nExec=rm -rf ~", "Name=x\\nExec=rm -rf ~"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(DesktopEntrySyntax::escaped(testCase.text), testCase.written) << testCase.text;
        EXPECT_EQ(DesktopEntrySyntax::unescaped(testCase.written), testCase.text) << testCase.written;
    }
}

TEST(DesktopEntrySyntax, ReadsUnknownAndTrailingEscapesLiterally)
{
    EXPECT_EQ(DesktopEntrySyntax::unescaped("a\\qb"), "aqb");
    EXPECT_EQ(DesktopEntrySyntax::unescaped("ends\\"), "ends\\");
    EXPECT_EQ(DesktopEntrySyntax::unescaped("inner\\sspace"), "inner space");
}

} // namespace
} // namespace tarn
