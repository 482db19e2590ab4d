#include "TarnInputCore/Engine/Pointer/SmoothScroller.h"

namespace tarn::input {

bool SmoothScroller::addStep(double deltaX, double deltaY)
{
    return m_steps.push({deltaX, deltaY});
}

bool SmoothScroller::wakeTick()
{
    // Read before the exchange: while the tick is awake, as for every step of a scroll but the
    // first, the step then leaves the line shared instead of taking it. Safe as the exchange is:
    // the tick clears the flag before it looks for waiting steps, both in one total order.
    return !m_tickAwake.load(std::memory_order_seq_cst) && !m_tickAwake.exchange(true, std::memory_order_seq_cst);
}

std::optional<SmoothScrollPhysics::Frame> SmoothScroller::nextFrame(bool smoothing, double decayRate)
{
    while (const auto step = m_steps.pop()) {
        if (smoothing) {
            m_physics.enqueueImpulse(step->x, step->y, kPixelsPerNotch);
        }
    }
    if (!smoothing) {
        m_physics.reset();
        return std::nullopt;
    }
    return m_physics.stepFrame(decayRate);
}

bool SmoothScroller::endIfAtRest()
{
    if (!m_physics.isAtRest() || m_steps.hasWaiting()) {
        return false;
    }
    m_physics.reset();
    return true;
}

bool SmoothScroller::sleepTick()
{
    m_tickAwake.store(false, std::memory_order_seq_cst);
    // A step added after the last frame was taken, by a tap thread that saw the tick still awake.
    return m_steps.hasWaiting() && wakeTick();
}

void SmoothScroller::clear()
{
    while (m_steps.pop()) { }
    m_physics.reset();
    m_tickAwake.store(false, std::memory_order_relaxed);
}

} // namespace tarn::input
