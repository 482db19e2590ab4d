#include "TarnKit/Suite/Views/Presentation/TarnOffloadProgressBannerPresentation.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include <fmt/format.h>

#include "TarnKit/Foundation/Text/TarnByteFormatter.h"
#include "TarnKit/Localization/TarnText.h"
#include "TarnKit/Suite/Views/SuiteViewColors.h"
#include "TarnKit/UI/Glass/TarnGlassTokens.h"

namespace tarn {
namespace {

struct StepTitle {
    std::string_view en;
    std::string_view tr;
};

constexpr std::array<StepTitle, 4> kStepTitles {{
    {"1. Measure RAM", "1. Bellek Ölçümü"},
    {"2. Freeze Idle Apps", "2. Pasifleri Dondur"},
    {"3. Swap Wave", "3. Swap Dalgası"},
    {"4. Release & Verify", "4. İade & Sonuç"},
}};

QColor accentFor(const TarnMemoryOffloadLiveProgress& progress)
{
    if (progress.isCompletedSummary()) {
        return TarnGlassTokens::success();
    }
    if (progress.livePressure() == "critical") {
        return TarnGlassTokens::danger();
    }
    if (progress.livePressure() == "warning") {
        return TarnGlassTokens::warning();
    }
    return suiteviews::violet();
}

TarnOffloadStepPill stepPill(
    const TarnMemoryOffloadLiveProgress& progress, std::int64_t index, std::string title, const QColor& accent)
{
    const bool done = progress.isCompletedSummary() || index < progress.stepIndex();
    const bool active = progress.isRunning() && index == progress.stepIndex();
    TarnOffloadStepPill pill;
    pill.title = std::move(title);
    pill.state = done ? (active ? TarnOffloadStepState::doneAndActive : TarnOffloadStepState::done)
                      : (active ? TarnOffloadStepState::active : TarnOffloadStepState::pending);
    pill.color = done ? TarnGlassTokens::success() : (active ? accent : TarnGlassTokens::textMuted());
    pill.fillOpacity = active ? 0.22 : (done ? 0.14 : 0.06);
    pill.symbol = done ? "checkmark.circle.fill" : (active ? "bolt.circle.fill" : "circle");
    pill.semibold = done || active;
    return pill;
}

std::string stepTagText(const TarnMemoryOffloadLiveProgress& progress, TarnLanguage language)
{
    if (progress.isCompletedSummary()) {
        return tarnText("DONE", "TAMAMLANDI", language);
    }
    const std::string en = fmt::format("STEP {}/{}", progress.stepIndex(), progress.totalSteps());
    const std::string tr = fmt::format("ADIM {}/{}", progress.stepIndex(), progress.totalSteps());
    return tarnText(en, tr, language);
}

// A record read from a file may carry any fraction; the bar and the percentage stay within 0…1.
double heldFraction(double fraction)
{
    if (!std::isfinite(fraction)) {
        return fraction > 0 ? 1.0 : 0.0;
    }
    return std::clamp(fraction, 0.0, 1.0);
}

} // namespace

TarnOffloadProgressBannerPresentation TarnOffloadProgressBannerPresentation::present(
    const TarnMemoryOffloadLiveProgress& progress, TarnLanguage language, bool compact, bool hasCancel, bool hasDismiss)
{
    TarnOffloadProgressBannerPresentation result;
    result.accent = accentFor(progress);
    result.showsActivity = progress.isRunning();
    result.stepTag = stepTagText(progress, language);
    result.phaseTitle = tarnText(progress.phaseTitleEN(), progress.phaseTitleTR(), language);
    if (progress.isRunning() && progress.targetBytes() > 0) {
        result.bytesText = TarnByteFormatter::format(progress.allocatedBytes()) + " / "
            + TarnByteFormatter::format(progress.targetBytes());
    }
    result.fraction = heldFraction(progress.fractionCompleted());
    result.percentText = fmt::format("{}%", suiteviews::roundedPercent(result.fraction * 100));
    std::string detail = tarnText(progress.detailEN(), progress.detailTR(), language);
    if (!detail.empty()) {
        result.detail = std::move(detail);
    }
    if (progress.isRunning() && hasCancel) {
        result.action = TarnOffloadBannerAction::cancel;
    } else if (!progress.isRunning() && hasDismiss) {
        result.action = TarnOffloadBannerAction::dismiss;
    }
    result.cancelTitle = tarnText("Cancel", "İptal", language);
    if (!compact) {
        for (std::size_t i = 0; i < kStepTitles.size(); ++i) {
            result.pills.push_back(stepPill(progress, static_cast<std::int64_t>(i + 1),
                tarnText(kStepTitles[i].en, kStepTitles[i].tr, language), result.accent));
        }
    }
    return result;
}

} // namespace tarn
