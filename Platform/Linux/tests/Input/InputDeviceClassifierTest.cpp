// Which devices the tap grabs, reads or leaves alone, from udev's properties or, without them,
// from the kernel's capability bitmaps.

#include "Platform/Linux/Input/InputDeviceClassifier.h"

#include <gtest/gtest.h>

namespace tarn::input {
namespace {

// Bitmaps as sysfs writes them (values of real devices).
constexpr const char* kMouseRel = "903"; // X, Y, WHEEL, HWHEEL…
constexpr const char* kMouseKeys = "1f0000 0 0 0 0"; // BTN_LEFT … BTN_EXTRA
constexpr const char* kKeyboardKeys = "1200000003 3ff000000 0 fffffffffffffffe ffffffffffffffff";
constexpr const char* kTouchpadAbs = "260800000003"; // X, Y and multitouch
constexpr const char* kTouchpadKeys = "e520 10000 0 0 0 0"; // BTN_LEFT, BTN_TOOL_FINGER…
constexpr const char* kPointingStickProps = "21"; // POINTER, POINTING_STICK

InputDeviceTraits fromBits(const char* rel, const char* abs, const char* key, const char* props)
{
    InputDeviceTraits traits;
    readCapabilityBitmaps(traits, rel, abs, key, props);
    return traits;
}

TEST(InputDeviceClassifier, CapabilityBitsDecideWithoutUdev)
{
    struct Case {
        const char* what;
        InputDeviceTraits traits;
        InputDeviceRole role;
    };
    auto ours = fromBits(kMouseRel, "0", kMouseKeys, "0");
    ours.ours = true;
    const Case cases[] = {
        {"mouse", fromBits(kMouseRel, "0", kMouseKeys, "0"), InputDeviceRole::pointer},
        {"keyboard", fromBits("0", "0", kKeyboardKeys, "0"), InputDeviceRole::keyboard},
        {"touchpad", fromBits("0", kTouchpadAbs, kTouchpadKeys, "5"), InputDeviceRole::ignored},
        {"pointing stick", fromBits("3", "0", "70000 0 0 0 0", kPointingStickProps), InputDeviceRole::ignored},
        {"relative axes without a button (a dial)", fromBits("903", "0", "0", "0"), InputDeviceRole::ignored},
        {"power button", fromBits("0", "0", "10000000000000 0", "0"), InputDeviceRole::ignored},
        {"one of our own devices", ours, InputDeviceRole::ignored},
        {"text that is no bitmap", fromBits("zz", "0", "x y", "0"), InputDeviceRole::ignored},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(classifyInputDevice(c.traits), c.role) << c.what;
    }
}

TEST(InputDeviceClassifier, UdevPropertiesDecideWhereUdevClassified)
{
    const auto mouseBits = fromBits(kMouseRel, "0", kMouseKeys, "0");
    auto classified = [&](auto set) {
        auto traits = mouseBits;
        traits.udevClassified = true;
        set(traits);
        return classifyInputDevice(traits);
    };
    EXPECT_EQ(classified([](auto& t) { t.udevMouse = true; }), InputDeviceRole::pointer);
    EXPECT_EQ(classified([](auto& t) { t.udevMouse = true, t.udevTouchpad = true; }), InputDeviceRole::ignored);
    EXPECT_EQ(classified([](auto& t) { t.udevMouse = true, t.udevPointingStick = true; }), InputDeviceRole::ignored);
    EXPECT_EQ(classified([](auto& t) { t.udevTablet = true; }), InputDeviceRole::ignored);
    EXPECT_EQ(classified([](auto& t) { t.udevTouchscreen = true; }), InputDeviceRole::ignored);
    EXPECT_EQ(classified([](auto& t) { t.udevJoystick = true; }), InputDeviceRole::ignored);
    // A virtual machine's tablet: udev says mouse, but it moves absolutely.
    EXPECT_EQ(classified([](auto& t) { t.udevMouse = true, t.relativeXY = false, t.absoluteXY = true; }),
        InputDeviceRole::ignored);
    // Media keys of a receiver: udev says keyboard though it has no letters.
    EXPECT_EQ(classified([](auto& t) { t.udevKeyboard = true, t.relativeXY = false; }), InputDeviceRole::keyboard);
    // udev classified it as neither (ID_INPUT_KEY only): left alone whatever its bits.
    EXPECT_EQ(classified([](auto&) {}), InputDeviceRole::ignored);
}

TEST(InputDeviceClassifier, BitmapWordsCountFromTheRight)
{
    // BTN_LEFT is bit 0x110 = word 4, bit 16: five words written most significant first.
    EXPECT_TRUE(fromBits("3", "0", "10000 0 0 0 0", "0").mouseButton);
    EXPECT_FALSE(fromBits("3", "0", "10000 0 0 0", "0").mouseButton);
    EXPECT_TRUE(fromBits("3\n", "0", "10000 0 0 0 0\n", "0").relativeXY);
    EXPECT_FALSE(fromBits("1", "0", "0", "0").relativeXY);
    EXPECT_FALSE(fromBits("", "", "", "").relativeXY);
    // Longer than any key bitmap: not one.
    EXPECT_FALSE(fromBits("3", "0", "1 0 0 0 0 0 0 0 0 0 0 0 0 0 10000 0 0 0 0", "0").mouseButton);
}

} // namespace
} // namespace tarn::input
