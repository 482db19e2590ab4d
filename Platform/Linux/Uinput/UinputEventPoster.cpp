#include "Platform/Linux/Uinput/UinputEventPoster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <optional>
#include <vector>

#include "Platform/Linux/Input/EvdevEvent.h"
#include "Platform/Linux/Input/EvdevVocabulary.h"
#include "Platform/Linux/Uinput/PostedShortcutTable.h"
#include "Platform/Linux/Uinput/UsKeyboardText.h"
#include "Platform/Linux/Uinput/VirtualInputDevice.h"
#include "Platform/Linux/Uinput/WheelEncoder.h"

#include <linux/input-event-codes.h>

namespace tarn::input {
namespace {

// Smooth scrolling travels 28 pixels for each line of wheel motion.
constexpr double kPixelsPerLine = 28;

bool isButtonDown(TapEventType type)
{
    return type == TapEventType::leftMouseDown || type == TapEventType::rightMouseDown
        || type == TapEventType::otherMouseDown;
}

bool isButtonUp(TapEventType type)
{
    return type == TapEventType::leftMouseUp || type == TapEventType::rightMouseUp
        || type == TapEventType::otherMouseUp;
}

bool isMotion(TapEventType type)
{
    return type == TapEventType::mouseMoved || type == TapEventType::leftMouseDragged
        || type == TapEventType::rightMouseDragged || type == TapEventType::otherMouseDragged;
}

} // namespace

struct UinputEventPoster::Impl {
    std::mutex mutex;
    std::unique_ptr<VirtualInputDevice> keyboard;
    std::unique_ptr<VirtualInputDevice> pointer;
    WheelEncoder wheel;
    WheelEncoder hwheel;

    void pressChord(const KeyChord& chord, bool down)
    {
        std::array<EvdevEvent, std::tuple_size_v<decltype(chord.modifiers)> + 1> events {};
        std::size_t count = 0;
        if (down) {
            for (std::size_t i = 0; i < chord.modifierCount; ++i) {
                events[count++] = {EV_KEY, static_cast<std::uint16_t>(chord.modifiers[i]), 1};
            }
            events[count++] = {EV_KEY, static_cast<std::uint16_t>(chord.key), 1};
        } else {
            events[count++] = {EV_KEY, static_cast<std::uint16_t>(chord.key), 0};
            for (std::size_t i = chord.modifierCount; i > 0; --i) {
                events[count++] = {EV_KEY, static_cast<std::uint16_t>(chord.modifiers[i - 1]), 0};
            }
        }
        keyboard->writeFrame({events.data(), count});
    }

    void postButton(const TapEvent& event, bool down)
    {
        if (const auto code = evdev::codeForButtonNumber(event.buttonNumber)) {
            const EvdevEvent press {EV_KEY, static_cast<std::uint16_t>(*code), down ? 1 : 0};
            pointer->writeFrame({&press, 1});
        }
    }

    void postMotion(const TapEvent& event)
    {
        std::array<EvdevEvent, 2> events {};
        std::size_t count = 0;
        const auto dx = std::isfinite(event.mouseDeltaX) ? std::lround(event.mouseDeltaX) : 0;
        const auto dy = std::isfinite(event.mouseDeltaY) ? std::lround(event.mouseDeltaY) : 0;
        if (dx != 0) {
            events[count++] = {EV_REL, REL_X, static_cast<std::int32_t>(std::clamp(dx, -32768L, 32767L))};
        }
        if (dy != 0) {
            events[count++] = {EV_REL, REL_Y, static_cast<std::int32_t>(std::clamp(dy, -32768L, 32767L))};
        }
        if (count != 0) {
            pointer->writeFrame({events.data(), count});
        }
    }

    void postScroll(const TapEvent& event)
    {
        const double vertical
            = event.scrollIsContinuous ? event.scrollPointDeltaAxis1 / kPixelsPerLine : event.scrollDeltaAxis1;
        const double horizontal
            = event.scrollIsContinuous ? event.scrollPointDeltaAxis2 / kPixelsPerLine : event.scrollDeltaAxis2;
        const auto v = wheel.encode(vertical);
        const auto h = hwheel.encode(evdev::hwheelForHorizontalLines(horizontal));
        std::array<EvdevEvent, 4> events {};
        std::size_t count = 0;
        if (v.detents != 0) {
            events[count++] = {EV_REL, REL_WHEEL, v.detents};
        }
        if (v.hiRes != 0) {
            events[count++] = {EV_REL, REL_WHEEL_HI_RES, v.hiRes};
        }
        if (h.detents != 0) {
            events[count++] = {EV_REL, REL_HWHEEL, h.detents};
        }
        if (h.hiRes != 0) {
            events[count++] = {EV_REL, REL_HWHEEL_HI_RES, h.hiRes};
        }
        if (count != 0) {
            pointer->writeFrame({events.data(), count});
        }
    }
};

UinputEventPoster::UinputEventPoster()
    : m_impl(std::make_unique<Impl>())
{
}

UinputEventPoster::~UinputEventPoster()
{
    close();
}

bool UinputEventPoster::open()
{
    std::lock_guard lock(m_impl->mutex);
    if (m_impl->keyboard && m_impl->pointer) {
        return true;
    }
    auto keyboard = VirtualInputDevice::createKeyboard();
    auto pointer = VirtualInputDevice::createPointer();
    if (!keyboard || !pointer) {
        return false;
    }
    m_impl->keyboard = std::move(keyboard);
    m_impl->pointer = std::move(pointer);
    return true;
}

void UinputEventPoster::close()
{
    std::lock_guard lock(m_impl->mutex);
    // Each device lifts what it holds as it goes.
    m_impl->keyboard.reset();
    m_impl->pointer.reset();
    m_impl->wheel.reset();
    m_impl->hwheel.reset();
}

void UinputEventPoster::post(const TapEvent& event)
{
    std::lock_guard lock(m_impl->mutex);
    if (!m_impl->keyboard || !m_impl->pointer) {
        return;
    }
    if (event.type == TapEventType::keyDown || event.type == TapEventType::keyUp) {
        if (const auto chord = keyChordForShortcut(event.keyCode, event.flags)) {
            m_impl->pressChord(*chord, event.type == TapEventType::keyDown);
        }
    } else if (isButtonDown(event.type) || isButtonUp(event.type)) {
        m_impl->postButton(event, isButtonDown(event.type));
    } else if (isMotion(event.type)) {
        m_impl->postMotion(event);
    } else if (event.type == TapEventType::scrollWheel) {
        m_impl->postScroll(event);
    }
}

void UinputEventPoster::postText(std::string_view utf8, std::int64_t /*sourceUserData*/)
{
    for (const char character : utf8) {
        const auto chord = usKeyboardChordFor(character);
        if (!chord) {
            continue;
        }
        // One character at a time, so that `close` never waits for a whole text.
        std::lock_guard lock(m_impl->mutex);
        if (!m_impl->keyboard) {
            return;
        }
        m_impl->pressChord(*chord, true);
        m_impl->pressChord(*chord, false);
    }
}

} // namespace tarn::input
