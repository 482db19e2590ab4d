#pragma once

// The keyboard shortcut posted for each button or gesture action, in the engine's key-code and
// flag vocabulary. The flags replace whatever modifiers the user holds.

#include <cstdint>
#include <optional>

#include "TarnInputCore/Model/Pointer/MouseButtonAction.h"

namespace tarn::input {

struct ActionShortcut {
    std::uint16_t keyCode = 0;
    std::uint64_t flags = 0;
    bool operator==(const ActionShortcut&) const = default;
};

// None for `passthrough`: nothing is posted. The same table names the action, so a label always
// shows the keys that are pressed.
std::optional<ActionShortcut> actionShortcut(MouseButtonAction action);

} // namespace tarn::input
