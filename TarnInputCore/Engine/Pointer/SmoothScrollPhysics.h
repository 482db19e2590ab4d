#pragma once

// Pixels still to scroll on each axis while smooth scrolling decays. A wheel step adds travel; each
// frame emits a fixed share of what is left, so the scroll starts fast and eases out.

#include <optional>

namespace tarn::input {

struct SmoothScrollPhysics {
    // Below this on both axes the travel is over.
    static constexpr double kStopThresholdPixels = 0.25;
    static constexpr double kMinimumDecayRate = 0.08;
    static constexpr double kMaximumDecayRate = 0.65;

    struct Frame {
        double x = 0;
        double y = 0;
        bool operator==(const Frame&) const = default;
    };

    double remainingX = 0;
    double remainingY = 0;

    void reset()
    {
        remainingX = 0;
        remainingY = 0;
    }

    // A step against the running direction drops that axis's remaining travel rather than
    // cancelling against it: reversing the wheel must reverse the scroll at once.
    void enqueueImpulse(double deltaX, double deltaY, double pixelsPerNotch)
    {
        remainingX = addImpulse(remainingX, deltaX * pixelsPerNotch);
        remainingY = addImpulse(remainingY, deltaY * pixelsPerNotch);
    }

    // The pixels to scroll this frame, or nothing once the travel is over (the remainders are
    // then cleared).
    std::optional<Frame> stepFrame(double decayRate)
    {
        if (isAtRest()) {
            reset();
            return std::nullopt;
        }
        // Written so that a NaN rate falls to the lower bound.
        const double rate = decayRate > kMinimumDecayRate
            ? (decayRate > kMaximumDecayRate ? kMaximumDecayRate : decayRate)
            : kMinimumDecayRate;
        const Frame frame {rate * remainingX, rate * remainingY};
        remainingX -= frame.x;
        remainingY -= frame.y;
        return frame;
    }

    // What is left is below the threshold on both axes: the next frame would end the travel.
    bool isAtRest() const
    {
        return absolute(remainingX) < kStopThresholdPixels && absolute(remainingY) < kStopThresholdPixels;
    }

private:
    static double absolute(double value) { return value < 0 ? -value : value; }

    static double addImpulse(double remaining, double step) { return step * remaining >= 0 ? step + remaining : step; }
};

} // namespace tarn::input
