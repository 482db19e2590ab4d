#pragma once

// A key HUD token in the words of a Linux keyboard. A token names the keys pressed in the input
// vocabulary's glyphs ("⇧⌘K"); the input adapter reads the Super key as Command and Ctrl as
// Control, so "⇧⌘K" was Shift+Super+K and "⌃↩" Ctrl+Enter. The modifiers come in the order
// Ctrl, Alt, Shift, Super, as in every other key text of the program; arrows keep their arrows.
// For the interface thread: the engine makes its tokens without allocating and leaves this to it.

#include <string>
#include <string_view>

namespace tarn::input {

// "Shift+Super+K", "Ctrl+Enter", "Space"; text that is not a token is given back as it stands.
std::string keyHUDTokenWords(std::string_view token);

} // namespace tarn::input
