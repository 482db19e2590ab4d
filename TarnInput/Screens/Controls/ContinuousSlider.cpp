#include "TarnInput/Screens/Controls/ContinuousSlider.h"

#include <algorithm>
#include <cmath>

#include <QHBoxLayout>
#include <QSlider>

namespace tarn::input {

namespace {

constexpr int kMostDecimals = 9;

// 10^d for the fewest decimals d that write `step` exactly.
double decimalScaleOf(double step)
{
    double scale = 1;
    for (int decimals = 0; decimals < kMostDecimals; ++decimals, scale *= 10) {
        if (std::abs(step * scale - std::round(step * scale)) < 1e-6) {
            break;
        }
    }
    return scale;
}

} // namespace

ContinuousSlider::ContinuousSlider(double minimum, double maximum, double step, QWidget* parent)
    : QWidget(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_step(step)
    , m_decimalScale(decimalScaleOf(step))
    , m_value(minimum)
    , m_slider(new QSlider(Qt::Horizontal, this))
{
    m_slider->setObjectName("slider");
    const int steps = std::max(1, static_cast<int>(std::lround((maximum - minimum) / step)));
    m_slider->setRange(0, steps);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(std::max(1, steps / 10));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_slider);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_slider, &QSlider::valueChanged, this, &ContinuousSlider::onSliderValueChanged);
}

int ContinuousSlider::positionFor(double value) const
{
    if (!std::isfinite(value) || m_maximum <= m_minimum) {
        return value > m_minimum ? m_slider->maximum() : 0;
    }
    const double steps = std::clamp((value - m_minimum) / m_step, 0.0, static_cast<double>(m_slider->maximum()));
    return static_cast<int>(std::lround(steps));
}

void ContinuousSlider::setValue(double value)
{
    m_value = value;
    m_syncing = true;
    m_slider->setValue(positionFor(value));
    m_syncing = false;
}

double ContinuousSlider::knobValue() const
{
    // Rounded in whole units of the step's last decimal, then divided once: the nearest double
    // to the decimal the step writes, as reading that decimal from text would give.
    const double value = m_minimum + m_step * m_slider->value();
    return std::round(value * m_decimalScale) / m_decimalScale;
}

void ContinuousSlider::moveKnobTo(double value)
{
    m_slider->setValue(positionFor(value));
}

void ContinuousSlider::setAccent(const QColor& accent)
{
    QPalette palette = m_slider->palette();
    palette.setColor(QPalette::Highlight, accent);
    m_slider->setPalette(palette);
}

void ContinuousSlider::onSliderValueChanged(int)
{
    if (m_syncing) {
        return;
    }
    const double moved = knobValue();
    if (moved == m_value) {
        return;
    }
    m_value = moved;
    emit valueMoved(moved);
}

} // namespace tarn::input
