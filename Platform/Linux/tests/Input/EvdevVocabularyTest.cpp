// The evdev ↔ engine tables, both directions, and the shortcut and text tables of posting.

#include "Platform/Linux/Input/EvdevVocabulary.h"

#include <gtest/gtest.h>

#include "Platform/Linux/Uinput/PostedShortcutTable.h"
#include "Platform/Linux/Uinput/UsKeyboardText.h"
#include "TarnInputCore/Engine/TapEvent.h"

#include <linux/input-event-codes.h>

namespace tarn::input {
namespace {

TEST(EvdevVocabulary, ButtonsTranslateBothWays)
{
    struct Case {
        int code;
        std::int64_t number;
        int postedCode;
    };
    const Case cases[] = {
        {BTN_LEFT, 0, BTN_LEFT},
        {BTN_RIGHT, 1, BTN_RIGHT},
        {BTN_MIDDLE, 2, BTN_MIDDLE},
        {BTN_SIDE, 3, BTN_SIDE},
        {BTN_BACK, 3, BTN_SIDE},
        {BTN_EXTRA, 4, BTN_EXTRA},
        {BTN_FORWARD, 4, BTN_EXTRA},
        {BTN_TASK, 5, BTN_TASK},
        {BTN_LEFT + 15, 13, BTN_LEFT + 15},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(evdev::buttonNumberForCode(c.code), c.number) << c.code;
        EXPECT_EQ(evdev::codeForButtonNumber(c.number), c.postedCode) << c.number;
    }
    EXPECT_EQ(evdev::buttonNumberForCode(BTN_JOYSTICK), std::nullopt);
    EXPECT_EQ(evdev::buttonNumberForCode(KEY_A), std::nullopt);
    EXPECT_EQ(evdev::codeForButtonNumber(14), std::nullopt);
    EXPECT_EQ(evdev::codeForButtonNumber(-1), std::nullopt);
}

TEST(EvdevVocabulary, KeysTranslateBothWaysAndAvoidTheF11Trap)
{
    struct Case {
        int code;
        std::uint16_t ansi;
    };
    const Case cases[] = {
        {KEY_A, 0},
        {KEY_LEFTBRACE, 33},
        {KEY_RIGHTBRACE, 30},
        {KEY_EQUAL, 24},
        {KEY_SPACE, 49},
        {KEY_ENTER, 36},
        {KEY_F11, 103},
        {KEY_UP, 126},
        {KEY_DOWN, 125},
        {KEY_LEFT, 123},
        {KEY_RIGHT, 124},
        {KEY_LEFTMETA, 55},
        {KEY_KP0, 82},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(evdev::ansiKeyForCode(c.code), c.ansi) << c.code;
        EXPECT_EQ(evdev::codeForAnsiKey(c.ansi), c.code) << c.ansi;
    }
    // evdev 103 is the Up key, never F11.
    EXPECT_EQ(evdev::ansiKeyForCode(103), 126);
    EXPECT_EQ(evdev::codeForAnsiKey(52), std::nullopt);
    EXPECT_EQ(evdev::codeForAnsiKey(128), std::nullopt);
    // Every key code maps back to itself.
    for (std::uint16_t ansi = 0; ansi < 128; ++ansi) {
        if (const auto code = evdev::codeForAnsiKey(ansi)) {
            EXPECT_EQ(evdev::ansiKeyForCode(*code), ansi);
        }
    }
}

TEST(EvdevVocabulary, ModifierKeysAreTheEnginesFlags)
{
    EXPECT_EQ(evdev::modifierFlagForCode(KEY_LEFTMETA), EventFlag::command);
    EXPECT_EQ(evdev::modifierFlagForCode(KEY_RIGHTMETA), EventFlag::command);
    EXPECT_EQ(evdev::modifierFlagForCode(KEY_LEFTALT), EventFlag::option);
    EXPECT_EQ(evdev::modifierFlagForCode(KEY_RIGHTALT), EventFlag::option);
    EXPECT_EQ(evdev::modifierFlagForCode(KEY_RIGHTCTRL), EventFlag::control);
    EXPECT_EQ(evdev::modifierFlagForCode(KEY_LEFTSHIFT), EventFlag::shift);
    EXPECT_EQ(evdev::modifierFlagForCode(KEY_CAPSLOCK), 0U);
    EXPECT_EQ(evdev::modifierFlagForCode(KEY_A), 0U);
}

TEST(EvdevVocabulary, HorizontalWheelRunsTheOtherWay)
{
    EXPECT_EQ(evdev::horizontalLinesForHWheel(1), -1);
    EXPECT_EQ(evdev::hwheelForHorizontalLines(evdev::horizontalLinesForHWheel(2.5)), 2.5);
}

KeyChord chord(std::initializer_list<int> modifiers, int key)
{
    KeyChord result;
    for (const int modifier : modifiers) {
        result.modifiers[result.modifierCount++] = modifier;
    }
    result.key = key;
    return result;
}

TEST(PostedShortcutTable, ShortcutsArePressedByMeaning)
{
    using namespace EventFlag;
    struct Case {
        const char* what;
        std::uint16_t ansi;
        std::uint64_t flags;
        KeyChord expected;
    };
    const Case cases[] = {
        {"back", 33, command, chord({KEY_LEFTALT}, KEY_LEFT)},
        {"forward", 30, command, chord({KEY_LEFTALT}, KEY_RIGHT)},
        {"overview", 126, control, chord({}, KEY_LEFTMETA)},
        {"application grid", 125, control, chord({KEY_LEFTMETA}, KEY_A)},
        {"workspace left", 123, control, chord({KEY_LEFTCTRL, KEY_LEFTALT}, KEY_LEFT)},
        {"workspace right", 124, control, chord({KEY_LEFTCTRL, KEY_LEFTALT}, KEY_RIGHT)},
        {"show desktop (F11, not Up)", 103, 0, chord({KEY_LEFTMETA}, KEY_D)},
        {"search bar", 49, command, chord({}, KEY_LEFTMETA)},
        {"screenshot of the screen", 20, command | shift, chord({}, KEY_SYSRQ)},
        {"screenshot of an area", 21, command | shift, chord({KEY_LEFTSHIFT}, KEY_SYSRQ)},
        {"screenshot tool", 23, command | shift, chord({}, KEY_SYSRQ)},
        {"copy", 8, command, chord({KEY_LEFTCTRL}, KEY_C)},
        {"zoom in", 24, command, chord({KEY_LEFTCTRL}, KEY_EQUAL)},
        {"new tab", 17, command, chord({KEY_LEFTCTRL}, KEY_T)},
        {"Control alone is Super", 0, control, chord({KEY_LEFTMETA}, KEY_A)},
        {"Command and Control are Ctrl and Super", 0, command | control, chord({KEY_LEFTCTRL, KEY_LEFTMETA}, KEY_A)},
        {"four modifiers", 0, command | option | shift | control,
            chord({KEY_LEFTCTRL, KEY_LEFTALT, KEY_LEFTSHIFT, KEY_LEFTMETA}, KEY_A)},
        {"a keypad key has no symbol but is pressed", 82, 0, chord({}, KEY_KP0)},
        {"every modifier", 13, command | option | shift, chord({KEY_LEFTCTRL, KEY_LEFTALT, KEY_LEFTSHIFT}, KEY_W)},
        {"plain key", 36, 0, chord({}, KEY_ENTER)},
        {"F11 with a modifier is not show desktop", 103, shift, chord({KEY_LEFTSHIFT}, KEY_F11)},
        {"Up arrow alone", 126, 0, chord({}, KEY_UP)},
        {"flags beyond the modifiers are ignored", 33, command | 0x100, chord({KEY_LEFTALT}, KEY_LEFT)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keyChordForShortcut(c.ansi, c.flags), c.expected) << c.what;
    }
    EXPECT_EQ(keyChordForShortcut(52, command), std::nullopt);
    EXPECT_EQ(keyChordForShortcut(200, 0), std::nullopt);
}

TEST(UsKeyboardText, TypesWhatAUsKeyboardHas)
{
    EXPECT_EQ(usKeyboardChordFor('a'), chord({}, KEY_A));
    EXPECT_EQ(usKeyboardChordFor('A'), chord({KEY_LEFTSHIFT}, KEY_A));
    EXPECT_EQ(usKeyboardChordFor('['), chord({}, KEY_LEFTBRACE));
    EXPECT_EQ(usKeyboardChordFor('{'), chord({KEY_LEFTSHIFT}, KEY_LEFTBRACE));
    EXPECT_EQ(usKeyboardChordFor('"'), chord({KEY_LEFTSHIFT}, KEY_APOSTROPHE));
    EXPECT_EQ(usKeyboardChordFor('\n'), chord({}, KEY_ENTER));
    EXPECT_EQ(usKeyboardChordFor(' '), chord({}, KEY_SPACE));
    EXPECT_EQ(usKeyboardChordFor('\0'), std::nullopt);
    EXPECT_EQ(usKeyboardChordFor('\r'), std::nullopt);
    EXPECT_EQ(usKeyboardChordFor(static_cast<char>(0xC3)), std::nullopt);
}

} // namespace
} // namespace tarn::input
