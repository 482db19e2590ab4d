#pragma once

// The evdev codes of the input devices and the engine's own event vocabulary, translated both ways
// from one table each: mouse buttons, the keys of the ANSI layout, modifier keys and the wheels.
// Codes are plain integers here so that no kernel header leaks into the rest of the tree.

#include <cstdint>
#include <optional>

namespace tarn::input::evdev {

// A button code (BTN_LEFT …) to the engine's button number (0 left, 1 right, 2 middle, 3 back,
// 4 forward, 5 and up further side buttons); none for a code that is not a mouse button.
std::optional<std::int64_t> buttonNumberForCode(int code);
// The other way: the button code a posted button number presses; none past the last one.
std::optional<int> codeForButtonNumber(std::int64_t buttonNumber);

// A key code (KEY_A …) to the engine's ANSI virtual key code, and back. Keys the ANSI layout does
// not have are none. Mind that virtual key 103 is F11 while evdev 103 is KEY_UP.
std::optional<std::uint16_t> ansiKeyForCode(int code);
std::optional<int> codeForAnsiKey(std::uint16_t ansiKey);

// The engine's modifier flag a modifier key stands for: Super → Command, Alt → Option,
// Ctrl → Control, Shift → Shift; 0 for any other key.
std::uint64_t modifierFlagForCode(int code);

// Wheel units: one detent is 120 high-resolution units, and the engine counts wheel lines.
inline constexpr int kHiResUnitsPerLine = 120;
// The engine's horizontal axis grows to the left; REL_HWHEEL grows to the right.
inline constexpr double horizontalLinesForHWheel(double hwheelLines)
{
    return -hwheelLines;
}
inline constexpr double hwheelForHorizontalLines(double horizontalLines)
{
    return -horizontalLines;
}

} // namespace tarn::input::evdev
