#pragma once

// The wheel rule in its pure form: what a raw scroll step becomes before smoothing. Continuous
// surfaces (trackpads) are only reversed; a stepped wheel is reversed, sped up and, with Shift,
// turned sideways.

#include "TarnInputCore/Model/InputSettings.h"

namespace tarn::input {

struct ScrollDelta {
    static constexpr double kMinimumSpeed = 0.4;
    static constexpr double kMaximumSpeed = 4.0;
    // A horizontal component below this counts as none for the Shift rule.
    static constexpr double kHorizontalDeadZone = 0.01;

    double deltaX = 0;
    double deltaY = 0;
    bool isDiscreteMouse = false;

    bool operator==(const ScrollDelta&) const = default;

    // Speed multiplier clamped to [0.4, 4.0]; a NaN speed counts as the lower bound.
    static double clampedSpeed(double speed)
    {
        return speed > kMinimumSpeed ? (speed > kMaximumSpeed ? kMaximumSpeed : speed) : kMinimumSpeed;
    }

    // With Shift held, a purely vertical wheel step becomes a horizontal one.
    static bool shouldTurnSideways(double x, double y, bool shiftHeld, bool shiftScrollHorizontal)
    {
        const double absX = x < 0 ? -x : x;
        return shiftScrollHorizontal && shiftHeld && y != 0 && y == y && absX < kHorizontalDeadZone;
    }

    static ScrollDelta transformRawDelta(double rawX, double rawY, bool isContinuousTrackpad, bool shiftHeld,
        bool reverseMouseWheel, bool reverseTrackpad, double scrollSpeedMultiplier, bool shiftScrollHorizontal)
    {
        if (isContinuousTrackpad) {
            return reverseTrackpad ? ScrollDelta {-rawX, -rawY, false} : ScrollDelta {rawX, rawY, false};
        }
        const double sign = reverseMouseWheel ? -1.0 : 1.0;
        const double speed = clampedSpeed(scrollSpeedMultiplier);
        double x = rawX * sign * speed;
        double y = rawY * sign * speed;
        if (shouldTurnSideways(x, y, shiftHeld, shiftScrollHorizontal)) {
            x = y;
            y = 0;
        }
        return ScrollDelta {x, y, true};
    }

    static ScrollDelta transformRawDelta(
        double rawX, double rawY, bool isContinuousTrackpad, bool shiftHeld, const InputSettings& settings)
    {
        return transformRawDelta(rawX, rawY, isContinuousTrackpad, shiftHeld, settings.reverseMouseWheel,
            settings.reverseTrackpad, settings.scrollSpeedMultiplier, settings.shiftScrollHorizontal);
    }
};

} // namespace tarn::input
