#include "TarnKit/Foundation/Json/StrictJson.h"

#include <limits>

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

TEST(StrictJson, WholeNumbersMayCarryAFractionOfZero)
{
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("87")), 87);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("87.0")), 87);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("-0.0")), 0);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("1e3")), 1000);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("87.5")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("2147483647")), INT32_MAX);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("2147483648")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("2147483648.0")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("-2147483648.0")), INT32_MIN);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("-2147483649")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::int64_t>(parsed("9223372036854775807")), INT64_MAX);
    EXPECT_EQ(StrictJson::wholeNumber<std::int64_t>(parsed("9223372036854775808")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::int64_t>(parsed("9.223372036854775807e18")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::int64_t>(parsed("-9.223372036854775808e18")), INT64_MIN);
    EXPECT_EQ(StrictJson::wholeNumber<std::int64_t>(parsed("1e300")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::uint16_t>(parsed("65535.0")), 65535);
    EXPECT_EQ(StrictJson::wholeNumber<std::uint16_t>(parsed("65536.0")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::uint16_t>(parsed("-1.0")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("true")), std::nullopt);
    EXPECT_EQ(StrictJson::wholeNumber<std::int32_t>(parsed("\"3\"")), std::nullopt);
}

TEST(StrictJson, Float32TakesNumbersAFloatCanHold)
{
    EXPECT_EQ(StrictJson::float32(parsed("0.1")), 0.1f);
    EXPECT_EQ(StrictJson::float32(parsed("-3")), -3.0f);
    EXPECT_EQ(StrictJson::float32(parsed("3.4028234663852886e38")), std::numeric_limits<float>::max());
    // What a float writer prints for its largest value is a little above it, and still that value.
    EXPECT_EQ(StrictJson::float32(parsed("3.4028235e38")), std::numeric_limits<float>::max());
    EXPECT_EQ(StrictJson::float32(parsed("-3.4028235e38")), -std::numeric_limits<float>::max());
    EXPECT_EQ(StrictJson::float32(parsed("3.4028235677973362e38")), std::numeric_limits<float>::max());
    EXPECT_EQ(StrictJson::float32(parsed("3.4028235677973366e38")), std::nullopt);
    EXPECT_EQ(StrictJson::float32(parsed("1e39")), std::nullopt);
    EXPECT_EQ(StrictJson::float32(parsed("1e-50")), 0.0f);
    EXPECT_EQ(StrictJson::float32(parsed("\"1\"")), std::nullopt);
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

std::string repeated(std::string_view piece, std::size_t count)
{
    std::string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

std::string nested(int depth, std::string_view open, std::string_view close)
{
    return repeated(open, static_cast<std::size_t>(depth)) + repeated(close, static_cast<std::size_t>(depth));
}

// A file of brackets costs the parser far more memory than its size; documents past the bounds
// are refused before anything is built, with a reason the caller can show.
TEST(StrictJson, DocumentsPastTheBoundsAreRefusedWithAReason)
{
    constexpr int kDepth = StrictJson::kMaxDepth;
    constexpr std::size_t kValues = StrictJson::kMaxValues;
    const struct {
        std::string text;
        std::optional<std::string> reasonPart; // absent: accepted
    } cases[] {
        {nested(kDepth, "[", "]"), std::nullopt},
        {nested(kDepth + 1, "[", "]"), "deeper than 32 levels"},
        {nested(kDepth + 1, "{\"a\":", "}").replace((kDepth + 1) * 5, 0, "1"), "deeper than 32 levels"},
        {nested(100000, "[", "]"), "deeper than 32 levels"},
        // Brackets inside strings, escaped quotes included, are text.
        {"[\"" + repeated("[{", 1000) + "\\\"" + repeated("[", 1000) + "\"]", std::nullopt},
        // The opening bracket and every comma start a value.
        {"[" + repeated("0,", kValues - 2) + "0]", std::nullopt},
        {"[" + repeated("0,", kValues - 1) + "0]", "more than 1048576 values"},
        {"{\"a\":", "not valid JSON"},
    };
    for (const auto& [text, reasonPart] : cases) {
        const auto result = StrictJson::parseWithReason(text);
        EXPECT_EQ(StrictJson::parse(text).has_value(), !reasonPart) << text.substr(0, 40);
        EXPECT_EQ(StrictJson::parseOrdered(text).has_value(), !reasonPart) << text.substr(0, 40);
        if (reasonPart) {
            ASSERT_FALSE(result) << text.substr(0, 40);
            EXPECT_NE(result.error().find(*reasonPart), std::string::npos) << result.error();
        } else {
            EXPECT_TRUE(result) << text.substr(0, 40);
        }
    }
}

} // namespace
} // namespace tarn
