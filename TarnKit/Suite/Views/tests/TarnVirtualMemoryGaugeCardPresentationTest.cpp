#include "TarnKit/Suite/Views/Presentation/TarnVirtualMemoryGaugeCardPresentation.h"

#include <gtest/gtest.h>

#include "TarnKit/Foundation/Text/TarnByteFormatter.h"
#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/Suite/Views/tests/SuiteViewTesting.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {
namespace {

using Card = TarnVirtualMemoryGaugeCardPresentation;
const QColor kAccent(0, 200, 100);

class GaugeCard : public ::testing::Test {
protected:
    Card show(const TarnVirtualMemorySummary& summary, TarnLanguage language = TarnLanguage::en) const
    {
        return Card::present(summary, language, kAccent, m_environment);
    }

    FakeAppEnvironment m_environment;
};

TEST_F(GaugeCard, IdleSummary)
{
    const TarnVirtualMemorySummary summary = testing::idleSummary();
    auto shown = show(summary);
    EXPECT_EQ(shown.statusBadge, "STANDBY");
    EXPECT_EQ(shown.statusColor, TarnGlassTokens::success());
    EXPECT_EQ(shown.virtualArea.valueText, "0 B (Standby)");
    EXPECT_EQ(Card::fillWidth(shown.virtualArea.fraction, 300), 0);
    EXPECT_FALSE(shown.effectiveBadge);
    EXPECT_FALSE(shown.liveBadge);
    EXPECT_TRUE(shown.buttons.empty()) << "no buttons while the memory application is not installed";
    EXPECT_EQ(shown.physical.valueText, "12.00 GB / 16.00 GB (75%)");
    EXPECT_EQ(shown.physical.tint, kAccent);
    shown = show(summary, TarnLanguage::tr);
    EXPECT_EQ(shown.statusBadge, "HAZIR");
    EXPECT_EQ(shown.virtualArea.valueText, "0 B (Boşta)");
    EXPECT_EQ(shown.title, "Sanal Bellek & TarnMemory Havuzları");
    EXPECT_EQ(shown.physical.title, "Fiziksel RAM");
}

TEST_F(GaugeCard, StatusColourOrder)
{
    struct Case {
        std::string pressure;
        std::int64_t pools;
        std::int64_t swapUsed;
        QColor expected;
        std::string badge;
    };
    const std::vector<Case> cases {
        {"critical", 0, 0, TarnGlassTokens::danger(), "STANDBY"},
        {"critical", 1, 1, TarnGlassTokens::danger(), "ACTIVE"},
        {"warning", 1, 1, suiteviews::violet(), "ACTIVE"},
        {"warning", 0, 1, suiteviews::cyan(), "ACTIVE"},
        {"warning", 0, 0, TarnGlassTokens::success(), "STANDBY"},
    };
    for (const Case& c : cases) {
        TarnVirtualMemorySummary summary = testing::idleSummary();
        summary.pressureLevel = c.pressure;
        summary.activeDiskPoolCount = c.pools;
        summary.swapTotalBytes = 4'000'000'000;
        summary.swapUsedBytes = c.swapUsed;
        const auto shown = show(summary);
        EXPECT_EQ(shown.statusColor, c.expected) << c.pressure;
        EXPECT_EQ(shown.virtualArea.tint, c.expected);
        EXPECT_EQ(shown.statusBadge, c.badge);
    }
}

TEST_F(GaugeCard, SwapInUseOnly)
{
    TarnVirtualMemorySummary summary = testing::idleSummary();
    summary.swapTotalBytes = 4'000'000'000;
    summary.swapUsedBytes = 1'000'000'000;
    summary.swapFileCount = 2;
    summary.swapEncrypted = true;
    const auto shown = show(summary);
    EXPECT_EQ(shown.statusBadge, "ACTIVE");
    EXPECT_EQ(shown.statusColor, suiteviews::cyan());
    const auto& swap = shown.pills[0];
    EXPECT_EQ(swap.label, "Swap (2)");
    EXPECT_EQ(swap.value, "1.00 GB / 4.00 GB");
    EXPECT_EQ(swap.detail, "25% • AES-XTS");
    EXPECT_EQ(swap.tint, suiteviews::cyan());
    EXPECT_EQ(
        shown.effectiveBadge, "Effective: " + TarnByteFormatter::format(summary.totalEffectiveMemoryCapacityBytes()));
}

TEST_F(GaugeCard, TheSwapLabelIsTheSameInEveryLanguage)
{
    TarnVirtualMemorySummary summary = testing::idleSummary();
    for (const TarnLanguage language : {TarnLanguage::en, TarnLanguage::tr, TarnLanguage::ar, TarnLanguage::de}) {
        summary.swapFileCount = 0;
        EXPECT_EQ(show(summary, language).pills[0].label, "Swap") << rawValue(language);
        summary.swapFileCount = 3;
        EXPECT_EQ(show(summary, language).pills[0].label, "Swap (3)") << rawValue(language);
    }
}

TEST_F(GaugeCard, SwapOfNoSizeHasNoDetail)
{
    const auto shown = show(testing::idleSummary());
    EXPECT_EQ(shown.pills[0].label, "Swap");
    EXPECT_FALSE(shown.pills[0].detail);
    EXPECT_EQ(shown.pills[0].tint, TarnGlassTokens::textSecondary());
    EXPECT_EQ(shown.pills[1].value, "Off");
    EXPECT_EQ(shown.pills[2].label, "Virtual Disk");
    EXPECT_EQ(show(testing::idleSummary(), TarnLanguage::tr).pills[2].label, "Sanal Disk");
    EXPECT_EQ(shown.pills[3].value, "0 frozen");
    EXPECT_EQ(shown.pills[3].tint, TarnGlassTokens::textMuted());
}

TEST_F(GaugeCard, PoolsSparseDisksAndRamDisk)
{
    TarnVirtualMemorySummary summary = testing::idleSummary();
    summary.activeDiskPoolCount = 1;
    summary.diskPoolActualDiskBytes = 1'000'000'000;
    summary.diskPoolVirtualBytes = 10'000'000'000;
    summary.diskPoolNames = {"pool-a", "pool-b"};
    summary.mountedSparseDiskCount = 1;
    summary.sparseDiskActualBytes = 500'000'000;
    summary.sparseDiskVirtualBytes = 5'000'000'000;
    summary.mountedRAMDiskCount = 1;
    summary.ramDiskTotalBytes = 2'000'000'000;
    summary.ramDiskNames = {"ramdisk"};
    summary.reclaimedFromFrozenBytes = 300'000'000;
    summary.frozenAppCount = 2;
    const auto shown = show(summary, TarnLanguage::tr);
    EXPECT_EQ(shown.pills[1].label, "Disk Bellek Havuzu");
    EXPECT_EQ(shown.pills[1].value, "1.00 GB / 10.00 GB");
    EXPECT_EQ(shown.pills[1].detail, "pool-a, pool-b");
    EXPECT_EQ(shown.pills[1].tint, suiteviews::violet());
    EXPECT_EQ(shown.pills[2].value, "500.0 MB / 5.00 GB");
    EXPECT_FALSE(shown.pills[2].detail);
    EXPECT_EQ(shown.pills[2].tint, suiteviews::green());
    EXPECT_EQ(shown.pills[3].label, "RAM-Disk / Donuk");
    EXPECT_EQ(shown.pills[3].value, "2.00 GB");
    EXPECT_EQ(shown.pills[3].detail, "↓ 300.0 MB");
    EXPECT_EQ(shown.pills[3].tint, TarnGlassTokens::warning());
}

TEST_F(GaugeCard, ButtonsOnlyWhenInstalledThawByCount)
{
    TarnVirtualMemorySummary summary = testing::idleSummary();
    summary.isTarnMemoryRunning = true;
    EXPECT_TRUE(show(summary).buttons.empty()) << "running from elsewhere is not installed";
    testing::installSiblings(m_environment, {TarnSuiteApp::tarnMemory});
    auto shown = show(summary);
    EXPECT_EQ(shown.liveBadge, "TarnMemory Live");
    ASSERT_EQ(shown.buttons.size(), 2U);
    EXPECT_EQ(shown.buttons[0].title, "Smart Offload");
    EXPECT_TRUE(shown.buttons[0].active);
    EXPECT_EQ(shown.buttons[1].title, "Disk Lab");
    summary.frozenAppCount = 3;
    shown = show(summary);
    ASSERT_EQ(shown.buttons.size(), 3U);
    EXPECT_EQ(shown.buttons[1].title, "Thaw (3)");
    EXPECT_EQ(show(summary, TarnLanguage::tr).buttons[1].title, "Uyandır (3)");
}

TEST_F(GaugeCard, TriggerSendsToMemoryAndReportsExceptDiskLab)
{
    testing::installSiblings(m_environment, {TarnSuiteApp::tarnMemory});
    TarnVirtualMemorySummary summary = testing::idleSummary();
    summary.frozenAppCount = 1;
    const auto shown = show(summary, TarnLanguage::tr);
    testing::RecordingSend send;
    const std::vector<std::optional<std::string>> reports {
        "TarnMemory Akıllı RAM Açma tetiklendi", "TarnMemory donukları uyandırma komutu gönderildi", std::nullopt};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Card::trigger(shown.buttons[i], TarnSuiteApp::tarnInput, send.function()), reports[i]);
        EXPECT_EQ(send.sent.back().to, TarnSuiteApp::tarnMemory);
        EXPECT_EQ(send.sent.back().from, TarnSuiteApp::tarnInput);
        EXPECT_TRUE(send.sent.back().options.launchIfNeeded);
        EXPECT_EQ(send.sent.back().options.bringToFront, i == 2);
    }
    send.succeeds = false;
    EXPECT_FALSE(Card::trigger(shown.buttons[0], TarnSuiteApp::tarnInput, send.function()));
}

TEST_F(GaugeCard, GaugeFill)
{
    const double nan = std::nan("");
    struct Case {
        double fraction;
        double width;
    };
    const std::vector<Case> cases {{0, 0}, {0.0001, 4}, {0.5, 100}, {1.5, 200}, {-1, 0}, {nan, 0}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(Card::fillWidth(c.fraction, 200), c.width) << c.fraction;
    }
}

} // namespace
} // namespace tarn
