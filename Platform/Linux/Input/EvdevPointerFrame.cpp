#include "Platform/Linux/Input/EvdevPointerFrame.h"

#include <algorithm>
#include <cmath>

#include "Platform/Linux/Input/EvdevVocabulary.h"
#include "Platform/Linux/PointerLocationCache.h"

#include <linux/input-event-codes.h>

namespace tarn::input {
namespace {

std::optional<std::size_t> buttonIndex(std::uint16_t code)
{
    if (code < BTN_LEFT || code >= BTN_LEFT + 16) {
        return std::nullopt;
    }
    return code - BTN_LEFT;
}

TapEventType buttonEventType(std::int64_t number, bool down)
{
    if (number == ButtonNumber::left) {
        return down ? TapEventType::leftMouseDown : TapEventType::leftMouseUp;
    }
    if (number == ButtonNumber::right) {
        return down ? TapEventType::rightMouseDown : TapEventType::rightMouseUp;
    }
    return down ? TapEventType::otherMouseDown : TapEventType::otherMouseUp;
}

std::int32_t roundedDelta(double delta)
{
    return std::isfinite(delta) ? static_cast<std::int32_t>(std::lround(std::clamp(delta, -1e6, 1e6))) : 0;
}

} // namespace

void EvdevPointerFrame::add(const EvdevEvent& event)
{
    // A frame longer than any pointer sends keeps its first events; the rest cannot be queued
    // without allocating.
    if (m_pendingCount < m_pending.size()) {
        m_pending[m_pendingCount++] = event;
    }
}

bool EvdevPointerFrame::isButtonHeld(int code) const
{
    const auto index = code >= 0 ? buttonIndex(static_cast<std::uint16_t>(code)) : std::nullopt;
    return index && m_heldButtons.test(*index);
}

bool EvdevPointerFrame::deliver(const FrameContext& context, TapEvent& event)
{
    if ((context.eventMask & eventMaskBit(event.type)) == 0) {
        return true;
    }
    return context.handler->handleTapEvent(event) == TapVerdict::pass;
}

void EvdevPointerFrame::locate(const FrameContext& context, TapEvent& event)
{
    event.flags = context.modifierFlags;
    if (context.location == nullptr) {
        return;
    }
    // Without a display server following the pointer, its place is where the motion took it
    // (never above or left of the origin).
    if (!context.location->isFollowedByDisplayServer() && (event.mouseDeltaX != 0 || event.mouseDeltaY != 0)) {
        const auto last = context.location->load();
        context.location->store({std::max(0.0, last.x + event.mouseDeltaX), std::max(0.0, last.y + event.mouseDeltaY)});
    }
    event.location = context.location->load();
}

std::span<const EvdevEvent> EvdevPointerFrame::finish(const FrameContext& context)
{
    m_outCount = 0;
    deliverMotion(context);
    for (std::size_t i = 0; i < m_pendingCount; ++i) {
        if (m_pending[i].type == EV_KEY) {
            deliverKey(context, m_pending[i]);
        }
    }
    deliverWheel(context);
    if (context.handler != nullptr) {
        for (std::size_t i = 0; i < m_pendingCount; ++i) {
            const auto& event = m_pending[i];
            const bool handled = event.type == EV_KEY || event.type == EV_SYN
                || (event.type == EV_REL
                    && (event.code == REL_X || event.code == REL_Y || event.code == REL_WHEEL
                        || event.code == REL_WHEEL_HI_RES || event.code == REL_HWHEEL
                        || event.code == REL_HWHEEL_HI_RES));
            if (!handled) {
                emit(event.type, event.code, event.value);
            }
        }
    }
    m_pendingCount = 0;
    return {m_out.data(), m_outCount};
}

std::span<const EvdevEvent> EvdevPointerFrame::releaseHeldButtons(const FrameContext& context)
{
    m_pendingCount = 0;
    for (std::size_t index = 0; index < kTrackedButtons; ++index) {
        if (m_heldButtons.test(index)) {
            add({EV_KEY, static_cast<std::uint16_t>(BTN_LEFT + index), 0});
        }
    }
    return finish(context);
}

void EvdevPointerFrame::deliverMotion(const FrameContext& context)
{
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    for (std::size_t i = 0; i < m_pendingCount; ++i) {
        const auto& event = m_pending[i];
        if (event.type == EV_REL && event.code == REL_X) {
            dx += event.value;
        } else if (event.type == EV_REL && event.code == REL_Y) {
            dy += event.value;
        }
    }
    if ((dx == 0 && dy == 0) || context.handler == nullptr) {
        return;
    }
    TapEvent event;
    // Motion with a button down is that button's drag; left wins over right, right over the rest.
    event.type = TapEventType::mouseMoved;
    if (m_heldButtons.test(0)) {
        event.type = TapEventType::leftMouseDragged;
    } else if (m_heldButtons.test(1)) {
        event.type = TapEventType::rightMouseDragged;
        event.buttonNumber = ButtonNumber::right;
    } else if (m_heldButtons.any()) {
        for (std::size_t index = 2; index < kTrackedButtons; ++index) {
            if (m_heldButtons.test(index)) {
                event.type = TapEventType::otherMouseDragged;
                event.buttonNumber = evdev::buttonNumberForCode(BTN_LEFT + static_cast<int>(index)).value_or(0);
                break;
            }
        }
    }
    event.mouseDeltaX = dx;
    event.mouseDeltaY = dy;
    locate(context, event);
    if (deliver(context, event)) {
        dx = roundedDelta(event.mouseDeltaX);
        dy = roundedDelta(event.mouseDeltaY);
    }
    if (dx != 0) {
        emit(EV_REL, REL_X, dx);
    }
    if (dy != 0) {
        emit(EV_REL, REL_Y, dy);
    }
}

void EvdevPointerFrame::deliverKey(const FrameContext& context, const EvdevEvent& key)
{
    const auto index = buttonIndex(key.code);
    const auto number = evdev::buttonNumberForCode(key.code);
    if (!index || !number) {
        if (context.handler == nullptr) {
            return;
        }
        // A keyboard key on a pointer device (many gaming mice have some): shown to the key HUD,
        // passed on unchanged; a release always passes.
        bool pass = true;
        const auto ansi = evdev::ansiKeyForCode(key.code);
        // Modifier keys alone are flags, not key presses.
        if (key.value == 1 && ansi && evdev::modifierFlagForCode(key.code) == 0) {
            TapEvent event;
            event.type = TapEventType::keyDown;
            event.keyCode = *ansi;
            locate(context, event);
            pass = deliver(context, event);
        }
        if (pass) {
            emit(EV_KEY, key.code, key.value);
        }
        return;
    }
    if (key.value == 2) {
        return;
    }
    const bool down = key.value != 0;
    m_heldButtons.set(*index, down);
    if (context.handler == nullptr) {
        return;
    }
    TapEvent event;
    event.type = buttonEventType(*number, down);
    event.buttonNumber = *number;
    locate(context, event);
    const bool pass = deliver(context, event);
    if (pass) {
        // The handler may change which button it is; the twin presses that one.
        const auto code = event.buttonNumber == *number ? std::optional<int>(key.code)
                                                        : evdev::codeForButtonNumber(event.buttonNumber);
        if (code) {
            emit(EV_KEY, static_cast<std::uint16_t>(*code), key.value);
            if (const auto outIndex = buttonIndex(static_cast<std::uint16_t>(*code))) {
                m_passedDown.set(*outIndex, down);
            }
        }
    } else if (!down && m_passedDown.test(*index)) {
        // A release whose press went out is never held back: the button would stay down.
        emit(EV_KEY, key.code, 0);
        m_passedDown.reset(*index);
    }
}

void EvdevPointerFrame::deliverWheel(const FrameContext& context)
{
    std::int32_t wheel = 0;
    std::int32_t wheelHiRes = 0;
    std::int32_t hwheel = 0;
    std::int32_t hwheelHiRes = 0;
    bool hasHiRes = false;
    bool hasHHiRes = false;
    for (std::size_t i = 0; i < m_pendingCount; ++i) {
        const auto& event = m_pending[i];
        if (event.type != EV_REL) {
            continue;
        }
        switch (event.code) {
        case REL_WHEEL:
            wheel += event.value;
            break;
        case REL_WHEEL_HI_RES:
            wheelHiRes += event.value, hasHiRes = true;
            break;
        case REL_HWHEEL:
            hwheel += event.value;
            break;
        case REL_HWHEEL_HI_RES:
            hwheelHiRes += event.value, hasHHiRes = true;
            break;
        default:
            break;
        }
    }
    if ((wheel == 0 && wheelHiRes == 0 && hwheel == 0 && hwheelHiRes == 0) || context.handler == nullptr) {
        return;
    }
    TapEvent event;
    event.type = TapEventType::scrollWheel;
    event.scrollDeltaAxis1 = hasHiRes ? wheelHiRes / double(evdev::kHiResUnitsPerLine) : wheel;
    event.scrollDeltaAxis2
        = evdev::horizontalLinesForHWheel(hasHHiRes ? hwheelHiRes / double(evdev::kHiResUnitsPerLine) : hwheel);
    locate(context, event);
    const TapEvent original = event;
    if (!deliver(context, event)) {
        return;
    }
    if (event.scrollDeltaAxis1 == original.scrollDeltaAxis1 && event.scrollDeltaAxis2 == original.scrollDeltaAxis2) {
        // Untouched: out as it came. The twin announces both resolutions, and libinput then reads
        // only the high one, so a wheel without it gets its detents in high-resolution units too.
        m_wheel.reset();
        m_hwheel.reset();
        for (std::size_t i = 0; i < m_pendingCount; ++i) {
            const auto& raw = m_pending[i];
            if (raw.type == EV_REL
                && (raw.code == REL_WHEEL || raw.code == REL_WHEEL_HI_RES || raw.code == REL_HWHEEL
                    || raw.code == REL_HWHEEL_HI_RES)) {
                emit(raw.type, raw.code, raw.value);
            }
        }
        if (!hasHiRes && wheel != 0) {
            emit(EV_REL, REL_WHEEL_HI_RES, wheel * evdev::kHiResUnitsPerLine);
        }
        if (!hasHHiRes && hwheel != 0) {
            emit(EV_REL, REL_HWHEEL_HI_RES, hwheel * evdev::kHiResUnitsPerLine);
        }
        return;
    }
    const auto vertical = m_wheel.encode(event.scrollDeltaAxis1);
    const auto horizontal = m_hwheel.encode(evdev::hwheelForHorizontalLines(event.scrollDeltaAxis2));
    if (vertical.detents != 0) {
        emit(EV_REL, REL_WHEEL, vertical.detents);
    }
    if (vertical.hiRes != 0) {
        emit(EV_REL, REL_WHEEL_HI_RES, vertical.hiRes);
    }
    if (horizontal.detents != 0) {
        emit(EV_REL, REL_HWHEEL, horizontal.detents);
    }
    if (horizontal.hiRes != 0) {
        emit(EV_REL, REL_HWHEEL_HI_RES, horizontal.hiRes);
    }
}

void EvdevPointerFrame::emit(std::uint16_t type, std::uint16_t code, std::int32_t value)
{
    if (m_outCount < m_out.size()) {
        m_out[m_outCount++] = {type, code, value};
    }
}

} // namespace tarn::input
