#pragma once

// Keeps the mouse wheel from changing a value the user is only scrolling past: pickers, sliders
// and spin fields take the wheel once a click has given them the focus; until then the wheel
// goes on to the page under them, which scrolls. Scroll bars are no such value: a scroll area
// hands its wheel to its own scroll bar, which must always take it. Install one guard on the
// application before its windows exist.

#include <QObject>

namespace tarn {

class TarnWheelFocusGuard : public QObject {
    Q_OBJECT

public:
    explicit TarnWheelFocusGuard(QObject* parent = nullptr);

    // Whether the guard stands for this widget: a picker, a slider or a spin field, never a
    // scroll bar.
    static bool guards(const QObject* object);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tarn
