#pragma once

// Recognises a hold-and-drag gesture of the trigger button: once the pointer is far enough from
// where the button went down, the direction of the move (up, down, left, right) is decided. Each
// later update beyond the threshold replaces it, so the last direction past the threshold stands,
// even if the pointer returns to the anchor before the release.
//
//   press ──begin(anchor)──▶ tracking ──update(p)…──▶ end(p) → last direction past the threshold

#include <optional>

#include "TarnInputCore/Engine/TapEvent.h"
#include "TarnInputCore/Model/Pointer/GestureDirection.h"

namespace tarn::input {

class MouseGestureRecognizer {
public:
    // Thresholds below this (or not a number) act as this many points: a trembling hand must not
    // fire a gesture.
    static constexpr double kMinimumThresholdPoints = 16;

    void begin(EventPoint point);
    // None while not tracking or while closer to the anchor than the threshold (the direction
    // decided before, if any, is kept). Ties of |dx| and |dy| count as horizontal; y grows downward.
    std::optional<GestureDirection> update(EventPoint point, double thresholdPoints);
    // The direction already decided, else the one at `point`; tracking ends either way.
    std::optional<GestureDirection> end(EventPoint point, double thresholdPoints);
    // Tracking ends without a direction; the anchor stays.
    void cancel();

    bool isTracking() const { return m_isTracking; }
    std::optional<GestureDirection> firedDirection() const { return m_firedDirection; }

private:
    bool m_isTracking = false;
    EventPoint m_anchorPoint;
    std::optional<GestureDirection> m_firedDirection;
};

} // namespace tarn::input
