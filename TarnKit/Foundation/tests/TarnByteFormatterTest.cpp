#include "TarnKit/Foundation/Text/TarnByteFormatter.h"

#include <cmath>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(TarnByteFormatter, ByteCountsAtTheBoundaries)
{
    const std::pair<std::int64_t, const char*> cases[]
        = {{-5, "0 B"}, {0, "0 B"}, {999, "999 B"}, {1'000, "1.0 KB"}, {999'999, "1000.0 KB"}, {1'536'000, "1.5 MB"},
            {2'500'000'000, "2.50 GB"}, {3'000'000'000'000, "3.00 TB"}, {INT64_MAX, "9223372.04 TB"}};
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(TarnByteFormatter::format(bytes), text) << bytes;
    }
}

TEST(TarnByteFormatter, Rates)
{
    const std::pair<double, const char*> cases[] = {{-1, "0 B/s"}, {std::nan(""), "0 B/s"}, {999.4, "999 B/s"},
        {999.5, "1000 B/s"}, {1'000, "1.0 KB/s"}, {2.5e9, "2.50 GB/s"}, {1e13, "10000.00 GB/s"}};
    for (const auto& [rate, text] : cases) {
        EXPECT_EQ(TarnByteFormatter::formatRate(rate), text) << rate;
    }
}

TEST(TarnByteFormatter, Durations)
{
    const std::pair<double, const char*> cases[] = {{59.5, "01:00"}, {3599.4, "59:59"}, {3600, "1:00:00"},
        {-7, "00:00"}, {97'389, "27:03:09"}, {std::nan(""), "00:00"}};
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(TarnByteFormatter::formatDuration(seconds), text) << seconds;
    }
}

TEST(TarnByteFormatter, SavingsAndCsvFields)
{
    EXPECT_DOUBLE_EQ(TarnByteFormatter::savingsPercent(200, 50), 75);
    EXPECT_DOUBLE_EQ(TarnByteFormatter::savingsPercent(0, 50), 0);
    EXPECT_DOUBLE_EQ(TarnByteFormatter::savingsPercent(100, 150), -50);
    EXPECT_DOUBLE_EQ(TarnByteFormatter::savingsPercent(100, 0), 100);

    EXPECT_EQ(TarnByteFormatter::csvSafeField("=SUM(A1)"), "\"'=SUM(A1)\"");
    EXPECT_EQ(TarnByteFormatter::csvSafeField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(TarnByteFormatter::csvSafeField("Mouse"), "\"Mouse\"");
    EXPECT_EQ(TarnByteFormatter::csvSafeField(""), "\"\"");
    EXPECT_EQ(TarnByteFormatter::csvSafeField("\tx"), "\"'\tx\"");
    EXPECT_EQ(TarnByteFormatter::csvSafeField("=\u0301x"), "\"'=\u0301x\"");
}

} // namespace
} // namespace tarn
