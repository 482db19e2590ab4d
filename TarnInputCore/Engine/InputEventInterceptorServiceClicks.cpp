// Left and right buttons: the Control+Option window drag, the double-click guard, click counting,
// telemetry and ripples.

#include <cmath>
#include <limits>

#include <fmt/format.h>

#include "TarnInputCore/Engine/InputEventInterceptorService.h"

namespace tarn::input {

namespace {

// The threshold as the user set it, rounded half away from zero; it is printed unclamped.
std::string wholeNumber(double value)
{
    const double rounded = std::round(value);
    if (std::isfinite(rounded) && std::fabs(rounded) < 9.0e18) {
        return fmt::format("{}", static_cast<long long>(rounded));
    }
    return fmt::format("{:.0f}", value);
}

} // namespace

TapVerdict InputEventInterceptorService::handleClickDown(const TapEvent& event, const InputSettings& settings)
{
    const bool isRight = event.type == TapEventType::rightMouseDown;
    const std::int64_t button = isRight ? ButtonNumber::right : ButtonNumber::left;
    const std::string_view label = isRight ? "Right Click (Btn 2)" : "Left Click (Btn 1)";
    const auto decide = [&](TapVerdict verdict) {
        std::lock_guard lock(m_mutex);
        m_pressLedger.recordPress(button, verdict);
        return verdict;
    };

    bool counted = false;
    if (settings.engineEnabled) {
        constexpr auto kDragModifiers = EventFlag::control | EventFlag::option;
        if (settings.easyWindowDragEnabled && (event.flags & kDragModifiers) == kDragModifiers
            && beginEasyWindowDrag(event.location, isRight)) {
            return decide(TapVerdict::swallow);
        }
        if (settings.doubleClickGuardEnabled) {
            bool blocked = false;
            std::int64_t blockedCount = 0;
            {
                std::lock_guard lock(m_mutex);
                m_lastButtonLabel = label;
                blocked = m_debounceGuard.shouldBlockBounce(button, m_ports.clock.now(),
                    DoubleClickDebounceGuard::Milliseconds(settings.doubleClickGuardThresholdMs));
                m_calibrationTracker.recordClick(blocked);
                blockedCount = m_debounceGuard.blockedCount();
            }
            emitTelemetry();
            emitCalibration();
            if (blocked) {
                m_ports.log.log(TarnLogLevel::warn, "debounce",
                    fmt::format("Blocked phantom double-click bounce on {} (threshold: {}ms, total: {})", label,
                        wholeNumber(settings.doubleClickGuardThresholdMs), blockedCount));
                reportTelemetryEvent(fmt::format("Blocked phantom double-click bounce on {}", label));
                return decide(TapVerdict::swallow);
            }
            counted = true;
        }
    }
    if (!counted) {
        {
            std::lock_guard lock(m_mutex);
            m_lastButtonLabel = label;
            m_calibrationTracker.recordClick(false);
        }
        emitTelemetry();
        emitCalibration();
    }
    // The overlay draws in the same global coordinates the event carries (y downward).
    if (settings.clickRippleEnabled && m_callbacks.onClickRipple) {
        m_callbacks.onClickRipple(ClickRippleEvent {{event.location.x, event.location.y}, isRight});
    }
    return decide(TapVerdict::pass);
}

TapVerdict InputEventInterceptorService::handleClickUp(const TapEvent& event)
{
    const std::int64_t button = event.type == TapEventType::rightMouseUp ? ButtonNumber::right : ButtonNumber::left;
    std::lock_guard lock(m_mutex);
    // Either button's release ends a drag begun by either button.
    m_windowDrag.reset();
    // A release follows its press: the press of the other button during a drag was passed, so its
    // release must pass too even though it ends the drag. A release whose press the engine never
    // saw is passed: applications may have seen that press.
    return m_pressLedger.takeRelease(button).value_or(TapVerdict::pass);
}

bool InputEventInterceptorService::beginEasyWindowDrag(EventPoint point, bool resize)
{
    const auto window = m_ports.windows.windowAt(point);
    if (!window) {
        return false;
    }
    const auto frame = m_ports.windows.frame(*window);
    if (!frame) {
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_windowDrag = WindowDragSession {*window, point, *frame, resize};
    return true;
}

bool InputEventInterceptorService::updateEasyWindowDrag(EventPoint point)
{
    std::optional<WindowDragSession> drag;
    {
        std::lock_guard lock(m_mutex);
        drag = m_windowDrag;
    }
    if (!drag) {
        return false;
    }
    // A window that refuses a move or a size is left as it is; the drag still owns the pointer.
    if (drag->isResizing) {
        (void)m_ports.windows.setSize(drag->window, drag->sizeFor(point));
    } else {
        (void)m_ports.windows.setPosition(drag->window, drag->originFor(point));
    }
    return true;
}

} // namespace tarn::input
