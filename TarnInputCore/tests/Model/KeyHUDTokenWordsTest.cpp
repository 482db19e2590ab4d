#include "TarnInputCore/Model/Keys/KeyHUDTokenWords.h"

#include <gtest/gtest.h>

#include "TarnInputCore/Engine/Macros/KeystrokeFormatter.h"

namespace tarn::input {
namespace {

TEST(KeyHUDTokenWordsTest, TokensReadAsTheKeysPressedOnALinuxKeyboard)
{
    const struct {
        std::string_view token;
        std::string_view words;
    } cases[] = {
        {"⇧⌘K", "Shift+Super+K"},
        {"⌃C", "Ctrl+C"},
        {"⌃⌥⇧⌘Space", "Ctrl+Alt+Shift+Super+Space"},
        {"⌥↩", "Alt+Enter"},
        {"⇥", "Tab"},
        {"⌫", "Backspace"},
        {"⎋", "Esc"},
        {"⌘⌦", "Super+Delete"},
        {"⌃→", "Ctrl+→"},
        {"F11", "F11"},
        {"A", "A"},
        // Not a token: as it stands.
        {"hello", "hello"},
        {"⌘", "⌘"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keyHUDTokenWords(c.token), c.words) << c.token;
    }
}

TEST(KeyHUDTokenWordsTest, EveryTokenTheEngineMakesIsNamedWithoutAGlyph)
{
    for (std::uint16_t keyCode = 0; keyCode <= 126; ++keyCode) {
        const auto token = KeystrokeFormatter::format(keyCode, KeyModifiers(0b1111), false, false);
        if (!token) {
            continue;
        }
        const std::string words = keyHUDTokenWords(token->label);
        for (const std::string_view glyph : {"⌘", "⌃", "⌥", "⇧", "⎋", "⌫", "↩", "⇥", "⌦"}) {
            EXPECT_EQ(words.find(glyph), std::string::npos) << token->label << " reads " << words;
        }
        EXPECT_TRUE(words.starts_with("Ctrl+Alt+Shift+Super+")) << words;
    }
}

} // namespace
} // namespace tarn::input
