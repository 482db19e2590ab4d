#include "Platform/Linux/X11/X11HotkeyKeymap.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <xcb/xproto.h>

#include "TarnKit/Foundation/Desktop/TarnHotkeyDescriptor.h"

namespace tarn {
namespace {

TEST(X11HotkeyKeymap, KeyCodesNameTheKeysOfTheAnsiLayout)
{
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {4, XK_h},
        {0, XK_a},
        {29, XK_0},
        {18, XK_1},
        {50, XK_grave},
        {36, XK_Return},
        {53, XK_Escape},
        {122, XK_F1},
        {103, XK_F11},
        {111, XK_F12},
        {123, XK_Left},
        {126, XK_Up},
        {76, XK_KP_Enter},
        {117, XK_Delete},
    };
    for (const auto& [keyCode, keysym] : cases) {
        EXPECT_EQ(X11HotkeyKeymap::keysymForKeyCode(keyCode), keysym) << keyCode;
    }
    for (const std::uint32_t missing : {10u, 52u, 127u, 4711u}) {
        EXPECT_EQ(X11HotkeyKeymap::keysymForKeyCode(missing), std::nullopt) << missing;
    }
}

TEST(X11HotkeyKeymap, ModifiersMapToSuperAltControlShift)
{
    EXPECT_EQ(X11HotkeyKeymap::modifiersForMask(TarnHotkeyDescriptor::cmdOptionFlag), XCB_MOD_MASK_4 | XCB_MOD_MASK_1);
    EXPECT_EQ(
        X11HotkeyKeymap::modifiersForMask(TarnHotkeyDescriptor::cmdShiftFlag), XCB_MOD_MASK_4 | XCB_MOD_MASK_SHIFT);
    EXPECT_EQ(X11HotkeyKeymap::modifiersForMask(TarnHotkeyDescriptor::controlMask), XCB_MOD_MASK_CONTROL);
    EXPECT_EQ(X11HotkeyKeymap::modifiersForMask(0), 0);
    EXPECT_EQ(X11HotkeyKeymap::modifiersForMask(1024), std::nullopt) << "Caps Lock";
    EXPECT_EQ(X11HotkeyKeymap::modifiersForMask(TarnHotkeyDescriptor::cmdOptionFlag | 1), std::nullopt);
}

} // namespace
} // namespace tarn
