#include "TarnKit/Suite/Views/Presentation/TarnVirtualMemoryGaugeCardPresentation.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "TarnKit/Foundation/Text/TarnByteFormatter.h"
#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {
namespace {

std::string bytes(std::int64_t count)
{
    return TarnByteFormatter::format(count);
}

std::string usage(std::int64_t used, std::int64_t total)
{
    return bytes(used) + " / " + bytes(total);
}

std::optional<std::string> joinedNames(const std::vector<std::string>& names)
{
    if (names.empty()) {
        return std::nullopt;
    }
    return fmt::format("{}", fmt::join(names, ", "));
}

bool expansionActive(const TarnVirtualMemorySummary& summary)
{
    return summary.activeDiskPoolCount >= 1 || summary.mountedSparseDiskCount >= 1 || summary.mountedRAMDiskCount >= 1;
}

QColor statusColorFor(const TarnVirtualMemorySummary& summary)
{
    if (summary.pressureLevel == "critical") {
        return TarnGlassTokens::danger();
    }
    if (expansionActive(summary)) {
        return suiteviews::violet();
    }
    if (summary.swapUsedBytes >= 1) {
        return suiteviews::cyan();
    }
    return TarnGlassTokens::success();
}

std::vector<TarnVirtualMemoryCardButton> buttonsFor(const TarnVirtualMemorySummary& summary, TarnLanguage language)
{
    std::vector<TarnVirtualMemoryCardButton> buttons;
    buttons.push_back({tarnText("Smart Offload", "Akıllı RAM Aç", language), "bolt.fill", true,
        TarnSuiteCommandKind::memorySmartOffload, false,
        tarnText("Triggered TarnMemory Smart RAM Offload", "TarnMemory Akıllı RAM Açma tetiklendi", language)});
    if (summary.frozenAppCount >= 1) {
        buttons.push_back({tarnText(fmt::format("Thaw ({})", summary.frozenAppCount),
                               fmt::format("Uyandır ({})", summary.frozenAppCount), language),
            "sun.max.fill", false, TarnSuiteCommandKind::memoryThawAll, false,
            tarnText("Sent Thaw All to TarnMemory", "TarnMemory donukları uyandırma komutu gönderildi", language)});
    }
    buttons.push_back({tarnText("Disk Lab", "Disk Lab", language), "externaldrive.badge.timemachine", false,
        TarnSuiteCommandKind::memoryOpenDiskLab, true, std::nullopt});
    return buttons;
}

TarnVirtualMemoryGauge physicalGauge(const TarnVirtualMemorySummary& summary, TarnLanguage language, QColor accent)
{
    const double percent = summary.physicalUsedPercent();
    return {tarnText("Physical RAM", "Fiziksel RAM", language),
        fmt::format("{} ({}%)", usage(summary.physicalUsedBytes, summary.physicalTotalBytes),
            suiteviews::roundedPercent(percent)),
        percent / 100, std::move(accent)};
}

TarnVirtualMemoryGauge virtualGauge(const TarnVirtualMemorySummary& summary, TarnLanguage language, QColor status)
{
    const double percent = summary.virtualUsedPercent();
    const std::int64_t allocated = summary.totalVirtualAllocatedBytes();
    const std::string value = allocated < 1 ? tarnText("0 B (Standby)", "0 B (Boşta)", language)
                                            : fmt::format("{} ({}%)", usage(summary.totalVirtualUsedBytes(), allocated),
                                                suiteviews::roundedPercent(percent));
    return {tarnText("Virtual RAM Area (Swap + TarnMemory)", "Sanal RAM Alanı (Swap + TarnMemory)", language), value,
        percent / 100, std::move(status)};
}

// The system's swap is plain "Swap" here, with no platform name before it, and the label reads
// the same in every language: it names the system's own feature, not a text of the card.
TarnVirtualMemoryStatPill swapPill(const TarnVirtualMemorySummary& summary)
{
    TarnVirtualMemoryStatPill pill;
    pill.label = summary.swapFileCount < 1 ? std::string("Swap") : fmt::format("Swap ({})", summary.swapFileCount);
    pill.value = usage(summary.swapUsedBytes, summary.swapTotalBytes);
    if (summary.swapTotalBytes >= 1) {
        pill.detail = fmt::format("{}% • {}", suiteviews::roundedPercent(summary.swapUsedPercent()),
            summary.swapEncrypted ? "AES-XTS" : "Plain");
    }
    pill.tint = summary.swapUsedBytes >= 1 ? suiteviews::cyan() : TarnGlassTokens::textSecondary();
    return pill;
}

TarnVirtualMemoryStatPill poolPill(const TarnVirtualMemorySummary& summary, TarnLanguage language)
{
    const bool on = summary.activeDiskPoolCount >= 1;
    return {tarnText("mmap Disk Pools", "Disk Bellek Havuzu", language),
        on ? usage(summary.diskPoolActualDiskBytes, summary.diskPoolVirtualBytes) : tarnText("Off", "Kapalı", language),
        joinedNames(summary.diskPoolNames), on ? suiteviews::violet() : TarnGlassTokens::textMuted()};
}

// The sparse disk images are no file-system feature of a Linux machine: "Virtual Disk".
TarnVirtualMemoryStatPill sparsePill(const TarnVirtualMemorySummary& summary, TarnLanguage language)
{
    const bool on = summary.mountedSparseDiskCount >= 1;
    return {tarnText("Virtual Disk", "Sanal Disk", language),
        on ? usage(summary.sparseDiskActualBytes, summary.sparseDiskVirtualBytes) : tarnText("Off", "Kapalı", language),
        joinedNames(summary.sparseDiskNames), on ? suiteviews::green() : TarnGlassTokens::textMuted()};
}

TarnVirtualMemoryStatPill ramDiskPill(const TarnVirtualMemorySummary& summary, TarnLanguage language)
{
    TarnVirtualMemoryStatPill pill;
    pill.label = tarnText("RAM-Disk / Frozen", "RAM-Disk / Donuk", language);
    pill.value = summary.mountedRAMDiskCount < 1 ? tarnText(fmt::format("{} frozen", summary.frozenAppCount),
                     fmt::format("{} donuk", summary.frozenAppCount), language)
                                                 : bytes(summary.ramDiskTotalBytes);
    if (summary.reclaimedFromFrozenBytes >= 1) {
        pill.detail = "↓ " + bytes(summary.reclaimedFromFrozenBytes);
    } else {
        pill.detail = joinedNames(summary.ramDiskNames);
    }
    const bool busy = summary.mountedRAMDiskCount >= 1 || summary.frozenAppCount >= 1;
    pill.tint = busy ? TarnGlassTokens::warning() : TarnGlassTokens::textMuted();
    return pill;
}

} // namespace

