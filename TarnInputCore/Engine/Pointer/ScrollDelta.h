#pragma once

// The wheel rule: what a raw scroll step becomes before smoothing. Continuous surfaces (trackpads)
// are only reversed; a stepped wheel is reversed, sped up and, with Shift, turned sideways.

#include "TarnInputCore/Model/Settings/InputSettings.h"

namespace tarn::input {

struct ScrollDelta {
    static constexpr double kMinimumSpeed = 0.4;
    static constexpr double kMaximumSpeed = 4.0;
    // A horizontal component below this counts as none for the Shift rule.
    static constexpr double kHorizontalDeadZone = 0.01;

    // What the rule reads of the configuration. The engine fills the wheel's direction and speed
    // from the resolution for the frontmost application, the rest from the settings.
    struct Options {
        bool reverseMouseWheel = false;
        bool reverseTrackpad = false;
        double scrollSpeedMultiplier = 1;
        bool shiftScrollHorizontal = false;

        // Everything from the settings alone, as if no profile applied.
        static Options fromSettings(const InputSettings& settings)
        {
            return {settings.reverseMouseWheel, settings.reverseTrackpad, settings.scrollSpeedMultiplier,
                settings.shiftScrollHorizontal};
        }
    };

    double deltaX = 0;
    double deltaY = 0;
    bool isDiscreteMouse = false;

    bool operator==(const ScrollDelta&) const = default;

    // Speed multiplier clamped to [0.4, 4.0]; a NaN speed counts as the lower bound.
    static double clampedSpeed(double speed)
    {
        return speed > kMinimumSpeed ? (speed > kMaximumSpeed ? kMaximumSpeed : speed) : kMinimumSpeed;
    }

    static ScrollDelta transformRawDelta(
        double rawX, double rawY, bool isContinuousTrackpad, bool shiftHeld, const Options& options)
    {
        if (isContinuousTrackpad) {
            return options.reverseTrackpad ? ScrollDelta {-rawX, -rawY, false} : ScrollDelta {rawX, rawY, false};
        }
        const double sign = options.reverseMouseWheel ? -1.0 : 1.0;
        const double speed = clampedSpeed(options.scrollSpeedMultiplier);
        const double x = rawX * sign * speed;
        const double y = rawY * sign * speed;
        // With Shift held, a purely vertical wheel step becomes a horizontal one.
        const double absX = x < 0 ? -x : x;
        if (options.shiftScrollHorizontal && shiftHeld && y != 0 && y == y && absX < kHorizontalDeadZone) {
            return ScrollDelta {y, 0, true};
        }
        return ScrollDelta {x, y, true};
    }
};

} // namespace tarn::input
