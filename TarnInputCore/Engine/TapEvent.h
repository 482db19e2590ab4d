#pragma once

// The one event value the engine examines and posts. It keeps the desktop event vocabulary the
// settings file is written in (type numbers, button numbers, flag bits, ANSI key codes, scroll
// fields); platform adapters translate to and from it at the edge and nowhere else.

#include <chrono>
#include <cstdint>

#include "TarnInputCore/Model/Keys/EventFlag.h"
#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn::input {

// Engine time is the monotonic clock: event timing never follows the wall clock.
using EngineTime = tarn::MonotonicTime;

// Written into `sourceUserData` of every event the program posts ("TARN"). The tap passes events
// carrying it untouched, so the engine never reacts to its own output.
inline constexpr std::int64_t kSyntheticMagicTag = 0x5441524E;

enum class TapEventType : std::uint32_t {
    leftMouseDown = 1,
    leftMouseUp = 2,
    rightMouseDown = 3,
    rightMouseUp = 4,
    mouseMoved = 5,
    leftMouseDragged = 6,
    rightMouseDragged = 7,
    keyDown = 10,
    keyUp = 11,
    scrollWheel = 22,
    otherMouseDown = 25,
    otherMouseUp = 26,
    otherMouseDragged = 27,
    // Notices, not input. The tap thread is done with one wake-up and what it had to write is out:
    // the moment for work that must not hold up a frame, such as waking another thread.
    tapFramesOut = 0xFFFFFFFC,
    // The owner asked the tap thread to look at its requests (`EventTap::wake`).
    tapWoken = 0xFFFFFFFD,
    // The system switched the tap off (a handler took too long, or user input).
    tapDisabledByTimeout = 0xFFFFFFFE,
    tapDisabledByUserInput = 0xFFFFFFFF,
};

// The types the tap listens to: buttons, motion, key down, wheel. Key up and modifier changes are
// not tapped.
inline constexpr std::uint64_t eventMaskBit(TapEventType type)
{
    return std::uint64_t {1} << static_cast<std::uint32_t>(type);
}
inline constexpr std::uint64_t kTappedEventMask = eventMaskBit(TapEventType::leftMouseDown)
    | eventMaskBit(TapEventType::leftMouseUp) | eventMaskBit(TapEventType::rightMouseDown)
    | eventMaskBit(TapEventType::rightMouseUp) | eventMaskBit(TapEventType::mouseMoved)
    | eventMaskBit(TapEventType::leftMouseDragged) | eventMaskBit(TapEventType::rightMouseDragged)
    | eventMaskBit(TapEventType::keyDown) | eventMaskBit(TapEventType::scrollWheel)
    | eventMaskBit(TapEventType::otherMouseDown) | eventMaskBit(TapEventType::otherMouseUp)
    | eventMaskBit(TapEventType::otherMouseDragged);
static_assert(kTappedEventMask == 0xE4004FE);

// Button numbers of mouse events: 0 left, 1 right, 2 middle, 3 back, 4 forward, 5 and up further
// side buttons.
namespace ButtonNumber {
inline constexpr std::int64_t left = 0;
inline constexpr std::int64_t right = 1;
inline constexpr std::int64_t middle = 2;
inline constexpr std::int64_t back = 3;
inline constexpr std::int64_t forward = 4;
} // namespace ButtonNumber

// A point in global display coordinates: origin at the top left of the main screen, y grows
// downward.
struct EventPoint {
    double x = 0;
    double y = 0;
    bool operator==(const EventPoint&) const = default;
};

struct TapEvent {
    TapEventType type = TapEventType::mouseMoved;
    EventPoint location;
    std::uint64_t flags = 0;
    std::int64_t buttonNumber = 0; // mouse events
    double mouseDeltaX = 0; // relative motion of this report
    double mouseDeltaY = 0;
    std::uint16_t keyCode = 0; // key events, ANSI virtual key code
    double scrollDeltaAxis1 = 0; // vertical wheel, in lines
    double scrollDeltaAxis2 = 0; // horizontal wheel
    bool scrollIsContinuous = false; // trackpads and other continuous surfaces
    double scrollPointDeltaAxis1 = 0; // pixel deltas of continuous scrolling
    double scrollPointDeltaAxis2 = 0;
    std::int64_t sourceUserData = 0; // the synthetic-event marker lives here

    bool isSynthetic() const { return sourceUserData == kSyntheticMagicTag; }
    bool operator==(const TapEvent&) const = default;
};

// What a handler decided: the event continues (possibly modified in place) or is swallowed.
enum class TapVerdict { pass, swallow };

} // namespace tarn::input
