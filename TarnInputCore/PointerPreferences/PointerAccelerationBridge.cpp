#include "TarnInputCore/PointerPreferences/PointerAccelerationBridge.h"

#include <cmath>

namespace tarn::input {

namespace {

// A real tracking speed: a finite number within the range the system offers (−1 is "curve off").
std::optional<double> trackingSpeed(const std::optional<PointerPreferenceValue>& value)
{
    if (!value) {
        return std::nullopt;
    }
    const double* number = std::get_if<double>(&*value);
    if (!number || !std::isfinite(*number) || *number < 0 || *number > PointerAccelerationBridge::kMaximumScaling) {
        return std::nullopt;
    }
    return *number;
}

} // namespace

PointerAccelerationBridge::PointerAccelerationBridge(PointerPreferences& preferences)
    : m_preferences(preferences)
{
}

bool PointerAccelerationBridge::isAccelerationDisabled() const
{
    const auto value = m_preferences.linear();
    if (!value) {
        return false;
    }
    if (const bool* flag = std::get_if<bool>(&*value)) {
        return *flag;
    }
    if (const double* number = std::get_if<double>(&*value)) {
        return *number != 0;
    }
    return false;
}

double PointerAccelerationBridge::clampedScaling(double speed)
{
    // Written so that a NaN speed falls to the lower bound.
    return speed > kMinimumScaling ? (speed > kMaximumScaling ? kMaximumScaling : speed) : kMinimumScaling;
}

bool PointerAccelerationBridge::setAccelerationDisabled(bool disabled, double scalingSpeed)
{
    if (disabled) {
        // Only a speed the user chose is kept: when acceleration is already off the stored value
        // is the "curve off" marker and the remembered speed stays as it was.
        if (const auto speed = trackingSpeed(m_preferences.scaling())) {
            m_speedBeforeDisabling = speed;
        }
        m_preferences.setLinear(true);
        m_preferences.setScaling(kLinearScaling);
    } else {
        const double speed = m_speedBeforeDisabling ? *m_speedBeforeDisabling : clampedScaling(scalingSpeed);
        m_preferences.setLinear(false);
        m_preferences.setScaling(speed);
        m_speedBeforeDisabling.reset();
    }
    return m_preferences.synchronize();
}

} // namespace tarn::input
