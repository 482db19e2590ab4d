// Scroll-wheel rules and the smooth-scroll frames.
// The handler runs for every wheel event on the tap thread and the frame tick every 8 ms on the
// executor while there is travel left. The travel is the tick's: the handler hands it each step
// through `SmoothScroller`, which also says when the tick must be armed again, so a step can never
// be left without a tick and neither side ever waits for the other.

#include <cmath>
#include <cstdint>
#include <limits>

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnInputCore/Engine/Pointer/ScrollDelta.h"

namespace tarn::input {

namespace {

constexpr auto kSmoothFramePeriod = std::chrono::milliseconds(8);

// A missing or broken delta from the device moves nothing.
double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0;
}

// Nearest whole pixel, held inside the range a wheel value can carry.
std::int32_t wheelPixels(double amount)
{
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    const double rounded = std::round(amount);
    if (!(rounded > kMin)) {
        return std::isnan(rounded) ? 0 : std::numeric_limits<std::int32_t>::min();
    }
    return rounded >= kMax ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(rounded);
}

} // namespace

TapVerdict InputEventInterceptorService::handleScrollWheel(TapEvent& event, const EngineSnapshot& snapshot)
{
    const InputSettings& settings = *snapshot.settings;
    if (!settings.engineEnabled) {
        return TapVerdict::pass;
    }
    const EffectiveInputResolution* resolution = &snapshot.resolution;

    // Application profiles only concern the wheel: trackpads keep their own speed and direction
    // unless the user reverses them globally.
    const ScrollDelta::Options options {resolution->reverseMouseWheel, settings.reverseTrackpad,
        resolution->scrollSpeedMultiplier, settings.shiftScrollHorizontal};
    const bool shiftHeld = (event.flags & EventFlag::shift) != 0;

    if (event.scrollIsContinuous) {
        const auto delta
            = ScrollDelta::transformRawDelta(event.scrollDeltaAxis2, event.scrollDeltaAxis1, true, shiftHeld, options);
        event.scrollDeltaAxis1 = delta.deltaY;
        event.scrollDeltaAxis2 = delta.deltaX;
        if (options.reverseTrackpad) {
            event.scrollPointDeltaAxis1 = -event.scrollPointDeltaAxis1;
            event.scrollPointDeltaAxis2 = -event.scrollPointDeltaAxis2;
        }
        return TapVerdict::pass;
    }

    const double dy = finiteOrZero(event.scrollDeltaAxis1);
    const double dx = finiteOrZero(event.scrollDeltaAxis2);

    if (settings.optionScrollZoomEnabled && (event.flags & EventFlag::option) != 0 && dy != 0) {
        const bool zoomIn = resolution->reverseMouseWheel ? dy < 0 : dy > 0;
        dispatchAction(zoomIn ? MouseButtonAction::zoomIn : MouseButtonAction::zoomOut);
        return TapVerdict::swallow;
    }

    const auto step = ScrollDelta::transformRawDelta(dx, dy, false, shiftHeld, options);
    // A tick too far behind to take the step (the executor stalled) lets it scroll at once.
    if (resolution->smoothScrollEnabled && m_smoothTimer && m_scroller.addStep(step.deltaX, step.deltaY)) {
        if (m_scroller.wakeTick()) {
            m_ports.executor.arm(*m_smoothTimer, kSmoothFramePeriod);
        }
        return TapVerdict::swallow;
    }
    event.scrollDeltaAxis1 = step.deltaY;
    event.scrollDeltaAxis2 = step.deltaX;
    return TapVerdict::pass;
}

void InputEventInterceptorService::emitSmoothScrollTick()
{
    std::optional<SmoothScrollPhysics::Frame> frame;
    {
        const auto snapshot = m_snapshots.read(kTimerReader);
        frame = m_scroller.nextFrame(snapshot->settings->engineEnabled && snapshot->resolution.smoothScrollEnabled,
            snapshot->settings->smoothDecayRate);
    }
    if (!frame) {
        // Nothing left (or smoothing is off).
        sleepSmoothScrollTick();
        return;
    }
    // A pixel-precise step: continuous, with the pixels in the point deltas. It is posted even
    // when both amounts round to 0, as the last frames of a decay do.
    TapEvent step;
    step.type = TapEventType::scrollWheel;
    step.scrollIsContinuous = true;
    step.scrollPointDeltaAxis1 = wheelPixels(frame->y);
    step.scrollPointDeltaAxis2 = wheelPixels(frame->x);
    step.sourceUserData = kSyntheticMagicTag;
    m_executorPoster.post(step);
    if (m_scroller.endIfAtRest()) {
        sleepSmoothScrollTick();
    }
}

void InputEventInterceptorService::sleepSmoothScrollTick()
{
    // Until the next wheel step.
    m_ports.executor.disarm(*m_smoothTimer);
    if (m_scroller.sleepTick()) {
        m_ports.executor.arm(*m_smoothTimer, kSmoothFramePeriod);
    }
}

} // namespace tarn::input
