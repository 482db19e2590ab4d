#pragma once

// The key (with Shift when needed) that types a character on a US keyboard layout; none for
// anything else, including every byte of a multi-byte UTF-8 character.

#include <optional>

#include "Platform/Linux/Uinput/PostedShortcutTable.h"

namespace tarn::input {

std::optional<KeyChord> usKeyboardChordFor(char character);

} // namespace tarn::input
