#include "TarnInput/Screens/Controls/ContinuousSlider.h"

#include <algorithm>
#include <cmath>

#include <QHBoxLayout>
#include <QSlider>

namespace tarn::input {

ContinuousSlider::ContinuousSlider(double minimum, double maximum, QWidget* parent)
    : QWidget(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_value(minimum)
    , m_slider(new QSlider(Qt::Horizontal, this))
{
    m_slider->setObjectName("slider");
    m_slider->setRange(0, kSteps);
    m_slider->setSingleStep(kSteps / 100);
    m_slider->setPageStep(kSteps / 10);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_slider);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_slider, &QSlider::valueChanged, this, &ContinuousSlider::onSliderValueChanged);
}

int ContinuousSlider::positionFor(double value) const
{
    if (!std::isfinite(value) || m_maximum <= m_minimum) {
        return value > m_minimum ? kSteps : 0;
    }
    const double fraction = std::clamp((value - m_minimum) / (m_maximum - m_minimum), 0.0, 1.0);
    return static_cast<int>(std::lround(fraction * kSteps));
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
    return m_minimum + (m_maximum - m_minimum) * m_slider->value() / kSteps;
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
