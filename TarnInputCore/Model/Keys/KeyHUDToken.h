#pragma once

// One entry of the key HUD: the modifier glyphs and the key's symbol ("⇧⌘4"). Every token has
// its own identity, so two tokens with the same text are different entries.

#include <string>

#include "TarnKit/Foundation/Basics/Uuid.h"
#include "TarnKit/Foundation/Ports/Clock.h"

namespace tarn::input {

struct KeyHUDToken {
    Uuid id;
    std::string text;
    // A Control, Option or Command modifier was held, or the key is a navigation key.
    bool isShortcut = false;
    WallTime timestamp;

    bool operator==(const KeyHUDToken&) const = default;
};

} // namespace tarn::input
