#pragma once
// Which chips the quick-actions strip shows for a host application and the installed siblings,
// with their texts, colours and commands, and what a pressed chip reports; without a display.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QColor>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/Suite/Commands/AppEnvironment.h"
#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"
#include "TarnKit/Suite/Records/TarnReaperLiveStatus.h"
#include "TarnKit/Suite/Views/TarnSuiteSend.h"

namespace tarn {

struct TarnSuiteQuickActionChip {
    std::string title;
    std::string symbol;
    QColor tint;
    bool emphasized = false;
    std::string helpText;
    TarnSuiteCommandKind kind {};
    TarnSuiteApp target {};
    bool bringToFront = false;
    // Reported after a successful send, in the strip's language.
    std::string feedback;
};

struct TarnSuiteQuickActionsPresentation {
    // Empty in the compact layout.
    std::string sectionLabel;
    std::vector<TarnSuiteQuickActionChip> chips;

    // None when no sibling other than `currentApp` is installed: the strip takes no space.
    static std::optional<TarnSuiteQuickActionsPresentation> present(TarnSuiteApp currentApp,
        const TarnVirtualMemorySummary* vmSummary, const TarnReaperLiveStatus* reaperStatus, TarnLanguage language,
        bool compact, const AppEnvironment& environment);

    // Sends the chip's command from `currentApp` and returns the text for the host: the chip's
    // feedback, or "<raw value> is not installed" when nothing was written.
    static std::string trigger(const TarnSuiteQuickActionChip& chip, TarnSuiteApp currentApp, TarnLanguage language,
        const TarnSuiteSend& send);
};

} // namespace tarn
