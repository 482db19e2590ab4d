#pragma once

// What a shortcut the engine posts (an ANSI virtual key with modifier flags) presses on a Linux
// desktop, chosen by meaning: ordinary shortcuts take Ctrl where they name Command (⌘C → Ctrl+C),
// and desktop shortcuts (back and forward, overview, workspaces, show desktop, search, screenshots)
// take the keys Linux desktops bind to the same thing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tarn::input {

// evdev key codes: modifiers pressed in order before `key`, released in reverse after it.
struct KeyChord {
    std::array<int, 3> modifiers {};
    std::size_t modifierCount = 0;
    int key = 0;
    bool operator==(const KeyChord&) const = default;
};

// None for a key the ANSI table does not know.
std::optional<KeyChord> keyChordForShortcut(std::uint16_t ansiKey, std::uint64_t flags);

} // namespace tarn::input
