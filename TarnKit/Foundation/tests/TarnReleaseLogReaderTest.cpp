#include "TarnKit/Foundation/Identity/TarnReleaseLogReader.h"

#include <fstream>

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Json/StrictJson.h"
#include "tests/TemporaryFolder.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

class ReleaseLogFile {
public:
    const fs::path& write(std::string_view contents)
    {
        std::ofstream stream(m_path, std::ios::binary | std::ios::trunc);
        stream << contents;
        return m_path;
    }

private:
    TemporaryFolder m_folder;
    fs::path m_path = m_folder.path() / "release-log.jsonl";
};

std::vector<std::string> summaries(const std::vector<TarnReleaseLogRecord>& records)
{
    std::vector<std::string> result;
    for (const auto& record : records) {
        result.push_back(record.summary);
    }
    return result;
}

TEST(TarnReleaseLogReaderTest, NewestFirstSkippingBrokenLines)
{
    ReleaseLogFile file;
    const auto& path = file.write(R"({"app":"TarnInput","summary":"first"})"
                                  "\n{\"app\":\"TarnInput\",\"summ\n"
                                  R"({"app":"TarnInput","summary":"second","toBuild":"7"})"
                                  "\n\n"
                                  R"({"app":"TarnInput","summary":"second","toBuild":7})"
                                  "\n"
                                  R"({"app":"TarnInput","summary":"third"})");
    EXPECT_EQ(summaries(TarnReleaseLogReader::load(path, "TarnInput")),
        (std::vector<std::string> {"third", "second", "first"}));
}

TEST(TarnReleaseLogReaderTest, MissingKeysTakeTheirDefaults)
{
    ReleaseLogFile file;
    const auto records = TarnReleaseLogReader::load(file.write("{\"app\":\"TarnInput\"}\n"), std::nullopt);
    ASSERT_EQ(records.size(), 1u);
    TarnReleaseLogRecord expected;
    expected.app = "TarnInput";
    EXPECT_EQ(records[0], expected);
    EXPECT_EQ(records[0].fromVersion, "0.0.0");
    EXPECT_EQ(records[0].toVersion, "1.0.0");
    EXPECT_EQ(records[0].fromBuild, 0);
    EXPECT_EQ(records[0].toBuild, 100);
    EXPECT_EQ(records[0].bumpKind, "patch");
    EXPECT_EQ(records[0].section, "Changed");
    EXPECT_EQ(records[0].id(), "-TarnInput-1.0.0-100");
}

TEST(TarnReleaseLogReaderTest, BuildNumbersBeyondThirtyTwoBitsAreRead)
{
    ReleaseLogFile file;
    const auto records = TarnReleaseLogReader::load(
        file.write(R"({"app":"TarnInput","fromBuild":2147483648,"toBuild":9223372036854775807})"), std::nullopt);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fromBuild, 2147483648);
    EXPECT_EQ(records[0].toBuild, 9223372036854775807);
    EXPECT_EQ(records[0].id(), "-TarnInput-1.0.0-9223372036854775807");
}

TEST(TarnReleaseLogReaderTest, FiltersByApplicationIgnoringCaseOnly)
{
    ReleaseLogFile file;
    const auto& path = file.write(R"({"app":"tarninput","summary":"lower"})"
                                  "\n"
                                  R"({"app":"TARNINPUT","summary":"upper"})"
                                  "\n"
                                  R"({"app":"TarnInput ","summary":"spaced"})"
                                  "\n"
                                  R"({"app":"OtherApp","summary":"other"})"
                                  "\n");
    EXPECT_EQ(summaries(TarnReleaseLogReader::load(path, "TarnInput")), (std::vector<std::string> {"upper", "lower"}));
    EXPECT_EQ(summaries(TarnReleaseLogReader::load(path, std::nullopt)),
        (std::vector<std::string> {"other", "spaced", "upper", "lower"}));
}

TEST(TarnReleaseLogReaderTest, UnreadableFilesGiveNothing)
{
    ReleaseLogFile file;
    EXPECT_TRUE(TarnReleaseLogReader::load(file.write(""), std::nullopt).empty());
    EXPECT_TRUE(TarnReleaseLogReader::load(file.write("{\"app\":\"a\"}\n{\"app\":\"b\xFF\"}\n"), std::nullopt).empty());
    TemporaryFolder empty;
    EXPECT_TRUE(TarnReleaseLogReader::load(empty.path() / "missing.jsonl", std::nullopt).empty());
    EXPECT_TRUE(TarnReleaseLogReader::loadBundled("TarnInput", empty.path()).empty());
}