TarnVirtualMemoryGaugeCardPresentation TarnVirtualMemoryGaugeCardPresentation::present(
    const TarnVirtualMemorySummary& summary, TarnLanguage language, const QColor& accentColor,
    const AppEnvironment& environment)
{
    TarnVirtualMemoryGaugeCardPresentation result;
    result.statusColor = statusColorFor(summary);
    result.title = tarnText("Virtual Memory & TarnMemory Pools", "Sanal Bellek & TarnMemory Havuzları", language);
    result.statusBadge = summary.isAnyVirtualMemoryActive() ? tarnText("ACTIVE", "AÇIK", language)
                                                            : tarnText("STANDBY", "HAZIR", language);
    if (summary.isTarnMemoryRunning) {
        result.liveBadge = "TarnMemory Live";
    }
    if (summary.totalVirtualAllocatedBytes() >= 1) {
        const std::string capacity = bytes(summary.totalEffectiveMemoryCapacityBytes());
        result.effectiveBadge = tarnText("Effective: " + capacity, "Efektif: " + capacity, language);
    }
    if (environment.isInstalled(TarnSuiteApp::tarnMemory)) {
        result.buttons = buttonsFor(summary, language);
    }
    result.physical = physicalGauge(summary, language, accentColor);
    result.virtualArea = virtualGauge(summary, language, result.statusColor);
    result.pills = {
        swapPill(summary), poolPill(summary, language), sparsePill(summary, language), ramDiskPill(summary, language)};
    return result;
}

std::optional<std::string> TarnVirtualMemoryGaugeCardPresentation::trigger(
    const TarnVirtualMemoryCardButton& button, TarnSuiteApp sourceApp, const TarnSuiteSend& send)
{
    if (!tarnSendFromView(send, button.kind, sourceApp, TarnSuiteApp::tarnMemory, button.bringToFront)) {
        return std::nullopt;
    }
    return button.feedback;
}

double TarnVirtualMemoryGaugeCardPresentation::fillWidth(double fraction, double width)
{
    const double held = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    if (held <= 0) {
        return 0;
    }
    return std::max(4.0, width * held);
}

} // namespace tarn
