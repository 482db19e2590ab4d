#include "TarnInputCore/Engine/Rules/MouseGestureRecognizer.h"

#include <cmath>

namespace tarn::input {

void MouseGestureRecognizer::begin(EventPoint point)
{
    m_isTracking = true;
    m_anchorPoint = point;
    m_firedDirection.reset();
}

std::optional<GestureDirection> MouseGestureRecognizer::update(EventPoint point, double thresholdPoints)
{
    if (!m_isTracking) {
        return std::nullopt;
    }
    const double dx = point.x - m_anchorPoint.x;
    const double dy = point.y - m_anchorPoint.y;
    const double distance = std::hypot(dx, dy);
    // std::fmax ignores a NaN threshold, so it falls back to the floor.
    const double required = std::fmax(thresholdPoints, kMinimumThresholdPoints);
    if (!(distance >= required)) {
        return std::nullopt;
    }
    GestureDirection direction;
    if (std::fabs(dy) <= std::fabs(dx)) {
        direction = dx > 0 ? GestureDirection::right : GestureDirection::left;
    } else {
        direction = dy < 0 ? GestureDirection::up : GestureDirection::down;
    }
    m_firedDirection = direction;
    return direction;
}

std::optional<GestureDirection> MouseGestureRecognizer::end(EventPoint point, double thresholdPoints)
{
    auto direction = m_firedDirection;
    if (!direction) {
        direction = update(point, thresholdPoints);
    }
    cancel();
    return direction;
}

void MouseGestureRecognizer::cancel()
{
    m_isTracking = false;
    m_firedDirection.reset();
}

} // namespace tarn::input
