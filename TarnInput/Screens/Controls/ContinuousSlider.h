#pragma once

// A slider over a real range, moving in steps too fine to mark on its track, tinted with an
// accent. Setting the value from the model never signals; only the user's moves do, once per
// change of value, also while dragging. A value the user sets is the range's minimum plus whole
// steps, written with no more decimals than the step has: what is stored is exactly what the
// value text shows (1.6 or 1.65 for a step of 0.05, never 1.6199). A value outside the range, or
// between steps, is kept as given (the caller shows it) while the knob sits at the nearest step.

#include <QColor>
#include <QWidget>

class QSlider;

namespace tarn::input {

class ContinuousSlider : public QWidget {
    Q_OBJECT

public:
    // `step` divides the range into whole steps, and has at most nine decimals.
    ContinuousSlider(double minimum, double maximum, double step, QWidget* parent = nullptr);

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    double step() const { return m_step; }
    double value() const { return m_value; }
    void setValue(double value);
    void setAccent(const QColor& accent);

    // What the knob's position means, in the range; for tests and keyboard steps.
    double knobValue() const;
    // Moves the knob to the step nearest `value`, as a user would (emits valueMoved when the
    // value changes).
    void moveKnobTo(double value);

signals:
    void valueMoved(double value);

private:
    void onSliderValueChanged(int position);
    int positionFor(double value) const;

    double m_minimum;
    double m_maximum;
    double m_step;
    // 10 to the power of the step's decimals: values are whole multiples of its inverse.
    double m_decimalScale;
    double m_value;
    QSlider* m_slider;
    bool m_syncing = false;
};

} // namespace tarn::input
