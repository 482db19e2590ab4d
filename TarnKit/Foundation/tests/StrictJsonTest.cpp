#include "TarnKit/Foundation/StrictJson.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

nlohmann::json parsed(std::string_view text)
{
    return StrictJson::parse(text).value();
}

TEST(StrictJson, IntegerAcceptsOnlyIntegersInRange)
{
    EXPECT_EQ(StrictJson::integer<int>(parsed("42")), 42);
    EXPECT_EQ(StrictJson::integer<int>(parsed("-7")), -7);
    EXPECT_EQ(StrictJson::integer<std::uint16_t>(parsed("65535")), 65535);
    EXPECT_EQ(StrictJson::integer<std::uint16_t>(parsed("65536")), std::nullopt);
    EXPECT_EQ(StrictJson::integer<std::uint16_t>(parsed("-1")), std::nullopt);
    EXPECT_EQ(StrictJson::integer<int>(parsed("1.0")), std::nullopt);
    EXPECT_EQ(StrictJson::integer<int>(parsed("true")), std::nullopt);
    EXPECT_EQ(StrictJson::integer<int>(parsed("\"3\"")), std::nullopt);
    EXPECT_EQ(StrictJson::integer<std::int64_t>(parsed("9223372036854775807")), INT64_MAX);
    EXPECT_EQ(StrictJson::integer<std::int64_t>(parsed("9223372036854775808")), std::nullopt);
    EXPECT_EQ(StrictJson::integer<std::int64_t>(parsed("1e30")), std::nullopt);
}

TEST(StrictJson, OtherTypesAreNotConverted)
{
    EXPECT_EQ(StrictJson::number(parsed("2")), 2.0);
    EXPECT_EQ(StrictJson::number(parsed("2.5")), 2.5);
    EXPECT_EQ(StrictJson::number(parsed("\"2.5\"")), std::nullopt);
    EXPECT_EQ(StrictJson::boolean(parsed("true")), true);
    EXPECT_EQ(StrictJson::boolean(parsed("1")), std::nullopt);
    EXPECT_EQ(StrictJson::string(parsed("\"a\"")), "a");
    EXPECT_EQ(StrictJson::string(parsed("null")), std::nullopt);
}

TEST(StrictJson, ParseAndDumpNeverThrow)
{
    EXPECT_EQ(StrictJson::parse("{\"a\":"), std::nullopt);
    EXPECT_EQ(StrictJson::parse("NaN"), std::nullopt);
    EXPECT_EQ(StrictJson::parse(""), std::nullopt);
    EXPECT_EQ(StrictJson::dump(nlohmann::json(std::string("bad \xff byte"))), "\"bad \xEF\xBF\xBD byte\"");
    EXPECT_EQ(StrictJson::dump(nlohmann::json(std::nan(""))), "null");
}

} // namespace
} // namespace tarn
