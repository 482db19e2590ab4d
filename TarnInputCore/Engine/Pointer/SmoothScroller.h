#pragma once

// The smooth-scroll travel, shared by the tap thread and the frame tick without a lock. The tap
// thread hands each wheel step over through a ring; the tick (on the executor) owns the travel,
// takes the steps waiting before each frame and goes to sleep when nothing is left. Whether the
// tick is awake is one atomic flag, so a step can never be left without a tick:
//
//   tap thread: addStep, then wakeTick() → arm the tick when it slept
//   tick:       nextFrame … none, or endIfAtRest() after the last frame → disarm, then
//               sleepTick() → arm again when a step came meanwhile

#include <atomic>
#include <cstddef>
#include <optional>

#include "TarnInputCore/Engine/Pointer/SmoothScrollPhysics.h"
#include "TarnInputCore/Engine/Requests/BoundedRequestQueue.h"

namespace tarn::input {

class SmoothScroller {
public:
    // Smooth travel for one unit of wheel delta.
    static constexpr double kPixelsPerNotch = 28;
    // Wheel steps the tick may be behind by; a tick that late is not smoothing anything anyway.
    static constexpr std::size_t kStepCapacity = 64;

    // Tap thread. False when the tick is too far behind: the step should then scroll at once.
    [[nodiscard]] bool addStep(double deltaX, double deltaY);
    // Tap thread, after `addStep`: true when the tick slept and the caller must arm it.
    [[nodiscard]] bool wakeTick();

    // Tick: the pixels of this frame, or none when the travel is over or smoothing is off (the
    // travel is then dropped).
    std::optional<SmoothScrollPhysics::Frame> nextFrame(bool smoothing, double decayRate);
    // Tick, after a frame: true, with the travel ended as the next frame would end it, when that
    // frame was the last one and no step is waiting; the tick then sleeps at once instead of
    // waking once more to find nothing.
    [[nodiscard]] bool endIfAtRest();
    // Tick, after disarming itself: true when a step arrived meanwhile and the tick must be armed
    // again.
    [[nodiscard]] bool sleepTick();

    // Neither the tap thread nor the tick runs (the tap is gone, the tick cancelled).
    void clear();

private:
    BoundedRequestQueue<SmoothScrollPhysics::Frame, kStepCapacity> m_steps;
    // The tick's alone, on a line the tap thread never reads.
    SmoothScrollPhysics m_physics;
    // On a line of its own, written only when the tick sleeps or is woken: the tap thread reads it
    // for every wheel step, and beside the travel (written every frame) each step would pull the
    // line from the tick's processor.
    alignas(64) std::atomic<bool> m_tickAwake {false};
};

} // namespace tarn::input
