#include "tools/memorysummary/SummaryReport.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "TarnKit/Suite/Memory/VirtualMemorySummaryReader.h"

namespace tarn {
namespace {

TEST(SummaryReport, PrintsControlCharactersEscaped)
{
    const struct {
        std::string text;
        std::string printed;
    } cases[] = {
        {"normal", "normal"},
        {"Bellek baskısı yüksek ✓", "Bellek baskısı yüksek ✓"},
        {"\x1b[2J\x1b]0;title\x07", "\\x1b[2J\\x1b]0;title\\x07"},
        {"warning\r\nBadge             forged", "warning\\x0d\\x0aBadge             forged"},
        {"tab\there\x7f", "tab\\x09here\\x7f"},
        // C1 controls: U+009B is a one-character CSI to many terminals.
        {"\xc2\x9b"
         "31m\xc2\x85",
            "\\u009b31m\\u0085"},
        {std::string("nul\0byte", 8), "nul\\x00byte"},
        {"C:\\x1b", "C:\\\\x1b"},
        {"\xff\xfe", "\xef\xbf\xbd\xef\xbf\xbd"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(SummaryReport::printable(testCase.text), testCase.printed) << testCase.printed;
    }
}

// Texts merged from a memory application's status file once reached the terminal raw: escape
// sequences, carriage returns and line feeds, and a forged line was printed.
TEST(SummaryReport, TextsOfAMergedStatusCannotReachTheTerminalRaw)
{
    const std::string forged = "\r\x1b[2K\x1b[1A\nPressure          normal\n\x9b";
    const TarnMemoryLiveStatus status(WallTime {}, 4242, 32'000'000'000, 20'000'000'000, 0, 62.5, 0, 0, 0, false,
        "critical" + forged, 87, 1, 4'000'000'000, 1'000'000'000, {"Pool" + forged}, 1, 2'000'000'000, 1'000'000'000,
        {"Lab" + forged}, 1, 1'000'000'000, {"Scratch" + forged}, 0, {}, 0, std::nullopt);
    const auto text = SummaryReport::text(VirtualMemorySummaryReader::merged(KernelMemoryFigures {}, status));

    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14) << "one line per figure:\n" << text;
    EXPECT_TRUE(std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\n') || byte == 0x7F;
    })) << text;
    EXPECT_EQ(text.find("\xc2\x9b"), std::string::npos) << text;
    EXPECT_NE(text.find("Pressure          critical\\x0d\\x1b[2K"), std::string::npos) << text;
    EXPECT_NE(text.find("(Lab\\x0d"), std::string::npos) << text;
}

} // namespace
} // namespace tarn
