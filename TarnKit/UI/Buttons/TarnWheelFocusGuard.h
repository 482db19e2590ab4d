#pragma once

// Keeps the mouse wheel from changing a value the user is only scrolling past: pickers, sliders
// and spin fields take the wheel once a click has given them the focus; until then the wheel
// scrolls the page under them. Install one guard on the application before its windows exist.

#include <QObject>

namespace tarn {

class TarnWheelFocusGuard : public QObject {
    Q_OBJECT

public:
    explicit TarnWheelFocusGuard(QObject* parent = nullptr);

    // Whether the guard stands for this widget: a picker, a slider or a spin field.
    static bool guards(const QObject* object);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tarn
