#include "TarnKit/UI/Chrome/TarnUnifiedTitlebar.h"

#include <cmath>

#include <gtest/gtest.h>

#include "TarnKit/UI/tests/FakeWindowChrome.h"

namespace tarn {
namespace {

using Metrics = TarnUnifiedTitlebarMetrics;
using Steps = std::vector<std::string>;

TEST(TarnUnifiedTitlebar, CalculationTable)
{
    struct Case {
        std::string name;
        double maxX, centerY, bottomY;
        bool fullScreen;
        Metrics expected;
    };
    const double nan = std::nan("");
    const std::vector<Case> cases {
        {"no buttons", 0, 0, 0, false, {93, 26, 23, 37, false}},
        {"NaN measurements", nan, nan, nan, false, {93, 26, 23, 37, false}},
        {"negative measurements", -4, -1, -2, false, {93, 26, 23, 37, false}},
        {"buttons ending at 68.5", 68.5, 26, 32, false, {83, 26, 32, 46, false}},
        {"fractional bottom", 66, 26.5, 32.2, false, {80, 26.5, 32.2, 47, false}},
        {"full screen ignores buttons", 68.5, 26, 32, true, {16, 26, 0, 16, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Metrics::calculate(c.maxX, c.centerY, c.bottomY, c.fullScreen, 16, 14, 14), c.expected) << c.name;
    }
    EXPECT_EQ(Metrics {}, (Metrics {93, 26, 33, 37, false})) << "outside any titlebar window";
}

TEST(TarnUnifiedTitlebar, MeasuresVisibleButtonsOnly)
{
    FakeWindowChrome window;
    EXPECT_EQ(TarnUnifiedTitlebar::measure(window, 16, 14), (Metrics {93, 26, 23, 37, false}));

    window.setButton(WindowButton::close, WindowRect {14, 20, 12, 12});
    window.setButton(WindowButton::minimize, WindowRect {34, 20, 12, 12});
    window.setButton(WindowButton::zoom, WindowRect {54, 21, 14.5, 12});
    EXPECT_EQ(TarnUnifiedTitlebar::measure(window, 16, 14), (Metrics {83, 27, 33, 47, false}));

    // A zero-sized zoom button is skipped: the minimise button is the last one measured.
    window.setButton(WindowButton::zoom, WindowRect {54, 21, 0, 12});
    EXPECT_EQ(TarnUnifiedTitlebar::measure(window, 16, 14), (Metrics {60, 26, 32, 46, false}));

    window.setFullScreen(true);
    EXPECT_EQ(TarnUnifiedTitlebar::measure(window, 16, 14), (Metrics {16, 26, 0, 16, true}));
}

TEST(TarnUnifiedTitlebar, ConfigurationSteps)
{
    const std::string ours(TarnUnifiedTitlebar::kToolbarIdentifier);
    const Steps base {"hideTitle", "makeTitlebarTransparent", "removeTitlebarSeparator"};
    const auto with = [&](Steps head, Steps tail) {
        head.insert(head.end(), base.begin(), base.end());
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };

    FakeWindowChrome window;
    TarnUnifiedTitlebar::configure(window, TarnUnifiedTitlebarMode::unifiedHeader);
    EXPECT_EQ(window.steps(), with({"addFullSizeContent"}, {"installToolbar " + ours, "setUnifiedToolbarStyle"}));
    window.clearSteps();
    TarnUnifiedTitlebar::configure(window, TarnUnifiedTitlebarMode::unifiedHeader);
    EXPECT_EQ(window.steps(), with({}, {"setUnifiedToolbarStyle"})) << "configured twice: still one header bar";
    window.clearSteps();
    TarnUnifiedTitlebar::configure(window, TarnUnifiedTitlebarMode::fullHeightSidebar);
    EXPECT_EQ(window.steps(), with({}, {"removeToolbar"}));
    EXPECT_EQ(window.toolbarIdentifier(), std::nullopt);

    FakeWindowChrome other;
    other.setToolbar("org.example.toolbar");
    TarnUnifiedTitlebar::configure(other, TarnUnifiedTitlebarMode::fullHeightSidebar);
    EXPECT_EQ(other.steps(), with({"addFullSizeContent"}, {})) << "another toolbar stays";
    other.clearSteps();
    TarnUnifiedTitlebar::configure(other, TarnUnifiedTitlebarMode::unifiedHeader);
    EXPECT_EQ(other.steps(), with({}, {"installToolbar " + ours, "setUnifiedToolbarStyle"}));
}

TEST(TarnUnifiedTitlebar, DoubleClickTable)
{
    const std::vector<std::pair<std::optional<std::string>, Steps>> cases {
        {"Minimize", {"minimize"}},
        {"None", {}},
        {std::nullopt, {"zoom"}},
        {"Maximize", {"zoom"}},
        {"minimize", {"zoom"}},
        {"", {"zoom"}},
    };
    for (const auto& [preference, steps] : cases) {
        FakeWindowChrome window;
        TarnUnifiedTitlebar::performDoubleClick(window, preference);
        EXPECT_EQ(window.steps(), steps) << preference.value_or("(unset)");
    }
}

TEST(TarnUnifiedTitlebar, EqualMetricsAreNeverReportedTwiceInARow)
{
    std::vector<Metrics> reported;
    TarnTitlebarMetricsReporter reporter([&](const Metrics& m) { reported.push_back(m); });
    const Metrics a {80, 26, 32, 46, false};
    const Metrics b {16, 26, 0, 16, true};
    for (const Metrics& m : {a, a, b, b, a}) {
        reporter.report(m);
    }
    EXPECT_EQ(reported, (std::vector<Metrics> {a, b, a}));
}

} // namespace
} // namespace tarn
