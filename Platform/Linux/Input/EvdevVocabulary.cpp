#include "Platform/Linux/Input/EvdevVocabulary.h"

#include "TarnInputCore/Engine/TapEvent.h"

#include <linux/input-event-codes.h>

namespace tarn::input::evdev {
namespace {

struct ButtonEntry {
    int code;
    std::int64_t number;
    // Posting a button number presses this entry's code; aliases only translate input.
    bool posted;
};

// X and libinput call BTN_SIDE and BTN_EXTRA back and forward; a few mice report BTN_BACK and
// BTN_FORWARD instead, which mean the same to the user. The codes after BTN_TASK have no name in
// the kernel headers but stay in the mouse block.
constexpr ButtonEntry kButtons[] = {
    {BTN_LEFT, 0, true},
    {BTN_RIGHT, 1, true},
    {BTN_MIDDLE, 2, true},
    {BTN_SIDE, 3, true},
    {BTN_BACK, 3, false},
    {BTN_EXTRA, 4, true},
    {BTN_FORWARD, 4, false},
    {BTN_TASK, 5, true},
    {BTN_TASK + 1, 6, true},
    {BTN_TASK + 2, 7, true},
    {BTN_TASK + 3, 8, true},
    {BTN_TASK + 4, 9, true},
    {BTN_TASK + 5, 10, true},
    {BTN_TASK + 6, 11, true},
    {BTN_TASK + 7, 12, true},
    {BTN_TASK + 8, 13, true},
};

struct KeyEntry {
    int code;
    std::uint16_t ansi;
};

// The virtual key codes of the ANSI layout, by position on the keyboard.
constexpr KeyEntry kKeys[] = {
    {KEY_A, 0},
    {KEY_S, 1},
    {KEY_D, 2},
    {KEY_F, 3},
    {KEY_H, 4},
    {KEY_G, 5},
    {KEY_Z, 6},
    {KEY_X, 7},
    {KEY_C, 8},
    {KEY_V, 9},
    {KEY_102ND, 10},
    {KEY_B, 11},
    {KEY_Q, 12},
    {KEY_W, 13},
    {KEY_E, 14},
    {KEY_R, 15},
    {KEY_Y, 16},
    {KEY_T, 17},
    {KEY_1, 18},
    {KEY_2, 19},
    {KEY_3, 20},
    {KEY_4, 21},
    {KEY_6, 22},
    {KEY_5, 23},
    {KEY_EQUAL, 24},
    {KEY_9, 25},
    {KEY_7, 26},
    {KEY_MINUS, 27},
    {KEY_8, 28},
    {KEY_0, 29},
    {KEY_RIGHTBRACE, 30},
    {KEY_O, 31},
    {KEY_U, 32},
    {KEY_LEFTBRACE, 33},
    {KEY_I, 34},
    {KEY_P, 35},
    {KEY_ENTER, 36},
    {KEY_L, 37},
    {KEY_J, 38},
    {KEY_APOSTROPHE, 39},
    {KEY_K, 40},
    {KEY_SEMICOLON, 41},
    {KEY_BACKSLASH, 42},
    {KEY_COMMA, 43},
    {KEY_SLASH, 44},
    {KEY_N, 45},
    {KEY_M, 46},
    {KEY_DOT, 47},
    {KEY_TAB, 48},
    {KEY_SPACE, 49},
    {KEY_GRAVE, 50},
    {KEY_BACKSPACE, 51},
    {KEY_ESC, 53},
    {KEY_RIGHTMETA, 54},
    {KEY_LEFTMETA, 55},
    {KEY_LEFTSHIFT, 56},
    {KEY_CAPSLOCK, 57},
    {KEY_LEFTALT, 58},
    {KEY_LEFTCTRL, 59},
    {KEY_RIGHTSHIFT, 60},
    {KEY_RIGHTALT, 61},
    {KEY_RIGHTCTRL, 62},
    {KEY_F17, 64},
    {KEY_KPDOT, 65},
    {KEY_KPASTERISK, 67},
    {KEY_KPPLUS, 69},
    {KEY_NUMLOCK, 71},
    {KEY_VOLUMEUP, 72},
    {KEY_VOLUMEDOWN, 73},
    {KEY_MUTE, 74},
    {KEY_KPSLASH, 75},
    {KEY_KPENTER, 76},
    {KEY_KPMINUS, 78},
    {KEY_F18, 79},
    {KEY_F19, 80},
    {KEY_KPEQUAL, 81},
    {KEY_KP0, 82},
    {KEY_KP1, 83},
    {KEY_KP2, 84},
    {KEY_KP3, 85},
    {KEY_KP4, 86},
    {KEY_KP5, 87},
    {KEY_KP6, 88},
    {KEY_KP7, 89},
    {KEY_F20, 90},
    {KEY_KP8, 91},
    {KEY_KP9, 92},
    {KEY_F5, 96},
    {KEY_F6, 97},
    {KEY_F7, 98},
    {KEY_F3, 99},
    {KEY_F8, 100},
    {KEY_F9, 101},
    {KEY_F11, 103},
    {KEY_F13, 105},
    {KEY_F16, 106},
    {KEY_F14, 107},
    {KEY_F10, 109},
    {KEY_F12, 111},
    {KEY_F15, 113},
    {KEY_INSERT, 114},
    {KEY_HOME, 115},
    {KEY_PAGEUP, 116},
    {KEY_DELETE, 117},
    {KEY_F4, 118},
    {KEY_END, 119},
    {KEY_F2, 120},
    {KEY_PAGEDOWN, 121},
    {KEY_F1, 122},
    {KEY_LEFT, 123},
    {KEY_RIGHT, 124},
    {KEY_DOWN, 125},
    {KEY_UP, 126},
};

struct ModifierEntry {
    int code;
    std::uint64_t flag;
};

constexpr ModifierEntry kModifiers[] = {
    {KEY_LEFTMETA, EventFlag::command},
    {KEY_RIGHTMETA, EventFlag::command},
    {KEY_LEFTALT, EventFlag::option},
    {KEY_RIGHTALT, EventFlag::option},
    {KEY_LEFTCTRL, EventFlag::control},
    {KEY_RIGHTCTRL, EventFlag::control},
    {KEY_LEFTSHIFT, EventFlag::shift},
    {KEY_RIGHTSHIFT, EventFlag::shift},
};

} // namespace

std::optional<std::int64_t> buttonNumberForCode(int code)
{
    for (const auto& entry : kButtons) {
        if (entry.code == code) {
            return entry.number;
        }
    }
    return std::nullopt;
}

std::optional<int> codeForButtonNumber(std::int64_t buttonNumber)
{
    for (const auto& entry : kButtons) {
        if (entry.posted && entry.number == buttonNumber) {
            return entry.code;
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> ansiKeyForCode(int code)
{
    for (const auto& entry : kKeys) {
        if (entry.code == code) {
            return entry.ansi;
        }
    }
    return std::nullopt;
}

std::optional<int> codeForAnsiKey(std::uint16_t ansiKey)
{
    for (const auto& entry : kKeys) {
        if (entry.ansi == ansiKey) {
            return entry.code;
        }
    }
    return std::nullopt;
}

std::uint64_t modifierFlagForCode(int code)
{
    for (const auto& entry : kModifiers) {
        if (entry.code == code) {
            return entry.flag;
        }
    }
    return 0;
}

} // namespace tarn::input::evdev
