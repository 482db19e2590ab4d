#include "Platform/Linux/Input/InputDeviceClassifier.h"

#include <array>
#include <charconv>
#include <cstdint>

#include <linux/input-event-codes.h>

namespace tarn::input {
namespace {

// Large enough for every key code (KEY_MAX is 0x2ff); longer text is not a capability bitmap.
constexpr std::size_t kMaxWords = (KEY_MAX + 64) / 64;

class Bitmap {
public:
    // Words are separated by one space and written most significant first, without leading zeros.
    static Bitmap parse(std::string_view text)
    {
        Bitmap bitmap;
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
            text.remove_suffix(1);
        }
        std::size_t word = 0;
        while (!text.empty()) {
            if (word == kMaxWords) {
                return {};
            }
            const auto space = text.rfind(' ');
            const auto token = space == std::string_view::npos ? text : text.substr(space + 1);
            std::uint64_t value = 0;
            const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value, 16);
            if (error != std::errc {} || end != token.data() + token.size() || token.empty()) {
                return {};
            }
            bitmap.m_words[word++] = value;
            text = space == std::string_view::npos ? std::string_view {} : text.substr(0, space);
        }
        return bitmap;
    }

    bool has(int bit) const
    {
        const auto index = static_cast<std::size_t>(bit) / 64;
        return index < kMaxWords && ((m_words[index] >> (bit % 64)) & 1U) != 0;
    }

private:
    std::array<std::uint64_t, kMaxWords> m_words {};
};

bool hasAnyMouseButton(const Bitmap& keys)
{
    for (int code = BTN_MOUSE; code < BTN_JOYSTICK; ++code) {
        if (keys.has(code)) {
            return true;
        }
    }
    return false;
}

} // namespace

InputDeviceRole classifyInputDevice(const InputDeviceTraits& traits)
{
    if (traits.ours) {
        return InputDeviceRole::ignored;
    }
    if (traits.udevClassified) {
        if (traits.udevTouchpad || traits.udevTablet || traits.udevTouchscreen || traits.udevPointingStick
            || traits.udevJoystick) {
            return InputDeviceRole::ignored;
        }
        // udev calls some absolute devices (virtual machines' tablets) mice too: only relative
        // motion is ours to grab.
        if (traits.udevMouse && traits.relativeXY) {
            return InputDeviceRole::pointer;
        }
        return traits.udevKeyboard ? InputDeviceRole::keyboard : InputDeviceRole::ignored;
    }
    if (traits.absoluteXY || traits.pointingStickProperty) {
        return InputDeviceRole::ignored;
    }
    if (traits.relativeXY && traits.mouseButton) {
        return InputDeviceRole::pointer;
    }
    return traits.letterKeys ? InputDeviceRole::keyboard : InputDeviceRole::ignored;
}

void readCapabilityBitmaps(InputDeviceTraits& traits, std::string_view rel, std::string_view abs, std::string_view key,
    std::string_view properties)
{
    const auto relBits = Bitmap::parse(rel);
    const auto absBits = Bitmap::parse(abs);
    const auto keyBits = Bitmap::parse(key);
    const auto propBits = Bitmap::parse(properties);
    traits.relativeXY = relBits.has(REL_X) && relBits.has(REL_Y);
    traits.absoluteXY = absBits.has(ABS_X) && absBits.has(ABS_Y);
    traits.mouseButton = hasAnyMouseButton(keyBits);
    traits.pointingStickProperty = propBits.has(INPUT_PROP_POINTING_STICK);
    // What udev's own input_id builtin looks for: the first row of letters and Escape.
    traits.letterKeys = keyBits.has(KEY_ESC) && keyBits.has(KEY_Q) && keyBits.has(KEY_A) && keyBits.has(KEY_Z);
}

} // namespace tarn::input
