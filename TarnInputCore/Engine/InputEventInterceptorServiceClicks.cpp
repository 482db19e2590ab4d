// Left and right buttons: the Control+Option window drag, the double-click guard, click counting,
// telemetry and ripples.
//
// A window drag touches windows only on the executor: looking up the window under the pointer and
// moving it are round trips to the display server, which must never hold up the tap thread. The
// press is taken at once; the executor finds the window, then applies only the newest pointer
// position whenever it gets to it. When no window is found, the press is given back to
// applications as an ordinary click (WindowDragQueue says when and whether). The queue is the tap
// thread's alone: the executor gets lookups and positions and answers through lock-free hand-overs,
// and every click given back is posted by the tap thread, in order with the presses it passes.

#include <iterator>
#include <limits>

#include <fmt/format.h>

#include "TarnInputCore/Engine/InputEventInterceptorService.h"
#include "TarnKit/Foundation/Text/NumberText.h"

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
    giveBackDragPresses(settings);
    const std::int64_t button = clickButton(event.type);
    if (settings.engineEnabled && settings.easyWindowDragEnabled && (event.flags & kDragModifiers) == kDragModifiers) {
        if (m_windowDragTask) {
            if (const auto lookup = m_windowDrags.begin(event)) {
                // Never full: it has a cell for every press the queue lets wait.
                (void)m_dragLookups.push(*lookup);
                m_ports.executor.arm(*m_windowDragTask, std::chrono::nanoseconds {0});
                m_pressLedger.recordPress(button, TapVerdict::swallow);
                return TapVerdict::swallow;
            }
        }
    }
    const auto verdict = countClick(event, settings);
    recordClickPress(button, verdict);
    return verdict;
}

void InputEventInterceptorService::recordClickPress(std::int64_t button, TapVerdict verdict)
{
    m_pressLedger.recordPress(button, verdict);
    if (verdict == TapVerdict::pass) {
        // Older Control+Option presses of this button must not come back after this one.
        m_windowDrags.notePassedPress(button);
    }
}

TapVerdict InputEventInterceptorService::countClick(const TapEvent& event, const InputSettings& settings)
{
    const bool isRight = isRightButton(event.type);
    const std::int64_t button = clickButton(event.type);
    const std::string_view label = isRight ? "Right Click (Btn 2)" : "Left Click (Btn 1)";

    bool counted = false;
    if (settings.engineEnabled && settings.doubleClickGuardEnabled) {
        m_lastButtonLabel = label;
        const bool blocked = m_debounceGuard.shouldBlockBounce(
            button, m_ports.clock.now(), DoubleClickDebounceGuard::Milliseconds(settings.doubleClickGuardThresholdMs));
        m_calibrationTracker.recordClick(blocked);
        emitTelemetry();
        emitCalibration();
        if (blocked) {
            m_tapLogLine.clear();
            fmt::format_to(
                std::back_inserter(m_tapLogLine), "Blocked phantom double-click bounce on {} (threshold: ", label);
            NumberText::appendRoundedWhole(m_tapLogLine, settings.doubleClickGuardThresholdMs);
            fmt::format_to(std::back_inserter(m_tapLogLine), "ms, total: {})", m_debounceGuard.blockedCount());
            m_ports.log.log(TarnLogLevel::warn, "debounce", m_tapLogLine);
            reportFromTap({"Blocked phantom double-click bounce on ", label});
            return TapVerdict::swallow;
        }
        counted = true;
    }
    if (!counted) {
        m_lastButtonLabel = label;
        m_calibrationTracker.recordClick(false);
        emitTelemetry();
        emitCalibration();
    }
    // The overlay draws in the same global coordinates the event carries (y downward).
    if (settings.clickRippleEnabled && m_callbacks.onClickRipple) {
        report(m_callbacks.onClickRipple, ClickRippleEvent {{event.location.x, event.location.y}, isRight});
    }
    return TapVerdict::pass;
}

