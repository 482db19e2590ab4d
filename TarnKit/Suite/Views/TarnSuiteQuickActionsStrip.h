#pragma once
// A horizontal, scrollable row of capsule chips, each sending one command to the memory, reaper
// or sensors application and handing a short feedback text to the host. Without an installed
// sibling the strip is hidden and takes no space.
#include <functional>
#include <optional>
#include <vector>

#include <QScrollArea>

#include "TarnKit/Suite/Views/Presentation/TarnSuiteQuickActionsPresentation.h"

namespace tarn {

class TarnSuiteQuickActionsStrip final : public QScrollArea {
public:
    using Feedback = std::function<void(const std::string&)>;

    // `environment` answers which siblings are installed when the strip is built; `send` carries
    // the commands.
    TarnSuiteQuickActionsStrip(TarnSuiteApp currentApp, const TarnVirtualMemorySummary* vmSummary,
        const TarnReaperLiveStatus* reaperStatus, TarnLanguage language, bool compact, Feedback onFeedback,
        const AppEnvironment& environment, TarnSuiteSend send, QWidget* parent = nullptr);

    const std::optional<TarnSuiteQuickActionsPresentation>& presentation() const { return m_presentation; }
    // Where each chip sits in the scrolled row.
    std::vector<QRectF> chipRects() const;
    // Presses the chip: sends its command and reports the outcome to the host.
    void press(std::size_t chip);
    QSize sizeHint() const override;

private:
    class Row;

    std::optional<TarnSuiteQuickActionsPresentation> m_presentation;
    TarnSuiteApp m_currentApp;
    TarnLanguage m_language;
    bool m_compact;
    Feedback m_onFeedback;
    TarnSuiteSend m_send;
    Row* m_row = nullptr;
};

} // namespace tarn
