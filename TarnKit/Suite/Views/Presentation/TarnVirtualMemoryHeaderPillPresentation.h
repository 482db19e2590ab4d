#pragma once
// What the virtual-memory header pill shows for a summary: tint, symbol, title and tooltip.
#include <string>

#include <QColor>

#include "TarnKit/Localization/TarnLanguage.h"
#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"

namespace tarn {

struct TarnVirtualMemoryHeaderPillPresentation {
    QColor tint;
    std::string symbol;
    std::string title;
    std::string tooltip;

    static TarnVirtualMemoryHeaderPillPresentation present(
        const TarnVirtualMemorySummary& summary, TarnLanguage language);
};

} // namespace tarn
