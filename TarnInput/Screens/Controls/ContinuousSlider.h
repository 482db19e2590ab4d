#pragma once

// A slider over a real range with no visible steps, tinted with an accent. Setting the value
// from the model never signals; only the user's moves do, once per change of value, also while
// dragging. A value outside the range is kept as given (the caller shows it) while the knob sits
// at the nearer end of the track.

#include <QColor>
#include <QWidget>

class QSlider;

namespace tarn::input {

class ContinuousSlider : public QWidget {
    Q_OBJECT

public:
    ContinuousSlider(double minimum, double maximum, QWidget* parent = nullptr);

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    double value() const { return m_value; }
    void setValue(double value);
    void setAccent(const QColor& accent);

    // What the knob's position means, in the range; for tests and keyboard steps.
    double knobValue() const;
    // Moves the knob as a user would (emits valueMoved when the value changes).
    void moveKnobTo(double value);

signals:
    void valueMoved(double value);

private:
    void onSliderValueChanged(int position);
    int positionFor(double value) const;

    static constexpr int kSteps = 10000;
    double m_minimum;
    double m_maximum;
    double m_value;
    QSlider* m_slider;
    bool m_syncing = false;
};

} // namespace tarn::input
