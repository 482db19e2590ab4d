#include "Platform/Linux/Uinput/UsKeyboardText.h"

#include <string_view>

#include <linux/input-event-codes.h>

namespace tarn::input {
namespace {

// Three rows by position: the key, what it types, and what it types with Shift.
constexpr int kKeys[] = {KEY_GRAVE, KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_6, KEY_7, KEY_8, KEY_9, KEY_0, KEY_MINUS,
    KEY_EQUAL, KEY_Q, KEY_W, KEY_E, KEY_R, KEY_T, KEY_Y, KEY_U, KEY_I, KEY_O, KEY_P, KEY_LEFTBRACE, KEY_RIGHTBRACE,
    KEY_BACKSLASH, KEY_A, KEY_S, KEY_D, KEY_F, KEY_G, KEY_H, KEY_J, KEY_K, KEY_L, KEY_SEMICOLON, KEY_APOSTROPHE, KEY_Z,
    KEY_X, KEY_C, KEY_V, KEY_B, KEY_N, KEY_M, KEY_COMMA, KEY_DOT, KEY_SLASH, KEY_SPACE, KEY_TAB, KEY_ENTER};
constexpr std::string_view kPlain = "`1234567890-=qwertyuiop[]\\asdfghjkl;'zxcvbnm,./ \t\n";
constexpr std::string_view kShifted = "~!@#$%^&*()_+QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?";
static_assert(std::size(kKeys) == kPlain.size());

} // namespace

std::optional<KeyChord> usKeyboardChordFor(char character)
{
    if (const auto index = kPlain.find(character); index != std::string_view::npos) {
        return KeyChord {{}, 0, kKeys[index]};
    }
    if (const auto index = kShifted.find(character); index != std::string_view::npos) {
        return KeyChord {{KEY_LEFTSHIFT}, 1, kKeys[index]};
    }
    return std::nullopt;
}

} // namespace tarn::input
