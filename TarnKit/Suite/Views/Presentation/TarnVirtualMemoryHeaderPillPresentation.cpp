#include "TarnKit/Suite/Views/Presentation/TarnVirtualMemoryHeaderPillPresentation.h"

#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {
namespace {

// Critical pressure wins over active expansion, which wins over a warning; letter case counts.
QColor tintFor(const TarnVirtualMemorySummary& summary)
{
    if (summary.pressureLevel == "critical") {
        return TarnGlassTokens::danger();
    }
    if (summary.isTarnMemoryVirtualExpansionActive()) {
        return suiteviews::violet();
    }
    if (summary.pressureLevel == "warning") {
        return TarnGlassTokens::warning();
    }
    return suiteviews::cyan();
}

} // namespace

TarnVirtualMemoryHeaderPillPresentation TarnVirtualMemoryHeaderPillPresentation::present(
    const TarnVirtualMemorySummary& summary, TarnLanguage language)
{
    TarnVirtualMemoryHeaderPillPresentation result;
    result.tint = tintFor(summary);
    result.symbol = summary.isTarnMemoryVirtualExpansionActive() ? "externaldrive.badge.timemachine" : "memorychip";
    const std::string base = tarnText("VM", "Sanal Bellek", language);
    const std::string badge = summary.compactBadgeText();
    result.title = badge.empty() ? base + " ON" : base + ": " + badge;
    result.tooltip = tarnText("Virtual Memory active — click to open TarnMemory",
        "Sanal Bellek aktif — TarnMemory ile yönetmek için tıklayın", language);
    return result;
}

} // namespace tarn