TapVerdict InputEventInterceptorService::handleClickUp(const TapEvent& event, const InputSettings& settings)
{
    giveBackDragPresses(settings);
    const std::int64_t button = clickButton(event.type);
    // Either button's release ends a drag begun by either button; the executor still applies the
    // newest position.
    if (m_windowDrags.release(button)) {
        giveBackDragClicks();
        sendDragMove();
    }
    // A release follows its press: the press of the other button during a drag was passed, so its
    // release must pass too even though it ends the drag. A release whose press the engine never
    // saw is passed: applications may have seen that press.
    return m_pressLedger.takeRelease(button).value_or(TapVerdict::pass);
}

TapVerdict InputEventInterceptorService::handleClickDragged(const TapEvent& event, const InputSettings& settings)
{
    giveBackDragPresses(settings);
    if (!m_windowDrags.movePointer(event.location)) {
        return TapVerdict::pass;
    }
    sendDragMove();
    return TapVerdict::swallow;
}

void InputEventInterceptorService::giveBackDragPresses(const InputSettings& settings)
{
    while (auto press = m_windowDrags.takePressToGiveBack()) {
        // As if the drag had never been tried: the guard, counting and ripple see the press, and a
        // press they pass reaches applications, marked, ahead of the event in hand.
        const auto verdict = countClick(*press, settings);
        recordClickPress(clickButton(press->type), verdict);
        if (verdict == TapVerdict::pass) {
            press->sourceUserData = kSyntheticMagicTag;
            m_ports.poster.post(*press);
        }
    }
}

void InputEventInterceptorService::takeDragAnswers()
{
    bool answered = false;
    while (const auto answer = m_dragAnswers.pop()) {
        (void)m_windowDrags.answer(answer->generation, answer->windowFound);
        answered = true;
    }
    if (answered) {
        giveBackDragClicks();
        sendDragMove();
    }
}

void InputEventInterceptorService::giveBackDragClicks()
{
    while (auto press = m_windowDrags.takeClickToGiveBack()) {
        press->sourceUserData = kSyntheticMagicTag;
        TapEvent release = *press;
        release.type
            = press->type == TapEventType::rightMouseDown ? TapEventType::rightMouseUp : TapEventType::leftMouseUp;
        m_ports.poster.post(*press);
        m_ports.poster.post(release);
    }
}

void InputEventInterceptorService::sendDragMove()
{
    // Also forgets a drag that has ended, once its last position is taken.
    const auto step = m_windowDrags.takeDragStep();
    if (step && m_windowDragTask) {
        m_dragMoves.publish({++m_dragMoveCount, *step});
        m_ports.executor.arm(*m_windowDragTask, std::chrono::nanoseconds {0});
    }
}

void InputEventInterceptorService::runWindowDrag()
{
    while (const auto lookup = m_dragLookups.pop()) {
        std::optional<WindowDragSession> session;
        const auto start = lookup->press.location;
        if (const auto window = m_ports.windows.windowAt(start)) {
            if (const auto frame = m_ports.windows.frame(*window)) {
                session
                    = WindowDragSession {*window, start, *frame, lookup->press.type == TapEventType::rightMouseDown};
            }
        }
        if (session) {
            // Whether it becomes the drag is the tap thread's to say; only its moves are sent.
            m_draggedGeneration = lookup->generation;
            m_draggedWindow = session;
        }
        // Never full: one cell for every press the queue lets wait.
        (void)m_dragAnswers.push({lookup->generation, session.has_value()});
        m_ports.tap.wake();
    }
    const auto move = m_dragMoves.read();
    if (move.number == m_appliedDragMove) {
        return;
    }
    m_appliedDragMove = move.number;
    // A window that refuses a move or a size is left as it is; the drag still owns the pointer.
    if (m_draggedWindow && move.step.generation == m_draggedGeneration) {
        if (m_draggedWindow->isResizing) {
            (void)m_ports.windows.setSize(m_draggedWindow->window, m_draggedWindow->sizeFor(move.step.pointer));
        } else {
            (void)m_ports.windows.setPosition(m_draggedWindow->window, m_draggedWindow->originFor(move.step.pointer));
        }
    }
}

} // namespace tarn::input
