#pragma once
// The header bar's capsule that tells in one line whether the memory application's virtual
// memory is in force; a click runs the host's action or opens the memory application.
#include <functional>

#include <QWidget>

#include "TarnKit/Suite/Commands/AppEnvironment.h"
#include "TarnKit/Suite/Views/Presentation/TarnVirtualMemoryHeaderPillPresentation.h"

namespace tarn {

class TarnVirtualMemoryHeaderPill final : public QWidget {
public:
    // `environment` must outlive the pill; it opens the memory application when `onTap` is none.
    TarnVirtualMemoryHeaderPill(const TarnVirtualMemorySummary& summary, TarnLanguage language,
        std::function<void()> onTap, AppEnvironment& environment, QWidget* parent = nullptr);

    const TarnVirtualMemoryHeaderPillPresentation& presentation() const { return m_presentation; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TarnVirtualMemoryHeaderPillPresentation m_presentation;
    std::function<void()> m_onTap;
    AppEnvironment& m_environment;
};

} // namespace tarn
