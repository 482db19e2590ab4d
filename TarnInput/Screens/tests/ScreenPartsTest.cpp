#include "TarnInput/Screens/Widgets/ScreenParts.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

bool isDigits(const QString& text)
{
    const QString body = text.startsWith('-') ? text.mid(1) : text;
    return !body.isEmpty() && std::all_of(body.begin(), body.end(), [](QChar c) { return c.isDigit(); });
}

TEST(ScreenParts, WholeNumberTextsRoundHalvesAwayFromZeroOrDropTheFraction)
{
    const std::vector<std::tuple<double, QString, QString>> rows {{0.5, "1", "0"}, {-0.5, "-1", "0"},
        {12.5, "13", "12"}, {24.9, "25", "24"}, {-24.9, "-25", "-24"}, {999.49, "999", "999"},
        {1234567.0, "1234567", "1234567"}};
    for (const auto& [value, rounded, truncated] : rows) {
        EXPECT_EQ(roundedText(value), rounded) << value;
        EXPECT_EQ(truncatedText(value), truncated) << value;
    }
}

TEST(ScreenParts, ValuesBeyondAnIntegerStillGiveTheirDigits)
{
    for (const double huge : {1e300, -1e300, 9.3e18, std::numeric_limits<double>::max()}) {
        const auto rounded = roundedText(huge);
        EXPECT_TRUE(isDigits(rounded)) << rounded.toStdString();
        EXPECT_EQ(rounded, truncatedText(huge));
        EXPECT_GE(rounded.size(), 19);
    }
    EXPECT_EQ(roundedText(1e300).size(), 301);
    EXPECT_FALSE(roundedText(std::nan("")).isEmpty());
    EXPECT_FALSE(roundedText(std::numeric_limits<double>::infinity()).isEmpty());
}

} // namespace
} // namespace tarn::input
