#include "TarnKit/Suite/Telemetry/TarnDockDropArea.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

using Area = TarnDockDropArea;

TarnScreenRect rect(double x, double y, double width, double height)
{
    return TarnScreenRect(x, y, width, height);
}

// As a dock status read from a file may hold it: the size as it stands, negative included.
TarnScreenRect decodedRect(double x, double y, double width, double height)
{
    return TarnScreenRect::fromJson({{"x", x}, {"y", y}, {"width", width}, {"height", height}}).value();
}

TEST(TarnDockDropAreaTest, RawValuesAreExactAndWhole)
{
    EXPECT_EQ(rawValue(Area::mini), "mini");
    EXPECT_EQ(rawValue(Area::studio), "studio");
    EXPECT_EQ(tarnDockDropAreaFromRawValue("mini"), Area::mini);
    EXPECT_EQ(tarnDockDropAreaFromRawValue("studio"), Area::studio);
    for (const char* other : {"none", "Mini", "studio ", "", "ministudio"}) {
        EXPECT_EQ(tarnDockDropAreaFromRawValue(other), std::nullopt) << other;
    }
}

TEST(TarnDockDropAreaTest, FirstTargetThatHitsWins)
{
    const auto mini = rect(0, 0, 100, 100);
    const auto studio = rect(100, 0, 200, 200);
    const struct {
        const char* what;
        TarnScreenRect dragged;
        std::optional<TarnScreenRect> mini;
        std::optional<TarnScreenRect> studio;
        std::optional<Area> expected;
    } cases[] = {
        {"centre inside mini", rect(40, 40, 20, 20), mini, studio, Area::mini},
        {"centre inside studio", rect(140, 40, 20, 20), mini, studio, Area::studio},
        {"both hit: mini first", rect(50, 0, 100, 100), mini, rect(0, 0, 300, 300), Area::mini},
        {"mini absent", rect(40, 40, 20, 20), std::nullopt, rect(0, 0, 300, 300), Area::studio},
        {"both absent", rect(40, 40, 20, 20), std::nullopt, std::nullopt, std::nullopt},
        {"dragged 1.0 wide", rect(40, 40, 1, 20), mini, studio, std::nullopt},
        {"dragged 1.0 tall", rect(40, 40, 20, 1), mini, studio, std::nullopt},
        {"dragged just over 1.0", rect(40, 40, 1.01, 1.01), mini, studio, Area::mini},
        {"mini 1.0 wide", rect(0, 40, 20, 20), rect(0, 0, 1, 100), studio, std::nullopt},
        {"centre on the minimum corner", rect(-10, -10, 20, 20), mini, std::nullopt, Area::mini},
        {"a quarter over mini", rect(50, 50, 100, 100), mini, std::nullopt, Area::mini},
        {"exactly 0.22 over mini", rect(78, 150, 100, 100), rect(0, 150, 100, 100), std::nullopt, Area::mini},
        {"a fifth over mini falls to studio", rect(80, 0, 100, 100), mini, studio, Area::studio},
        {"a fifth over mini alone", rect(80, 0, 100, 100), mini, std::nullopt, std::nullopt},
        {"edges touching", rect(100, 0, 50, 50), mini, std::nullopt, std::nullopt},
        {"far away", rect(1000, 1000, 50, 50), mini, studio, std::nullopt},
        {"negative size counts by its size", rect(40, 40, 20, 20), decodedRect(100, 100, -100, -100), std::nullopt,
            Area::mini},
        {"negative dragged size", decodedRect(60, 60, -20, -20), mini, std::nullopt, Area::mini},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(detectDockDropTarget(testCase.dragged, testCase.mini, testCase.studio), testCase.expected)
            << testCase.what;
    }
}

} // namespace
} // namespace tarn
