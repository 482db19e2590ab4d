#include "TarnKit/Suite/Views/Presentation/TarnSuiteQuickActionsPresentation.h"

#include <gtest/gtest.h>

#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/Suite/Views/tests/SuiteViewTesting.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {
namespace {

using Kind = TarnSuiteCommandKind;
using App = TarnSuiteApp;

std::vector<Kind> kinds(const std::optional<TarnSuiteQuickActionsPresentation>& shown)
{
    std::vector<Kind> result;
    for (const auto& chip : shown->chips) {
        result.push_back(chip.kind);
    }
    return result;
}

TarnReaperLiveStatus reaper(std::int64_t problematic)
{
    return TarnReaperLiveStatus(WallTime {}, 42, 300, 1, problematic, {}, 0, {}, std::nullopt, 0, 0);
}

class QuickActions : public ::testing::Test {
protected:
    FakeAppEnvironment m_environment;
};

TEST_F(QuickActions, ChipsByHostInstalledSiblingsAndLayout)
{
    struct Case {
        App current;
        std::vector<App> installed;
        bool compact;
        std::vector<Kind> expected;
    };
    const std::vector<Case> cases {
        {App::tarnMemory, {App::tarnMemory, App::tarnReaper, App::tarnSensors}, false,
            {Kind::reaperAllFrozen, Kind::reaperOpenCrosshair, Kind::reaperToggleQuickHUD, Kind::reaperOpenAnalytics24h,
                Kind::sensorsToggleHUD, Kind::sensorsOpenThermalsPower}},
        {App::tarnMemory, {App::tarnReaper, App::tarnSensors}, true,
            {Kind::reaperAllFrozen, Kind::reaperOpenCrosshair, Kind::reaperToggleQuickHUD, Kind::sensorsToggleHUD}},
        {App::tarnInput, {App::tarnMemory, App::tarnReaper, App::tarnSensors}, false,
            {Kind::memorySmartOffload, Kind::memoryOpenDiskLab, Kind::reaperAllFrozen, Kind::reaperOpenCrosshair,
                Kind::reaperToggleQuickHUD, Kind::reaperOpenAnalytics24h, Kind::sensorsToggleHUD,
                Kind::sensorsOpenThermalsPower}},
        {App::tarnInput, {App::tarnMemory}, true, {Kind::memorySmartOffload}},
    };
    for (const Case& c : cases) {
        FakeAppEnvironment environment;
        testing::installSiblings(environment, c.installed);
        const auto shown = TarnSuiteQuickActionsPresentation::present(
            c.current, nullptr, nullptr, TarnLanguage::en, c.compact, environment);
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(kinds(shown), c.expected);
        EXPECT_EQ(shown->sectionLabel, c.compact ? "" : "Suite Actions");
    }
}

TEST_F(QuickActions, AbsentWhenOnlyTheHostItselfIsInstalled)
{
    testing::installSiblings(m_environment, {App::tarnSensors});
    EXPECT_FALSE(TarnSuiteQuickActionsPresentation::present(
        App::tarnSensors, nullptr, nullptr, TarnLanguage::en, false, m_environment));
    EXPECT_FALSE(TarnSuiteQuickActionsPresentation::present(
        App::tarnInput, nullptr, nullptr, TarnLanguage::en, false, FakeAppEnvironment()));
}

TEST_F(QuickActions, ThawChipByFrozenCount)
{
    testing::installSiblings(m_environment, {App::tarnMemory});
    TarnVirtualMemorySummary summary = testing::idleSummary();
    auto shown = TarnSuiteQuickActionsPresentation::present(
        App::tarnInput, &summary, nullptr, TarnLanguage::en, false, m_environment);
    EXPECT_EQ(shown->chips.size(), 2U);
    summary.frozenAppCount = 3;
    shown = TarnSuiteQuickActionsPresentation::present(
        App::tarnInput, &summary, nullptr, TarnLanguage::en, false, m_environment);
    ASSERT_EQ(shown->chips.size(), 3U);
    EXPECT_EQ(shown->chips[1].title, "Thaw Apps (3)");
    EXPECT_EQ(shown->chips[1].tint, TarnGlassTokens::warning());
    EXPECT_FALSE(shown->chips[1].emphasized);
    shown = TarnSuiteQuickActionsPresentation::present(
        App::tarnInput, &summary, nullptr, TarnLanguage::tr, false, m_environment);
    EXPECT_EQ(shown->chips[1].title, "Donukları Uyandır (3)");
    EXPECT_EQ(shown->sectionLabel, "Suite Hızlı İşlemler");
}

TEST_F(QuickActions, KillChipTitleAndEmphasisByProblematicCount)
{
    testing::installSiblings(m_environment, {App::tarnReaper});
    struct Case {
        std::optional<std::int64_t> count;
        TarnLanguage language;
        std::string title;
        bool emphasized;
    };
    const std::vector<Case> cases {{2, TarnLanguage::en, "Kill Frozen (2)", true},
        {2, TarnLanguage::tr, "Donmuşları Öldür (2)", true}, {0, TarnLanguage::en, "Kill Frozen", false},
        {-1, TarnLanguage::en, "Kill Frozen", false}, {std::nullopt, TarnLanguage::tr, "Donmuşları Öldür", false}};
    for (const Case& c : cases) {
        const std::optional<TarnReaperLiveStatus> status = c.count ? std::optional(reaper(*c.count)) : std::nullopt;
        const auto shown = TarnSuiteQuickActionsPresentation::present(
            App::tarnInput, nullptr, status ? &*status : nullptr, c.language, false, m_environment);
        const auto& chip = shown->chips.front();
        EXPECT_EQ(chip.title, c.title);
        EXPECT_EQ(chip.emphasized, c.emphasized);
        EXPECT_EQ(chip.tint, TarnGlassTokens::danger());
    }
}

TEST_F(QuickActions, TextsColoursAndSymbolsOfTheStudioBar)
{
    testing::installSiblings(m_environment, {App::tarnMemory, App::tarnReaper, App::tarnSensors});
    const auto shown = TarnSuiteQuickActionsPresentation::present(
        App::tarnInput, nullptr, nullptr, TarnLanguage::tr, false, m_environment);
    const std::vector<std::string> titles {"Akıllı RAM Aç", "Sanal Disk Lab", "Donmuşları Öldür", "Pencere Hedefle",
        "Hızlı Öldür HUD", "24s Analiz", "Sensors HUD", "Sıcaklık & Fan"};
    const std::vector<std::string> symbols {"bolt.fill", "externaldrive.badge.timemachine", "xmark.octagon.fill",
        "scope", "bolt.circle.fill", "chart.bar.xaxis", "rectangle.inset.topright.filled", "thermometer.medium"};
    const std::vector<QColor> tints {suiteviews::violet(), suiteviews::violet(), TarnGlassTokens::danger(),
        suiteviews::reaperRed(), suiteviews::reaperRed(), suiteviews::reaperRed(), suiteviews::cyan(),
        suiteviews::cyan()};
    ASSERT_EQ(shown->chips.size(), titles.size());
    for (std::size_t i = 0; i < titles.size(); ++i) {
        EXPECT_EQ(shown->chips[i].title, titles[i]);
        EXPECT_EQ(shown->chips[i].symbol, symbols[i]);
        EXPECT_EQ(shown->chips[i].tint, tints[i]);
    }
    EXPECT_EQ(shown->chips[7].helpText, "TarnSensors canlı sıcaklık sensörleri, fan RPM ve güç ekranını aç");
}

TEST_F(QuickActions, TriggerSendsFromTheHostAndReportsInItsLanguage)
{
    testing::installSiblings(m_environment, {App::tarnMemory, App::tarnReaper, App::tarnSensors});
    const auto shown = TarnSuiteQuickActionsPresentation::present(
        App::tarnInput, nullptr, nullptr, TarnLanguage::en, false, m_environment);
    testing::RecordingSend send;
    const std::vector<bool> bringsToFront {false, true, false, false, false, true, false, true};
    for (std::size_t i = 0; i < shown->chips.size(); ++i) {
        const std::string text = TarnSuiteQuickActionsPresentation::trigger(
            shown->chips[i], App::tarnInput, TarnLanguage::en, send.function());
        EXPECT_EQ(text, shown->chips[i].feedback);
        const auto& sent = send.sent.back();
        EXPECT_EQ(sent.kind, shown->chips[i].kind);
        EXPECT_EQ(sent.from, App::tarnInput);
        EXPECT_EQ(sent.to, shown->chips[i].target);
        EXPECT_TRUE(sent.options.launchIfNeeded);
        EXPECT_EQ(sent.options.bringToFront, bringsToFront[i]) << i;
        EXPECT_FALSE(sent.options.targetPID || sent.options.targetName || sent.options.payload);
    }
    EXPECT_EQ(shown->chips[1].feedback, "Opening TarnMemory Virtual Disk Lab");
    send.succeeds = false;
    EXPECT_EQ(
        TarnSuiteQuickActionsPresentation::trigger(shown->chips[2], App::tarnInput, TarnLanguage::en, send.function()),
        "TarnReaper is not installed");
    EXPECT_EQ(
        TarnSuiteQuickActionsPresentation::trigger(shown->chips[6], App::tarnInput, TarnLanguage::tr, send.function()),
        "TarnSensors kurulu değil");
}

} // namespace
} // namespace tarn