TEST(TarnReleaseLogReaderTest, AValueOfTheWrongTypeFailsTheLineAndNullIsMissing)
{
    const char* refused[] = {
        R"({"timestamp":5})",
        R"({"fromBuild":"3"})",
        R"({"toBuild":1.5})",
        R"({"toBuild":true})",
        R"({"details":"one"})",
        R"({"details":["one",2]})",
        R"({"summary_i18n":{"en":1}})",
        R"({"summary_i18n":["en"]})",
        R"({"details_i18n":{"en":"text"}})",
        R"(["app"])",
    };
    for (const char* line : refused) {
        const auto json = StrictJson::parse(line);
        ASSERT_TRUE(json.has_value()) << line;
        EXPECT_FALSE(TarnReleaseLogRecord::fromJson(*json).has_value()) << line;
    }
    const auto json = StrictJson::parse(R"({"summary":null,"toBuild":null,"unknown":[1],"section":"Fixed"})");
    const auto record = TarnReleaseLogRecord::fromJson(*json);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->summary, "");
    EXPECT_EQ(record->toBuild, 100);
    EXPECT_EQ(record->section, "Fixed");
}

TEST(TarnReleaseLogReaderTest, LocalizedTextsFallBackThroughParentAndEnglish)
{
    TarnReleaseLogRecord record;
    record.summary = "plain";
    record.details = {"plain detail"};
    record.summaryI18n = {{"tr", "Türkçe"}, {"en", "English"}, {"pt-BR", "Brasil"}, {"de", ""}};
    record.detailsI18n = {{"tr", {"ayrıntı"}}, {"zh-Hans", {"简体"}}, {"fr", {}}};

    struct Case {
        const char* language;
        const char* summary;
        std::vector<std::string> details;
    };
    const Case cases[] = {
        {"tr", "Türkçe", {"ayrıntı"}}, {"de", "English", {"plain detail"}}, // empty German text is passed over
        {"pt-PT", "Brasil", {"plain detail"}}, {"zh-Hant", "English", {"简体"}},
        {"fr", "English", {"plain detail"}}, // empty French list is passed over
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(record.localizedSummary(testCase.language), testCase.summary) << testCase.language;
        EXPECT_EQ(record.localizedDetails(testCase.language), testCase.details) << testCase.language;
    }

    // No fall-back from the parent to the child, and plain text without English.
    TarnReleaseLogRecord childOnly;
    childOnly.summary = "plain";
    childOnly.summaryI18n = {{"pt-PT", "Portugal"}};
    EXPECT_EQ(childOnly.localizedSummary("pt-BR"), "plain");
    EXPECT_EQ(childOnly.localizedSummary("de"), "plain");
}

TEST(TarnReleaseLogReaderTest, ShortDateAndIdentity)
{
    TarnReleaseLogRecord record;
    record.timestamp = "2026-12-10T12:00:00Z";
    record.app = "TarnInput";
    record.toBuild = 101;
    EXPECT_EQ(record.shortDate(), "2026-12-10");
    EXPECT_EQ(record.id(), "2026-12-10T12:00:00Z-TarnInput-1.0.0-101");
    record.timestamp = "2026-12";
    EXPECT_EQ(record.shortDate(), "2026-12");
}

TEST(TarnReleaseLogReaderTest, EncodesAllKeysInTheFixedOrder)
{
    TarnReleaseLogRecord record;
    record.app = "TarnInput";
    record.summaryI18n = {{"tr", "b"}, {"en", "a"}};
    EXPECT_EQ(StrictJson::dump(record.toJson()),
        R"({"timestamp":"","app":"TarnInput","fromVersion":"0.0.0","toVersion":"1.0.0","fromBuild":0,)"
        R"("toBuild":100,"bumpKind":"patch","section":"Changed","summary":"","details":[],"gitCommit":"",)"
        R"("summary_i18n":{"en":"a","tr":"b"},"details_i18n":{}})");
    const auto decoded = TarnReleaseLogRecord::fromJson(nlohmann::json::parse(record.toJson().dump()));
    EXPECT_EQ(decoded, record);
}

TEST(TarnReleaseLogReaderTest, TheShippedReleaseLogDecodesWhole)
{
    const fs::path resources = fs::path(TARN_SOURCE_ROOT) / "resources";
    std::ifstream stream(resources / TarnReleaseLogReader::kResourceName);
    std::size_t lines = 0;
    for (std::string line; std::getline(stream, line);) {
        lines += line.empty() ? 0 : 1;
    }
    const auto records = TarnReleaseLogReader::loadBundled("TarnInput", resources);
    ASSERT_GE(records.size(), 1u);
    EXPECT_EQ(records.size(), lines);
    EXPECT_EQ(records.back().toVersion, "1.0.0");
    EXPECT_FALSE(records.back().localizedSummary("tr").empty());
    EXPECT_FALSE(records.back().localizedDetails("en").empty());
}

} // namespace
} // namespace tarn
