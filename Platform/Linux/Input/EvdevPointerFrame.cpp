#include "Platform/Linux/Input/EvdevPointerFrame.h"

#include <algorithm>

#include "Platform/Linux/Input/EvdevVocabulary.h"
#include "Platform/Linux/X11/PointerLocationCache.h"

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

bool isWheel(const EvdevEvent& event)
{
    return event.type == EV_REL
        && (event.code == REL_WHEEL || event.code == REL_WHEEL_HI_RES || event.code == REL_HWHEEL
            || event.code == REL_HWHEEL_HI_RES);
}

bool isMotion(const EvdevEvent& event)
{
    return event.type == EV_REL && (event.code == REL_X || event.code == REL_Y);
}

} // namespace

void EvdevPointerFrame::add(const EvdevEvent& event)
{
    // A frame longer than any pointer sends keeps its first events; the rest cannot be queued
    // without allocating.
    if (m_pendingCount == m_pending.size()) {
        return;
    }
    m_pending[m_pendingCount++] = event;
    if (isMotion(event)) {
        (event.code == REL_X ? m_dx : m_dy) += event.value;
    } else if (event.type == EV_KEY || isWheel(event)) {
        m_needsVerdict = true;
    } else if (event.type != EV_SYN) {
        m_hasOthers = true;
    }
}

void EvdevPointerFrame::discardPending()
{
    m_pendingCount = 0;
    m_dx = 0;
    m_dy = 0;
    m_needsVerdict = false;
    m_hasOthers = false;
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

void EvdevPointerFrame::deliverMotion(const FrameContext& context, TapEvent& motion)
{
    if (context.handler == nullptr) {
        return;
    }
    locate(context, motion);
    // Its verdict changes nothing: the motion is out already.
    (void)deliver(context, motion);
}

bool EvdevPointerFrame::finish(const FrameContext& context, UinputWriteBuffer& out, TapEvent& motion)
{
    bool afterWrite = false;
    if (context.handler == nullptr) {
        // Not ours: only the buttons are followed, so that a grab waits until none is down.
        for (std::size_t i = 0; m_needsVerdict && i < m_pendingCount; ++i) {
            if (m_pending[i].type == EV_KEY) {
                deliverKey(context, m_pending[i], out);
            }
        }
    } else if (m_needsVerdict) {
        const std::size_t start = out.size();
        if (m_dx != 0 || m_dy != 0) {
            auto moved = this->motion();
            deliverMotion(context, moved);
        }
        emitMotion(out);
        for (std::size_t i = 0; i < m_pendingCount; ++i) {
            if (m_pending[i].type == EV_KEY) {
                deliverKey(context, m_pending[i], out);
            }
        }
        deliverWheel(context, out);
        emitOthers(out);
        if (out.size() != start) {
            out.endFrame();
        }
    } else if (m_dx != 0 || m_dy != 0 || m_hasOthers) {
        emitMotion(out);
        emitOthers(out);
        out.endFrame();
        afterWrite = m_dx != 0 || m_dy != 0;
        if (afterWrite) {
            motion = this->motion();
        }
    }
    discardPending();
    return afterWrite;
}

void EvdevPointerFrame::releaseHeldButtons(const FrameContext& context, UinputWriteBuffer& out)
{
    discardPending();
    for (std::size_t index = 0; index < kTrackedButtons; ++index) {
        if (m_heldButtons.test(index)) {
            add({EV_KEY, static_cast<std::uint16_t>(BTN_LEFT + index), 0});
        }
    }
    TapEvent none;
    (void)finish(context, out, none);
}

TapEvent EvdevPointerFrame::motion() const
{
    TapEvent event;
    event.mouseDeltaX = m_dx;
    event.mouseDeltaY = m_dy;
    // Motion with a button down is that button's drag; left wins over right, right over the rest.
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
    return event;
}

void EvdevPointerFrame::emitMotion(UinputWriteBuffer& out) const
{
    if (m_dx != 0) {
        out.push(EV_REL, REL_X, m_dx);
    }
    if (m_dy != 0) {
        out.push(EV_REL, REL_Y, m_dy);
    }
}

void EvdevPointerFrame::emitOthers(UinputWriteBuffer& out) const
{
    // What the engine has no word for (other axes, scan codes) passes as it came.
    for (std::size_t i = 0; m_hasOthers && i < m_pendingCount; ++i) {
        const auto& event = m_pending[i];
        if (event.type != EV_KEY && event.type != EV_SYN && !isMotion(event) && !isWheel(event)) {
            out.push(event.type, event.code, event.value);
        }
    }
}

void EvdevPointerFrame::deliverKey(const FrameContext& context, const EvdevEvent& key, UinputWriteBuffer& out)
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
            out.push(EV_KEY, key.code, key.value);
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
            out.push(EV_KEY, static_cast<std::uint16_t>(*code), key.value);
            if (const auto outIndex = buttonIndex(static_cast<std::uint16_t>(*code))) {
                m_passedDown.set(*outIndex, down);
            }
        }
    } else if (!down && m_passedDown.test(*index)) {
        // A release whose press went out is never held back: the button would stay down.
        out.push(EV_KEY, key.code, 0);
        m_passedDown.reset(*index);
    }
}

void EvdevPointerFrame::deliverWheel(const FrameContext& context, UinputWriteBuffer& out)
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
    if (wheel == 0 && wheelHiRes == 0 && hwheel == 0 && hwheelHiRes == 0) {
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
            if (isWheel(raw)) {
                out.push(raw.type, raw.code, raw.value);
            }
        }
        if (!hasHiRes && wheel != 0) {
            out.push(EV_REL, REL_WHEEL_HI_RES, wheel * evdev::kHiResUnitsPerLine);
        }
        if (!hasHHiRes && hwheel != 0) {
            out.push(EV_REL, REL_HWHEEL_HI_RES, hwheel * evdev::kHiResUnitsPerLine);
        }
        return;
    }
    const auto vertical = m_wheel.encode(event.scrollDeltaAxis1);
    const auto horizontal = m_hwheel.encode(evdev::hwheelForHorizontalLines(event.scrollDeltaAxis2));
    if (vertical.detents != 0) {
        out.push(EV_REL, REL_WHEEL, vertical.detents);
    }
    if (vertical.hiRes != 0) {
        out.push(EV_REL, REL_WHEEL_HI_RES, vertical.hiRes);
    }
    if (horizontal.detents != 0) {
        out.push(EV_REL, REL_HWHEEL, horizontal.detents);
    }
    if (horizontal.hiRes != 0) {
        out.push(EV_REL, REL_HWHEEL_HI_RES, horizontal.hiRes);
    }
}

} // namespace tarn::input
