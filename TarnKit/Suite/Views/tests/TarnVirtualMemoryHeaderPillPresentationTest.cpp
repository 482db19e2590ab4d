#include "TarnKit/Suite/Views/Presentation/TarnVirtualMemoryHeaderPillPresentation.h"

#include <gtest/gtest.h>

#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/Suite/Views/tests/SuiteViewTesting.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {
namespace {

TEST(TarnVirtualMemoryHeaderPillPresentation, TintByPressureAndExpansion)
{
    struct Case {
        std::string pressure;
        std::int64_t pools;
        std::int64_t ramDisks;
        QColor tint;
    };
    const std::vector<Case> cases {
        {"critical", 1, 0, TarnGlassTokens::danger()},
        {"warning", 0, 1, suiteviews::violet()},
        {"warning", 0, 0, TarnGlassTokens::warning()},
        {"Critical", 0, 0, suiteviews::cyan()},
        {"WARNING", 1, 0, suiteviews::violet()},
        {"normal", 0, 0, suiteviews::cyan()},
    };
    for (const Case& c : cases) {
        TarnVirtualMemorySummary summary = testing::idleSummary();
        summary.pressureLevel = c.pressure;
        summary.activeDiskPoolCount = c.pools;
        summary.mountedRAMDiskCount = c.ramDisks;
        summary.ramDiskTotalBytes = c.ramDisks * 2'000'000'000;
        EXPECT_EQ(TarnVirtualMemoryHeaderPillPresentation::present(summary, TarnLanguage::en).tint, c.tint)
            << c.pressure;
    }
}

TEST(TarnVirtualMemoryHeaderPillPresentation, TitleSymbolAndTooltip)
{
    TarnVirtualMemorySummary summary = testing::idleSummary();
    auto shown = TarnVirtualMemoryHeaderPillPresentation::present(summary, TarnLanguage::en);
    EXPECT_EQ(shown.title, "VM ON");
    EXPECT_EQ(shown.symbol, "memorychip");
    EXPECT_EQ(shown.tooltip, "Virtual Memory active — click to open TarnMemory");
    shown = TarnVirtualMemoryHeaderPillPresentation::present(summary, TarnLanguage::tr);
    EXPECT_EQ(shown.title, "Sanal Bellek ON");
    EXPECT_EQ(shown.tooltip, "Sanal Bellek aktif — TarnMemory ile yönetmek için tıklayın");

    summary.swapTotalBytes = 2'000'000'000;
    summary.swapUsedBytes = 1'000'000'000;
    shown = TarnVirtualMemoryHeaderPillPresentation::present(summary, TarnLanguage::en);
    EXPECT_EQ(shown.symbol, "memorychip") << "swap alone is no expansion";
    EXPECT_EQ(shown.title, "VM: " + summary.compactBadgeText());

    summary.mountedSparseDiskCount = 1;
    summary.sparseDiskVirtualBytes = 5'000'000'000;
    shown = TarnVirtualMemoryHeaderPillPresentation::present(summary, TarnLanguage::tr);
    EXPECT_EQ(shown.symbol, "externaldrive.badge.timemachine");
    EXPECT_EQ(shown.title, "Sanal Bellek: " + summary.compactBadgeText());
}

} // namespace
} // namespace tarn
