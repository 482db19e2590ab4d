#pragma once
// The glass card with the machine's virtual-memory picture: a header of title, badges and the
// memory application's command buttons, two gauges and four stat pills.
#include <functional>
#include <string>
#include <vector>

#include <QWidget>

#include "TarnKit/Suite/Views/Presentation/TarnVirtualMemoryGaugeCardPresentation.h"

class QAbstractButton;

namespace tarn {

class TarnFitsFirstLayout;

class TarnVirtualMemoryGaugeCard final : public QWidget {
public:
    using Feedback = std::function<void(const std::string&)>;

    TarnVirtualMemoryGaugeCard(const TarnVirtualMemorySummary& summary, TarnLanguage language,
        const QColor& accentColor, TarnSuiteApp sourceApp, Feedback onFeedback, const AppEnvironment& environment,
        TarnSuiteSend send, QWidget* parent = nullptr);

    const TarnVirtualMemoryGaugeCardPresentation& presentation() const { return m_presentation; }
    // The command buttons of the header arrangement shown now (none while not installed).
    std::vector<QAbstractButton*> visibleButtons() const;
    // True while the header is stacked because the side-by-side one does not fit.
    bool headerIsStacked() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeHeader(bool stacked);
    QWidget* makeTitleBadges();
    QWidget* makeButtons();
    void press(std::size_t button);

    TarnVirtualMemoryGaugeCardPresentation m_presentation;
    TarnSuiteApp m_sourceApp;
    Feedback m_onFeedback;
    TarnSuiteSend m_send;
    TarnFitsFirstLayout* m_header = nullptr;
    std::vector<std::vector<QAbstractButton*>> m_buttons;
};

} // namespace tarn
