#pragma once
// What the virtual-memory gauge card shows for a summary: status colour and badges, the two
// gauges, the four stat pills and the command buttons; and what a pressed button reports.
#include <optional>
#include <string>
#include <vector>

#include <QColor>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/Suite/Commands/AppEnvironment.h"
#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"
#include "TarnKit/Suite/Views/TarnSuiteSend.h"

namespace tarn {

struct TarnVirtualMemoryGauge {
    std::string title;
    std::string valueText;
    // As given; the bar holds it within 0…1.
    double fraction = 0;
    QColor tint;
};

struct TarnVirtualMemoryStatPill {
    std::string label;
    std::string value;
    // Absent or empty: no detail line.
    std::optional<std::string> detail;
    QColor tint;
};

struct TarnVirtualMemoryCardButton {
    std::string title;
    std::string symbol;
    bool active = false;
    TarnSuiteCommandKind kind {};
    bool bringToFront = false;
    // Reported after a successful send; none for the disk lab.
    std::optional<std::string> feedback;
};

struct TarnVirtualMemoryGaugeCardPresentation {
    QColor statusColor;
    std::string title;
    std::string statusBadge;
    // "TarnMemory Live" while the memory application runs.
    std::optional<std::string> liveBadge;
    std::optional<std::string> effectiveBadge;
    std::vector<TarnVirtualMemoryCardButton> buttons;
    TarnVirtualMemoryGauge physical;
    TarnVirtualMemoryGauge virtualArea;
    std::vector<TarnVirtualMemoryStatPill> pills;

    // The buttons only while the memory application is installed.
    static TarnVirtualMemoryGaugeCardPresentation present(const TarnVirtualMemorySummary& summary,
        TarnLanguage language, const QColor& accentColor, const AppEnvironment& environment);

    // Sends the button's command from `sourceApp` to the memory application; the text to report,
    // if any, once the command was written.
    static std::optional<std::string> trigger(
        const TarnVirtualMemoryCardButton& button, TarnSuiteApp sourceApp, const TarnSuiteSend& send);

    // The width of a gauge's fill in a bar `width` wide: none for 0, at least 4 above it.
    static double fillWidth(double fraction, double width);
};

} // namespace tarn
