#pragma once

// The evdev keys pressed for a shortcut the engine posts (an ANSI virtual key with modifier
// flags). Which keys those are is the model's choice (PostedKeys), so labels name them truly.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tarn::input {

// evdev key codes: modifiers pressed in order before `key`, released in reverse after it.
struct KeyChord {
    std::array<int, 4> modifiers {};
    std::size_t modifierCount = 0;
    int key = 0;
    bool operator==(const KeyChord&) const = default;
};

// None for a key the ANSI table does not know.
std::optional<KeyChord> keyChordForShortcut(std::uint16_t ansiKey, std::uint64_t flags);

} // namespace tarn::input
