#pragma once

// The program's top-level widgets as ApplicationWindows, in the order Qt lists them. A normal
// window can be the main one; tool windows, pop-ups, splash screens and windows that never take
// focus (overlays) are panels.

#include <QPointer>
#include <QWidget>

#include "TarnKit/UI/Chrome/ApplicationWindows.h"

namespace tarn {

class QtApplicationWindows final : public ApplicationWindows {
public:
    std::vector<ApplicationWindowState> windows() override;
    void restore(std::size_t index) override;
    void makeKeyAndOrderFront(std::size_t index) override;
    void activateIgnoringOtherApps() override;

    static ApplicationWindowState stateOf(const QWidget& window);

private:
    QWidget* at(std::size_t index) const;

    std::vector<QPointer<QWidget>> m_listed;
};

} // namespace tarn
