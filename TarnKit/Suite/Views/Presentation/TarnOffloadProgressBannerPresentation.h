#pragma once
// What the offload progress banner shows for one run record, worked out without a display: the
// accent colour, the header's texts, the bar's fraction and the four step pills.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include <QColor>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/Suite/Records/TarnMemoryOffloadLiveProgress.h"

namespace tarn {

enum class TarnOffloadStepState { pending, active, done, doneAndActive };

struct TarnOffloadStepPill {
    std::string title;
    TarnOffloadStepState state = TarnOffloadStepState::pending;
    std::string symbol;
    QColor color;
    double fillOpacity = 0;
    bool semibold = false;
};

// Which button the header ends with.
enum class TarnOffloadBannerAction { none, cancel, dismiss };

struct TarnOffloadProgressBannerPresentation {
    QColor accent;
    // An activity indicator while running, else the seal symbol.
    bool showsActivity = false;
    std::string stepTag;
    std::string phaseTitle;
    // "<allocated> / <target>" while running towards a target.
    std::optional<std::string> bytesText;
    std::string percentText;
    // Within 0…1; the bar draws at least kMinimumFillWidth when this is above 0.
    double fraction = 0;
    // Absent when the chosen detail is empty.
    std::optional<std::string> detail;
    TarnOffloadBannerAction action = TarnOffloadBannerAction::none;
    std::string cancelTitle;
    // Empty in the compact layout.
    std::vector<TarnOffloadStepPill> pills;

    static constexpr double kMinimumFillWidth = 6;

    static TarnOffloadProgressBannerPresentation present(const TarnMemoryOffloadLiveProgress& progress,
        TarnLanguage language, bool compact, bool hasCancel, bool hasDismiss);
};

} // namespace tarn
