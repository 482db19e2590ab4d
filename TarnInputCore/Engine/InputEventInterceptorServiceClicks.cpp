// Left and right buttons: the Control+Option window drag, the double-click guard, click counting,
// telemetry and ripples.
//
// A window drag touches windows only on the executor: looking up the window under the pointer and
// moving it are round trips to the display server, which must never hold up the tap thread. The
// press is taken at once; the executor finds the window, then applies only the newest pointer
// position whenever it gets to it. When no window is found, the press is given back to
// applications as an ordinary click at the next event of that drag.

#include <iterator>
#include <limits>

#include <fmt/format.h>

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnKit/Foundation/NumberText.h"

namespace tarn::input {

namespace {

constexpr auto kDragModifiers = EventFlag::control | EventFlag::option;

bool isRightButton(TapEventType type)
{
    return type == TapEventType::rightMouseDown || type == TapEventType::rightMouseUp
        || type == TapEventType::rightMouseDragged;
}

std::int64_t clickButton(TapEventType type)
{
    return isRightButton(type) ? ButtonNumber::right : ButtonNumber::left;
}

} // namespace

TapVerdict InputEventInterceptorService::handleClickDown(const TapEvent& event, const InputSettings& settings)
{
    giveBackDragPress(settings);
    if (settings.engineEnabled && settings.easyWindowDragEnabled && (event.flags & kDragModifiers) == kDragModifiers) {
        std::lock_guard lock(m_mutex);
        if (m_windowDragTask) {
            m_windowDrag.emplace();
            m_windowDrag->generation = ++m_windowDragGeneration;
            m_windowDrag->press = event;
            m_windowDrag->pointer = event.location;
            m_ports.executor.arm(*m_windowDragTask, std::chrono::nanoseconds {0});
            m_pressLedger.recordPress(clickButton(event.type), TapVerdict::swallow);
            return TapVerdict::swallow;
        }
    }
    const auto verdict = countClick(event, settings);
    std::lock_guard lock(m_mutex);
    m_pressLedger.recordPress(clickButton(event.type), verdict);
    return verdict;
}

TapVerdict InputEventInterceptorService::countClick(const TapEvent& event, const InputSettings& settings)
{
    const bool isRight = isRightButton(event.type);
    const std::int64_t button = clickButton(event.type);
    const std::string_view label = isRight ? "Right Click (Btn 2)" : "Left Click (Btn 1)";

    bool counted = false;
    if (settings.engineEnabled && settings.doubleClickGuardEnabled) {
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
            m_tapLogLine.clear();
            fmt::format_to(
                std::back_inserter(m_tapLogLine), "Blocked phantom double-click bounce on {} (threshold: ", label);
            NumberText::appendRoundedWhole(m_tapLogLine, settings.doubleClickGuardThresholdMs);
            fmt::format_to(std::back_inserter(m_tapLogLine), "ms, total: {})", blockedCount);
            m_ports.log.log(TarnLogLevel::warn, "debounce", m_tapLogLine);
            reportFromTap({"Blocked phantom double-click bounce on ", label});
            return TapVerdict::swallow;
        }
        counted = true;
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
    return TapVerdict::pass;
}

TapVerdict InputEventInterceptorService::handleClickUp(const TapEvent& event, const InputSettings& settings)
{
    giveBackDragPress(settings);
    std::lock_guard lock(m_mutex);
    // Either button's release ends a drag begun by either button; the executor still applies the
    // newest position, then forgets the drag.
    if (m_windowDrag && !m_windowDrag->released) {
        m_windowDrag->released = true;
        if (m_windowDragTask) {
            m_ports.executor.arm(*m_windowDragTask, std::chrono::nanoseconds {0});
        }
    }
    // A release follows its press: the press of the other button during a drag was passed, so its
    // release must pass too even though it ends the drag. A release whose press the engine never
    // saw is passed: applications may have seen that press.
    return m_pressLedger.takeRelease(clickButton(event.type)).value_or(TapVerdict::pass);
}

TapVerdict InputEventInterceptorService::handleClickDragged(const TapEvent& event, const InputSettings& settings)
{
    giveBackDragPress(settings);
    std::lock_guard lock(m_mutex);
    if (!m_windowDrag || m_windowDrag->released) {
        return TapVerdict::pass;
    }
    m_windowDrag->pointer = event.location;
    m_windowDrag->pointerPending = true;
    if (m_windowDragTask) {
        m_ports.executor.arm(*m_windowDragTask, std::chrono::nanoseconds {0});
    }
    return TapVerdict::swallow;
}

void InputEventInterceptorService::giveBackDragPress(const InputSettings& settings)
{
    TapEvent press;
    {
        std::lock_guard lock(m_mutex);
        if (!m_windowDrag || m_windowDrag->lookup != WindowDragRequest::Lookup::noWindow) {
            return;
        }
        press = m_windowDrag->press;
        m_windowDrag.reset();
    }
    // As if the drag had never been tried: the guard, counting and ripple see the press, and a
    // press they pass reaches applications, marked, ahead of the event in hand.
    const auto verdict = countClick(press, settings);
    {
        std::lock_guard lock(m_mutex);
        m_pressLedger.recordPress(clickButton(press.type), verdict);
    }
    if (verdict == TapVerdict::pass) {
        press.sourceUserData = kSyntheticMagicTag;
        m_ports.poster.post(press);
    }
}

void InputEventInterceptorService::runWindowDrag()
{
    WindowDragRequest request;
    {
        std::lock_guard lock(m_mutex);
        if (!m_windowDrag) {
            m_draggedWindow.reset();
            return;
        }
        request = *m_windowDrag;
        m_windowDrag->pointerPending = false;
    }
    if (request.generation != m_draggedGeneration) {
        m_draggedGeneration = request.generation;
        m_draggedWindow.reset();
        const auto start = request.press.location;
        if (const auto window = m_ports.windows.windowAt(start)) {
            if (const auto frame = m_ports.windows.frame(*window)) {
                m_draggedWindow
                    = WindowDragSession {*window, start, *frame, request.press.type == TapEventType::rightMouseDown};
            }
        }
        bool releasedWithoutWindow = false;
        {
            std::lock_guard lock(m_mutex);
            if (m_windowDrag && m_windowDrag->generation == request.generation) {
                m_windowDrag->lookup
                    = m_draggedWindow ? WindowDragRequest::Lookup::found : WindowDragRequest::Lookup::noWindow;
                // Released before the lookup ended: the tap thread has nothing left of this drag to
                // give the click back with, so it is given back here, press and release.
                releasedWithoutWindow = !m_draggedWindow && m_windowDrag->released;
                if (releasedWithoutWindow) {
                    m_windowDrag.reset();
                }
            }
        }
        if (releasedWithoutWindow) {
            TapEvent press = request.press;
            press.sourceUserData = kSyntheticMagicTag;
            TapEvent release = press;
            release.type
                = press.type == TapEventType::rightMouseDown ? TapEventType::rightMouseUp : TapEventType::leftMouseUp;
            m_ports.poster.post(press);
            m_ports.poster.post(release);
        }
    }
    // A window that refuses a move or a size is left as it is; the drag still owns the pointer.
    if (m_draggedWindow && request.pointerPending) {
        if (m_draggedWindow->isResizing) {
            (void)m_ports.windows.setSize(m_draggedWindow->window, m_draggedWindow->sizeFor(request.pointer));
        } else {
            (void)m_ports.windows.setPosition(m_draggedWindow->window, m_draggedWindow->originFor(request.pointer));
        }
    }
    std::lock_guard lock(m_mutex);
    if (m_windowDrag && m_windowDrag->generation == request.generation && m_windowDrag->released
        && !m_windowDrag->pointerPending && m_windowDrag->lookup == WindowDragRequest::Lookup::found) {
        m_windowDrag.reset();
    }
}

} // namespace tarn::input
