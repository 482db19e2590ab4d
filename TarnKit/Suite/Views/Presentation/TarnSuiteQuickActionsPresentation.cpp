#include "TarnKit/Suite/Views/Presentation/TarnSuiteQuickActionsPresentation.h"

#include <string_view>

#include <fmt/format.h>

#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {
namespace {

struct ChipRow {
    std::string_view titleEN;
    std::string_view titleTR;
    std::string_view symbol;
    std::string_view helpEN;
    std::string_view helpTR;
    TarnSuiteCommandKind kind;
    bool bringToFront;
    std::string_view feedbackEN;
    std::string_view feedbackTR;
};

class ChipBuilder {
public:
    ChipBuilder(TarnLanguage language, TarnSuiteApp target, std::vector<TarnSuiteQuickActionChip>& chips)
        : m_language(language)
        , m_target(target)
        , m_chips(chips)
    {
    }

    void add(const ChipRow& row, const QColor& tint, bool emphasized = false)
    {
        TarnSuiteQuickActionChip chip;
        chip.title = tarnText(row.titleEN, row.titleTR, m_language);
        chip.symbol = row.symbol;
        chip.tint = tint;
        chip.emphasized = emphasized;
        chip.helpText = tarnText(row.helpEN, row.helpTR, m_language);
        chip.kind = row.kind;
        chip.target = m_target;
        chip.bringToFront = row.bringToFront;
        chip.feedback = tarnText(row.feedbackEN, row.feedbackTR, m_language);
        m_chips.push_back(std::move(chip));
    }

private:
    TarnLanguage m_language;
    TarnSuiteApp m_target;
    std::vector<TarnSuiteQuickActionChip>& m_chips;
};

void addMemoryChips(ChipBuilder& chips, const TarnVirtualMemorySummary* summary, bool compact)
{
    chips.add(
        {"Smart RAM Offload", "Akıllı RAM Aç", "bolt.fill", "Trigger TarnMemory smart memory offload in the background",
            "Arka planda TarnMemory akıllı bellek rahatlatmayı çalıştır", TarnSuiteCommandKind::memorySmartOffload,
            false, "Sent Smart RAM Offload to TarnMemory", "TarnMemory Akıllı RAM Açma tetiklendi"},
        suiteviews::violet());
    if (summary != nullptr && summary->frozenAppCount >= 1) {
        const std::string en = fmt::format("Thaw Apps ({})", summary->frozenAppCount);
        const std::string tr = fmt::format("Donukları Uyandır ({})", summary->frozenAppCount);
        chips.add(
            {en, tr, "sun.max.fill", "Resume all apps frozen by TarnMemory",
                "TarnMemory tarafından dondurulan tüm uygulamaları uyandır", TarnSuiteCommandKind::memoryThawAll, false,
                "Sent Thaw All command to TarnMemory", "TarnMemory tüm donukları uyandırma komutu gönderildi"},
            TarnGlassTokens::warning());
    }
    if (!compact) {
        chips.add(
            {"Virtual Disk Lab", "Sanal Disk Lab", "externaldrive.badge.timemachine",
                "Open TarnMemory Virtual Disk & mmap Pool Lab",
                "TarnMemory Sanal Disk ve Bellek Havuzu Laboratuvarını aç", TarnSuiteCommandKind::memoryOpenDiskLab,
                true, "Opening TarnMemory Virtual Disk Lab", "TarnMemory Sanal Disk Laboratuvarı açılıyor"},
            suiteviews::violet());
    }
}

void addReaperChips(ChipBuilder& chips, const TarnReaperLiveStatus* status, bool compact)
{
    const bool counted = status != nullptr && status->problematicCount() >= 1;
    const std::string killEN
        = counted ? fmt::format("Kill Frozen ({})", status->problematicCount()) : std::string("Kill Frozen");
    const std::string killTR
        = counted ? fmt::format("Donmuşları Öldür ({})", status->problematicCount()) : std::string("Donmuşları Öldür");
    chips.add(
        {killEN, killTR, "xmark.octagon.fill", "Terminate unresponsive or frozen apps via TarnReaper",
            "Yanıt vermeyen/donmuş uygulamaları TarnReaper ile sonlandır", TarnSuiteCommandKind::reaperAllFrozen, false,
            "Sent Kill All Frozen command to TarnReaper", "TarnReaper'e donmuş uygulamaları öldürme komutu gönderildi"},
        TarnGlassTokens::danger(), counted);
    chips.add(
        {"Target Window", "Pencere Hedefle", "scope", "Activate TarnReaper crosshair to click-kill any frozen window",
            "Herhangi bir donmuş pencereyi tıklayıp öldürmek için TarnReaper nişangahını aç",
            TarnSuiteCommandKind::reaperOpenCrosshair, false, "TarnReaper window targeter activated",
            "TarnReaper pencere hedefleme nişangahı açıldı"},
        suiteviews::reaperRed());
    chips.add({"Quick Kill HUD", "Hızlı Öldür HUD", "bolt.circle.fill", "Toggle TarnReaper floating Quick Kill HUD",
                  "TarnReaper yüzen Hızlı Öldürme panelini aç/kapat", TarnSuiteCommandKind::reaperToggleQuickHUD, false,
                  "Toggled TarnReaper Quick HUD", "TarnReaper Hızlı Öldür HUD açıldı/kapatıldı"},
        suiteviews::reaperRed());
    if (!compact) {
        chips.add(
            {"24h Usage", "24s Analiz", "chart.bar.xaxis", "Open TarnReaper 24h CPU / RAM / Disk analytics",
                "TarnReaper 24 saatlik CPU / RAM / Disk analizini aç", TarnSuiteCommandKind::reaperOpenAnalytics24h,
                true, "Opening TarnReaper 24h Analytics", "TarnReaper 24 Saatlik Analiz açılıyor"},
            suiteviews::reaperRed());
    }
}

void addSensorsChips(ChipBuilder& chips, bool compact)
{
    chips.add({"Sensors HUD", "Sensors HUD", "rectangle.inset.topright.filled",
                  "Show or hide the TarnSensors floating desktop telemetry HUD",
                  "TarnSensors masaüstü yüzen sensör HUD'unu aç/kapat", TarnSuiteCommandKind::sensorsToggleHUD, false,
                  "Toggled TarnSensors Floating HUD", "TarnSensors Masaüstü HUD açıldı/kapatıldı"},
        suiteviews::cyan());
    if (!compact) {
        chips.add({"Thermals & Fan", "Sıcaklık & Fan", "thermometer.medium",
                      "Open TarnSensors live thermal sensors, fan RPM & power view",
                      "TarnSensors canlı sıcaklık sensörleri, fan RPM ve güç ekranını aç",
                      TarnSuiteCommandKind::sensorsOpenThermalsPower, true, "Opening TarnSensors Thermals & Power",
                      "TarnSensors Sıcaklık ve Fan ekranı açılıyor"},
            suiteviews::cyan());
    }
}

} // namespace

