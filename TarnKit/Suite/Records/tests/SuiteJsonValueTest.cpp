#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "TarnKit/Suite/Records/tests/SuiteRecordTesting.h"

namespace tarn {
namespace {

using suite_testing::json;

template <typename T> std::optional<T> decoded(std::string_view text)
{
    return SuiteJsonValue<T>::decode(json(text));
}

template <typename T> std::string written(const T& value)
{
    return SuiteJsonValue<T>::encode(value).value().dump();
}

TEST(SuiteJsonValue, IntegersAreWholeNumbersThatFitTheirWidth)
{
    EXPECT_EQ(decoded<std::int32_t>("2147483647"), 2147483647);
    EXPECT_EQ(decoded<std::int32_t>("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(decoded<std::int32_t>("2147483648"), std::nullopt);
    EXPECT_EQ(decoded<std::int32_t>("87.0"), 87);
    EXPECT_EQ(decoded<std::int32_t>("87.5"), std::nullopt);
    EXPECT_EQ(decoded<std::int64_t>("2147483648"), 2147483648);
    EXPECT_EQ(decoded<std::int64_t>("87.5"), std::nullopt);
    EXPECT_EQ(decoded<std::int64_t>("true"), std::nullopt);
    EXPECT_EQ(decoded<std::int64_t>("\"12\""), std::nullopt);
    EXPECT_EQ(decoded<std::int64_t>("null"), std::nullopt);
    EXPECT_EQ(written<std::int64_t>(-5), "-5");
}

TEST(SuiteJsonValue, RealsAreFiniteAndNeverWrittenAsNull)
{
    EXPECT_EQ(decoded<double>("12"), 12.0);
    EXPECT_EQ(decoded<double>("1e308"), 1e308);
    EXPECT_EQ(decoded<double>("\"1\""), std::nullopt);
    EXPECT_EQ(written(0.35), "0.35");
    EXPECT_EQ(SuiteJsonValue<double>::encode(std::nan("")), std::nullopt);
    EXPECT_EQ(SuiteJsonValue<double>::encode(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(SuiteJsonValue<double>::encode(-std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(SuiteJsonValue, FloatsStayWithinTheirRangeAndAreWrittenShort)
{
    EXPECT_EQ(decoded<float>("3.0"), 3.0f);
    EXPECT_EQ(decoded<float>("1e39"), std::nullopt);
    EXPECT_EQ(written(0.1f), "0.1");
    EXPECT_EQ(written(std::numeric_limits<float>::max()), "3.4028235e+38");
    EXPECT_EQ(decoded<float>(written(std::numeric_limits<float>::max())), std::numeric_limits<float>::max());
    EXPECT_EQ(SuiteJsonValue<float>::encode(std::numeric_limits<float>::infinity()), std::nullopt);
    EXPECT_EQ(SuiteJsonValue<float>::encode(std::nanf("")), std::nullopt);
}

TEST(SuiteJsonValue, EqualityIsTheRecordsOwn)
{
    EXPECT_TRUE(SuiteJsonValue<double>::equal(0.0, -0.0));
    EXPECT_FALSE(SuiteJsonValue<double>::equal(std::nan(""), std::nan("")));
    EXPECT_TRUE(SuiteJsonValue<std::string>::equal("Caf\u00E9", "Cafe\u0301"));
    EXPECT_FALSE(SuiteJsonValue<std::string>::equal("Cafe", "Caf\u00E9"));

    using Names = std::vector<std::string>;
    EXPECT_TRUE(SuiteJsonValue<Names>::equal({"\u00C5", "b"}, {"A\u030A", "b"}));
    EXPECT_FALSE(SuiteJsonValue<Names>::equal({"a", "b"}, {"b", "a"}));
    EXPECT_FALSE(SuiteJsonValue<Names>::equal({"a"}, {"a", "a"}));

    using Maybe = std::optional<double>;
    EXPECT_TRUE(SuiteJsonValue<Maybe>::equal(std::nullopt, std::nullopt));
    EXPECT_FALSE(SuiteJsonValue<Maybe>::equal(std::nullopt, 0.0));
    EXPECT_FALSE(SuiteJsonValue<Maybe>::equal(std::nan(""), std::nan("")));
    EXPECT_TRUE(SuiteJsonValue<Maybe>::equal(-0.0, 0.0));
}

TEST(SuiteJsonValue, ListsFailAsAWholeOnOneBadElement)
{
    using PIDs = std::vector<std::int32_t>;
    EXPECT_EQ(decoded<PIDs>("[]"), PIDs {});
    EXPECT_EQ(decoded<PIDs>("[1, 2147483647]"), (PIDs {1, 2147483647}));
    EXPECT_EQ(decoded<PIDs>("[1, 2147483648]"), std::nullopt);
    EXPECT_EQ(decoded<PIDs>("[1, null]"), std::nullopt);
    EXPECT_EQ(decoded<PIDs>("{}"), std::nullopt);
    EXPECT_EQ(decoded<std::vector<std::string>>("[\"a\", 1]"), std::nullopt);
    EXPECT_EQ(SuiteJsonValue<std::vector<double>>::encode({1.0, std::nan("")}), std::nullopt);
}

TEST(SuiteJsonValue, DatesAndApplicationsTakeOnlyTheirOwnForms)
{
    EXPECT_EQ(decoded<WallTime>("\"2026-12-10T15:04:05Z\""), suite_testing::kStamp);
    EXPECT_EQ(decoded<WallTime>("\"2026-12-10T15:04:05.5Z\""), std::nullopt);
    EXPECT_EQ(decoded<WallTime>("1796915045"), std::nullopt);
    EXPECT_EQ(written(suite_testing::kStamp + std::chrono::milliseconds(999)), "\"2026-12-10T15:04:05Z\"");

    EXPECT_EQ(decoded<TarnSuiteApp>("\"TarnMemory\""), TarnSuiteApp::tarnMemory);
    EXPECT_EQ(decoded<TarnSuiteApp>("\"tarnMemory\""), std::nullopt);
    EXPECT_EQ(decoded<TarnSuiteApp>("1"), std::nullopt);
    EXPECT_EQ(written(TarnSuiteApp::tarnDock), "\"TarnDock\"");
}

} // namespace
} // namespace tarn
