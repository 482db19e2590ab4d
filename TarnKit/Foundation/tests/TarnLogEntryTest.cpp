#include "TarnKit/Foundation/Logging/TarnLogEntry.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TarnLogEntry sampleEntry()
{
    return TarnLogEntry {"0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D", "2026-12-09T07:20:08.123Z", TarnLogLevel::warn,
        "debounce", "Swallowed bounce on /dev/input/event3", "1.0.0", "100"};
}

TEST(TarnLogEntryTest, JsonLineHasSortedKeysAndEscapedSlashes)
{
    EXPECT_EQ(sampleEntry().jsonLine(),
        R"({"build":"100","category":"debounce","id":"0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D",)"
        R"("level":"warn","message":"Swallowed bounce on \/dev\/input\/event3",)"
        R"("timestamp":"2026-12-09T07:20:08.123Z","version":"1.0.0"})");
}

TEST(TarnLogEntryTest, EscapesControlCharactersAndKeepsUnicode)
{
    auto entry = sampleEntry();
    entry.message = std::string("a\"b\\c\nd\re\tf\bg\fh\x01i\x1Fj\x7F ü 🖱");
    const auto line = entry.jsonLine();
    EXPECT_NE(line.find(R"("message":"a\"b\\c\nd\re\tf\bg\fh\u0001i\u001fj)"
                        "\x7F ü 🖱\""),
        std::string::npos)
        << line;
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(TarnLogEntry::fromJsonLine(line), entry);
}

TEST(TarnLogEntryTest, InvalidUtf8IsWrittenAsReplacementCharacters)
{
    auto entry = sampleEntry();
    entry.category = "dev\xC3";
    entry.message = "Logitech \xFF\xFEMouse";
    const auto line = entry.jsonLine();
    const auto decoded = TarnLogEntry::fromJsonLine(line);
    ASSERT_TRUE(decoded.has_value()) << line;
    EXPECT_EQ(decoded->category, "dev\xEF\xBF\xBD");
    EXPECT_EQ(decoded->message, "Logitech \xEF\xBF\xBD\xEF\xBF\xBDMouse");
}

TEST(TarnLogEntryTest, RoundTripsAndIgnoresUnknownKeys)
{
    const auto entry = sampleEntry();
    EXPECT_EQ(TarnLogEntry::fromJsonLine(entry.jsonLine()), entry);
    // Key order and spacing do not matter when reading; extra keys are ignored.
    const auto decoded = TarnLogEntry::fromJsonLine(
        R"({ "version":"2.0.0", "timestamp":"t", "message":"m/n", "level":"debug", "id":"x",)"
        R"( "category":"c", "build":"7", "extra": 42 })");
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->message, "m/n");
    EXPECT_EQ(decoded->level, TarnLogLevel::debug);
    EXPECT_EQ(decoded->build, "7");
}

TEST(TarnLogEntryTest, RejectsLinesMissingAKeyOrOfTheWrongShape)
{
    const char* lines[] = {
        R"({"category":"c","id":"x","level":"info","message":"m","timestamp":"t","version":"v"})",
        R"({"build":"b","category":"c","id":"x","level":"info","message":"m","timestamp":"t"})",
        R"({"build":1,"category":"c","id":"x","level":"info","message":"m","timestamp":"t","version":"v"})",
        R"({"build":"b","category":"c","id":"x","level":"INFO","message":"m","timestamp":"t","version":"v"})",
        R"({"build":"b","category":"c","id":"x","level":"notice","message":"m","timestamp":"t","version":"v"})",
        R"({"build":"b","category":null,"id":"x","level":"info","message":"m","timestamp":"t","version":"v"})",
        R"({"build":"b","category":"c","id":"x","level":"info","message":"m","timestamp":"t","vers)",
        R"(["build"])",
        "not json",
        "",
    };
    for (const char* line : lines) {
        EXPECT_FALSE(TarnLogEntry::fromJsonLine(line).has_value()) << line;
    }
}

TEST(TarnLogEntryTest, PlainTextLineUsesTheUpperCaseLabel)
{
    auto entry = sampleEntry();
    entry.level = TarnLogLevel::info;
    entry.message = "two\nlines";
    EXPECT_EQ(entry.plainTextLine(), "[2026-12-09T07:20:08.123Z] [INFO] [v1.0.0#100] [debounce] two\nlines");
}

} // namespace
} // namespace tarn