std::optional<TarnSuiteQuickActionsPresentation> TarnSuiteQuickActionsPresentation::present(TarnSuiteApp currentApp,
    const TarnVirtualMemorySummary* vmSummary, const TarnReaperLiveStatus* reaperStatus, TarnLanguage language,
    bool compact, const AppEnvironment& environment)
{
    const auto available = [&](TarnSuiteApp app) { return app != currentApp && environment.isInstalled(app); };
    TarnSuiteQuickActionsPresentation result;
    if (available(TarnSuiteApp::tarnMemory)) {
        ChipBuilder chips(language, TarnSuiteApp::tarnMemory, result.chips);
        addMemoryChips(chips, vmSummary, compact);
    }
    if (available(TarnSuiteApp::tarnReaper)) {
        ChipBuilder chips(language, TarnSuiteApp::tarnReaper, result.chips);
        addReaperChips(chips, reaperStatus, compact);
    }
    if (available(TarnSuiteApp::tarnSensors)) {
        ChipBuilder chips(language, TarnSuiteApp::tarnSensors, result.chips);
        addSensorsChips(chips, compact);
    }
    if (result.chips.empty()) {
        return std::nullopt;
    }
    if (!compact) {
        result.sectionLabel = tarnText("Suite Actions", "Suite Hızlı İşlemler", language);
    }
    return result;
}

std::string TarnSuiteQuickActionsPresentation::trigger(
    const TarnSuiteQuickActionChip& chip, TarnSuiteApp currentApp, TarnLanguage language, const TarnSuiteSend& send)
{
    if (tarnSendFromView(send, chip.kind, currentApp, chip.target, chip.bringToFront)) {
        return chip.feedback;
    }
    const std::string_view raw = rawValue(chip.target);
    return tarnText(fmt::format("{} is not installed", raw), fmt::format("{} kurulu değil", raw), language);
}

} // namespace tarn
