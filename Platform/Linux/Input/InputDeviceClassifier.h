#pragma once

// Decides what the tap does with an input device: grab it as a pointer (mice, trackballs, the
// mouse interface of a receiver: anything that moves relatively), read it as a keyboard without
// grabbing, or leave it alone (touchpads, tablets, touchscreens and pointing sticks stay with
// libinput for their gestures; our own virtual devices are never read back). udev's ID_INPUT_*
// properties decide where udev has classified the device; capability bits decide where it has
// not (no udev daemon, as in containers and minimal systems).

#include <string_view>

namespace tarn::input {

enum class InputDeviceRole { ignored, pointer, keyboard };

struct InputDeviceTraits {
    bool ours = false;
    // udev's classification; `udevClassified` is false when udev set no ID_INPUT at all.
    bool udevClassified = false;
    bool udevMouse = false;
    bool udevKeyboard = false;
    bool udevTouchpad = false;
    bool udevTablet = false;
    bool udevTouchscreen = false;
    bool udevPointingStick = false;
    bool udevJoystick = false;
    // From the kernel's capability bits.
    bool relativeXY = false;
    bool mouseButton = false;
    bool absoluteXY = false;
    bool pointingStickProperty = false;
    bool letterKeys = false;
};

InputDeviceRole classifyInputDevice(const InputDeviceTraits& traits);

// Fills the capability fields from the kernel's sysfs bitmaps (capabilities/rel, /abs, /key and
// properties: hexadecimal words, most significant first). Text that is not a bitmap sets nothing.
void readCapabilityBitmaps(InputDeviceTraits& traits, std::string_view rel, std::string_view abs, std::string_view key,
    std::string_view properties);

} // namespace tarn::input
